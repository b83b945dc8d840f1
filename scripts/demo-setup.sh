#!/usr/bin/env bash
# Gives a fresh installation a demo category: twelve short jingles made here with sox
# (and lame for a few MP3s), and a KV.ini that lists them. An existing KV.ini is left alone.
# Usage: demo-setup.sh <data folder as a Unix path inside the Wine prefix's drive_c>
set -euo pipefail

data_dir=${1:?usage: demo-setup.sh <data folder>}
ini="$data_dir/KV.ini"
[ -e "$ini" ] && exit 0
command -v sox >/dev/null || { echo "demo-setup: sox is missing, no demo jingles" >&2; exit 0; }

# The Windows path of a file: below a Wine prefix's drive_c it is C:\...; on Windows
# (Git Bash, MSYS2) cygpath knows it.
windows_path() {
  local unix=$1 rel
  case "$unix" in
    */drive_c/*) rel=${unix#*/drive_c/}; printf 'C:\\%s' "${rel//\//\\}" ;;
    *) cygpath -w "$unix" ;;
  esac
}

demo_dir="$data_dir/Demo"
mkdir -p "$demo_dir"
# Root notes in semitones from A4, one per slot.
roots=(-9 -7 -5 -4 -2 0 2 3 5 7 8 10)
captions=("Intro" "Station ID" "Nachrichten" "Wetter" "Verkehr" "Sport"
          "Musikbett" "Werbung" "Trenner" "Gewinnspiel" "Hotline" "Outro")
section="Demo Jingles"
lines=("[$section]")
for i in $(seq 0 11); do
  n=$((i + 1))
  base=$(printf 'jingle%02d' "$n")
  root=${roots[$i]}
  wav="$demo_dir/$base.wav"
  # A short rising three-note figure over the slot's own root note, faded out.
  tmp=$(mktemp -d)
  sox -q -n -r 44100 -c 2 "$tmp/1.wav" synth 0.3 pluck "%$root"
  sox -q -n -r 44100 -c 2 "$tmp/2.wav" synth 0.3 pluck "%$((root + 4))"
  sox -q -n -r 44100 -c 2 "$tmp/3.wav" synth 1.0 pluck "%$((root + 7))"
  sox -q "$tmp/1.wav" "$tmp/2.wav" "$tmp/3.wav" "$wav" fade 0 1.6 0.5 gain -3
  rm -rf "$tmp"
  file=$wav
  if [ $((n % 4)) -eq 0 ] && command -v lame >/dev/null; then
    lame --quiet -b 128 "$wav" "$demo_dir/$base.mp3" && rm -f "$wav" && file="$demo_dir/$base.mp3"
  fi
  lines+=("Text$n=${captions[$i]}" "Jingle$n=$(windows_path "$file")")
done
lines+=("zentrixfadeoutin=0" "winampfadeoutin=0" "mixerfadeoutin=0")

# KV.ini as the program itself creates it: UTF-16LE with a byte-order mark, CR LF.
{ printf '\xff\xfe'; printf '%s\r\n' "${lines[@]}" | iconv -f UTF-8 -t UTF-16LE; } > "$ini"
echo "demo-setup: demo category \"$section\" with 12 jingles in $demo_dir"
