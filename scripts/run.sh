#!/usr/bin/env bash
# Builds Kavinta.exe and starts it.
# Linux: cross build with MinGW-w64, then Wine with a project-local prefix
# (build/win/wineprefix-run; the user's own Wine setup is not touched), on $DISPLAY or, when
# there is none, on an own Xvfb. Windows (Git Bash/MSYS2): the native build's executable.
# When scripts/demo-setup.sh exists and is executable it is called first with the data folder
# the program will use, as a path of this shell.
set -euo pipefail
KV_SCRIPTS="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
KV_BUILD_WIN="${KV_BUILD_WIN:-$(cd "$KV_SCRIPTS/.." && pwd)/build/win}"
# The program's own prefix, apart from the one the tests use.
export WINEPREFIX="${KV_RUN_WINEPREFIX:-$KV_BUILD_WIN/wineprefix-run}"
export KV_RUN_DIR="${KV_RUN_DIR:-$KV_BUILD_WIN/session-run}"
. "$KV_SCRIPTS/env.sh"
cd "$KV_ROOT"

kv_demo_setup() {
  local demo="$KV_ROOT/scripts/demo-setup.sh"
  if [ -x "$demo" ]; then
    kv_log "demo setup for data folder $1"
    "$demo" "$1"
  fi
}

if kv_is_windows_host; then
  preset="$(kv_windows_preset)"
  cmake --preset "$preset"
  cmake --build --preset "$preset" --target Kavinta
  appdata="$(cygpath -u "$APPDATA")"
  kv_demo_setup "$appdata/Kavinta"
  exe="$(kv_windows_exe "$preset")"
  kv_log "starting $exe"
  exec "$exe"
fi

bash "$KV_ROOT/scripts/deps.sh"
cmake --preset windows
cmake --build --preset windows --target Kavinta
exe="$KV_BUILD_WIN/Kavinta.exe"
if [ ! -f "$exe" ]; then
  kv_log "$exe was not built (is src/app/main.cpp there?)"
  exit 1
fi

trap kv_session_stop EXIT
trap 'exit 130' INT TERM
if [ -z "${DISPLAY:-}" ]; then
  kv_log "no DISPLAY: starting an own Xvfb; the window is invisible there"
  kv_xvfb_start
  kv_log "take a screenshot with:  import -display $DISPLAY -window root shot.png"
fi
if ! pactl info >/dev/null 2>&1; then
  kv_log "no sound server reachable: starting an own PulseAudio null sink (silent)"
  kv_pulse_start
fi
kv_prefix_prepare

# The data folder is %APPDATA%\Kavinta of the prefix's user.
appdata_win="$(wine cmd.exe /c echo %APPDATA% 2>/dev/null | tr -d '\r')"
datafolder="$(readlink -m "$(winepath -u "$appdata_win\\Kavinta" 2>/dev/null)")"
kv_demo_setup "${datafolder%/}"

kv_log "starting $exe on $DISPLAY"
# In the background and waited for, so that a TERM signal runs the clean-up at once.
wine "$exe" &
wait $!
