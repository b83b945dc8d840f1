#!/usr/bin/env bash
# Creates the project-local Wine prefix given as $1 (or $WINEPREFIX) once and configures
# it for unattended runs. A prefix that is already prepared is left as it is.
set -euo pipefail
export WINEPREFIX="${1:-${WINEPREFIX:?no Wine prefix given}}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
marker="$WINEPREFIX/.kavinta-prepared"
[ -f "$marker" ] && exit 0

echo "kavinta: preparing Wine prefix $WINEPREFIX" >&2
mkdir -p "$(dirname "$WINEPREFIX")"
wineboot -i >/dev/null 2>&1
# Without a window manager Wine otherwise waits 2 s whenever a window is hidden.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# A crash prints its backtrace and exits instead of opening a dialog that hangs a test.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d pulse /f >/dev/null 2>&1
# Tahoma and Marlett (title-bar glyphs) are missing from a fresh prefix otherwise.
if [ -d /usr/share/wine/fonts ]; then
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
fi
# Let the server write the registry to disk before the prefix counts as prepared.
wineserver -w
touch "$marker"
