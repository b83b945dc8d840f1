#!/usr/bin/env bash
# Builds the release artefacts of Kavinta into build/release/ from the MinGW-w64 release
# build (preset windows, build/win):
#   Kavinta-<version>-win64.zip        portable: Kavinta.exe, Kavinta.EN, README.txt
#   Kavinta-<version>-win64-setup.exe  the setup (NSIS), see installer/Kavinta.nsi
# The version is the project version in CMakeLists.txt.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/env.sh"
cd "$KV_ROOT"

bash scripts/deps.sh
command -v makensis >/dev/null || { kv_log "makensis not found (Debian package nsis)"; exit 1; }

start=$SECONDS
cmake --preset windows
cmake --build --preset windows --target kv_release

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$KV_BUILD_WIN/CMakeCache.txt")"
name="Kavinta-$version-win64"
out="$KV_ROOT/build/release"
mkdir -p "$out"
rm -f "$out"/Kavinta-*-win64.zip "$out"/Kavinta-*-win64-setup.exe
cp "$KV_BUILD_WIN/release/$name.zip" "$KV_BUILD_WIN/release/$name-setup.exe" "$out/"
ls -l "$out/$name.zip" "$out/$name-setup.exe"
kv_log "release $version in build/release/ ($((SECONDS - start)) s)"
