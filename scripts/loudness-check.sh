#!/bin/bash
# Plays two jingles 12 dB apart in level with "Jingles gleich laut" on, in the built
# Kavinta.exe under Wine, records the sound server's monitor and measures both with
# libebur128: each must come out within 1 LU of -18 LUFS and of the other. Then, with
# "Zweiter Druck blendet aus" on, a second press of F1 after a second must fade the jingle
# out (its last 100 ms far below its level) instead of cutting it.
#   scripts/loudness-check.sh        (after cmake --build --preset windows --target Kavinta)
# Needs sox, xdotool, parec, gcc and libebur128-dev. Exit code 0 when both are in range.
set -u
cd "$(dirname "$0")/.." || exit 2
# shellcheck source=scripts/env.sh
. scripts/env.sh
work="$KV_BUILD_WIN/loudness-check"
rm -rf "$work" && mkdir -p "$work" || exit 2
gcc -O2 -o "$work/loudness_parts" tools/loudness/loudness_parts.c -lebur128 -lm || exit 2
sox -n -r 44100 -c 2 -b 16 "$work/laut.wav" synth 3 sine 500 vol 0.4 || exit 2
sox -n -r 44100 -c 2 -b 16 "$work/leise.wav" synth 3 sine 500 vol 0.1 || exit 2

if ! { kv_xvfb_start && kv_pulse_start && kv_prefix_prepare; }; then kv_session_stop; exit 2; fi
# A prefix of its own, so that the check's data folder is nobody else's.
kv_prefix_clone "$work/prefix" || { kv_session_stop; exit 2; }
wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1
export WINEPREFIX="$work/prefix"
roaming=""
for folder in "$WINEPREFIX"/drive_c/users/*/AppData/Roaming; do
  case "$folder" in */Public/*) ;; *) roaming="$folder"; break ;; esac
done
[ -n "$roaming" ] || { kv_session_stop; exit 2; }
mkdir -p "$roaming/Kavinta"
winpath() { printf 'Z:%s' "${1//\//\\}"; }
printf '[KONFIG]\r\nglobaletasten=1\r\njinglesgleichlaut=1\r\nzweiterdruckblendetaus=1\r\n[Check]\r\nText1=laut\r\nJingle1=%s\r\nText2=leise\r\nJingle2=%s\r\n' \
  "$(winpath "$work/laut.wav")" "$(winpath "$work/leise.wav")" >"$roaming/Kavinta/KV.ini"

( wine "$KV_BUILD_WIN/Kavinta.exe" >"$work/kavinta.log" 2>&1 & )
sleep 6  # start, the first category shown and measured, the engine warm
parec -d nul.monitor --raw --format=float32le --rate=48000 --channels=2 >"$work/monitor.raw" &
recorder=$!
sleep 0.5
xdotool key F1; sleep 4   # F1-F12 are hot keys: they reach the program without the focus
xdotool key F2; sleep 4
xdotool key F1; sleep 1; xdotool key F1; sleep 2
kill "$recorder"
wait "$recorder" 2>/dev/null
wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1  # the program, with its prefix
kv_session_stop

"$work/loudness_parts" <"$work/monitor.raw" | tee "$work/parts.txt"
awk '$1 == "part" { n++; v[n] = $5; len[n] = $4; tail[n] = $7 }
     END {
       if (n != 3) { print "expected three jingles in the recording, found " n; exit 1 }
       bad = 0
       for (i = 1; i <= 2; i++) if (v[i] < -19 || v[i] > -17) { print "jingle " i ": " v[i] " LUFS, not within 1 LU of -18"; bad = 1 }
       d = v[1] - v[2]; if (d < 0) d = -d
       if (d > 1) { print "the jingles are " d " LU apart"; bad = 1 }
       if (len[3] > 2 || tail[3] > -6) { print "the second press did not fade the jingle out: " len[3] " s, tail " tail[3] " dB"; bad = 1 }
       if (tail[1] < -3) { print "the first jingle ends below its level (" tail[1] " dB) though it played to its end"; bad = 1 }
       if (!bad) print "both jingles within 1 LU of -18 LUFS and of each other; the second press faded out"
       exit bad
     }' "$work/parts.txt"
