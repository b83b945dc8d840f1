#!/usr/bin/env bash
# Makes sure the Debian packages for building, testing and running Kavinta are present.
# As root it installs the missing ones with apt-get; otherwise it prints the exact command
# and fails. On systems without dpkg it only checks that the tools are on the PATH.
set -euo pipefail

KV_PACKAGES=(
  cmake ninja-build g++ libgtest-dev libgmock-dev googletest
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 fonts-wine xvfb x11-utils xdotool imagemagick libx11-dev
  pulseaudio pulseaudio-utils lame sox libebur128-dev nsis clang lld llvm
)
KV_TOOLS=(cmake ninja g++ x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-windres
  wine wineserver Xvfb xdpyinfo pulseaudio makensis clang++ ld.lld llvm-dlltool)

if ! command -v dpkg-query >/dev/null 2>&1; then
  missing_tools=()
  for tool in "${KV_TOOLS[@]}"; do
    command -v "$tool" >/dev/null 2>&1 || missing_tools+=("$tool")
  done
  if [ ${#missing_tools[@]} -gt 0 ]; then
    echo "kavinta: missing tools (not a Debian system, install them yourself): ${missing_tools[*]}" >&2
    exit 1
  fi
  exit 0
fi

missing=()
for pkg in "${KV_PACKAGES[@]}"; do
  status="$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)"
  [ "$status" = "install ok installed" ] || missing+=("$pkg")
done
# Node.js and npm run the workflow check; any installation of them will do (they may come
# from elsewhere than Debian, under other package names).
command -v npm >/dev/null 2>&1 || missing+=(nodejs npm)
[ ${#missing[@]} -eq 0 ] && exit 0

command_line="apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "kavinta: missing Debian packages: ${missing[*]}" >&2
  echo "kavinta: install them with:  sudo sh -c '$command_line'" >&2
  exit 1
fi
echo "kavinta: installing ${missing[*]}" >&2
apt-get update
DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
