#!/usr/bin/env bash
# Tiles the screenshots of the 40 looks (NN-<name>.png, written by the end-to-end test
# StyleLook.EveryLookAppliedInTurnAndPhotographed) into one contact sheet with their names:
# eight in a row, each at half size, 256 colours, so that it stays small enough to keep in
# the repository.
# Usage: contact-sheet.sh [screenshot folder (build/win/artifacts/looks)] [output (docs/looks.png)]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
shots="${1:-$root/build/win/artifacts/looks}"
out="${2:-$root/docs/looks.png}"

for tool in montage identify; do
  command -v "$tool" >/dev/null 2>&1 || { echo "contact-sheet.sh: $tool (ImageMagick) is missing" >&2; exit 1; }
done
mapfile -t files < <(find "$shots" -maxdepth 1 -name '[0-9][0-9]-*.png' | sort)
if [ "${#files[@]}" -ne 40 ]; then
  echo "contact-sheet.sh: ${#files[@]} screenshots in $shots, expected 40 (run kv_e2e_tests first)" >&2
  exit 1
fi

args=()
for f in "${files[@]}"; do
  name="$(basename "$f" .png)"
  args+=(-label "${name#[0-9][0-9]-}" "$f")
done
# Each tile at half the size of the first screenshot.
read -r width height < <(identify -format '%w %h\n' "${files[0]}")
mkdir -p "$(dirname "$out")"
montage "${args[@]}" -tile 8x -geometry "$((width / 2))x$((height / 2))+6+6" -font DejaVu-Sans -pointsize 12 \
  -background '#2b2b2b' -fill '#f0f0f0' -colors 256 -strip "PNG8:$out"
echo "contact-sheet.sh: $out ($(du -k "$out" | cut -f1) KB)"
