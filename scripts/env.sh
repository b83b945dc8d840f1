# shellcheck shell=bash
# Environment of the project-local Wine and the headless session services.
# Source it:  . scripts/env.sh
# Variables (all may be set beforehand):
#   KV_BUILD_WIN   Windows build directory            (default <repo>/build/win)
#   WINEPREFIX     project-local Wine prefix           (default $KV_BUILD_WIN/wineprefix)
#   KV_RUN_DIR     pid files, logs, XDG_RUNTIME_DIR    (default $KV_BUILD_WIN/session)
#   KV_DISPLAY     X display for Xvfb, e.g. :21        (default: a free one)
# Functions: kv_prefix_prepare, kv_xvfb_start, kv_pulse_start, kv_session_stop; for the tests
# with a display or prefix of their own: kv_xvfb_layout_start/_stop, kv_prefix_clone,
# kv_prefix_set_dpi.
# Nothing outside the build tree is touched; only processes started here are stopped.

KV_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export KV_ROOT
export KV_BUILD_WIN="${KV_BUILD_WIN:-$KV_ROOT/build/win}"
export WINEPREFIX="${WINEPREFIX:-$KV_BUILD_WIN/wineprefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export KV_RUN_DIR="${KV_RUN_DIR:-$KV_BUILD_WIN/session}"

KV_XVFB_PID=""
KV_PULSE_PID=""
KV_WINE_STARTED=""

kv_log() { printf 'kavinta: %s\n' "$*" >&2; }

# Creates and configures the prefix once (wineboot, registry, fonts).
kv_prefix_prepare() {
  bash "$KV_ROOT/scripts/wine-prefix.sh" "$WINEPREFIX"
  KV_WINE_STARTED=1
}

# Starts Xvfb on KV_DISPLAY or on a free display and exports DISPLAY.
kv_xvfb_start() {
  mkdir -p "$KV_RUN_DIR"
  local log="$KV_RUN_DIR/xvfb.log" fdfile="$KV_RUN_DIR/xvfb.display"
  : >"$fdfile"
  if [ -n "${KV_DISPLAY:-}" ]; then
    Xvfb "$KV_DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >"$log" 2>&1 &
    KV_XVFB_PID=$!
    export DISPLAY="$KV_DISPLAY"
  else
    # -displayfd picks a free display and reports its number once the server is ready.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" >"$log" 2>&1 &
    KV_XVFB_PID=$!
    local i
    for i in $(seq 1 100); do
      [ -s "$fdfile" ] && break
      kill -0 "$KV_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    if [ ! -s "$fdfile" ]; then
      kv_log "Xvfb did not start (see $log)"; KV_XVFB_PID=""; return 1
    fi
    export DISPLAY=":$(tr -dc '0-9' <"$fdfile")"
  fi
  echo "$KV_XVFB_PID" >"$KV_RUN_DIR/xvfb.pid"
  local n
  for n in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && { kv_log "Xvfb on $DISPLAY (pid $KV_XVFB_PID)"; return 0; }
    kill -0 "$KV_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  kv_log "Xvfb on $DISPLAY does not answer (see $log)"
  return 1
}

# Screen layouts for the tests that need a display of their own (kv_xvfb_layout_start).
# Two monitors: with Xinerama (and without RANDR, through which Wine would see one screen)
# Wine lists each Xvfb screen as a monitor. Xvfb puts every screen at the origin, so the
# second, larger one holds the first: its part right of x = 1024 lies on it alone.
# shellcheck disable=SC2034  # used by the scripts that source this file
KV_LAYOUT_TWO_MONITORS="+xinerama -extension RANDR -screen 0 1024x768x24 -screen 1 1600x1200x24"
# shellcheck disable=SC2034
KV_LAYOUT_ONE_MONITOR="-screen 0 1024x768x24"
KV_XVFB_LAYOUT_PIDS=""

# Starts one more Xvfb with the screen options $2... on a free display, beside the session's
# own, and stores its display name (":N") in the variable named $1. kv_xvfb_layout_stop ends
# every one started so.
kv_xvfb_layout_start() {
  local var="$1"; shift
  mkdir -p "$KV_RUN_DIR"
  local fdfile log pid
  fdfile="$(mktemp "$KV_RUN_DIR/xvfb-layout.XXXXXX")"
  log="$fdfile.log"
  Xvfb -displayfd 3 "$@" -nolisten tcp 3>"$fdfile" >"$log" 2>&1 &
  pid=$!
  KV_XVFB_LAYOUT_PIDS="$KV_XVFB_LAYOUT_PIDS $pid"
  for _ in $(seq 1 100); do
    [ -s "$fdfile" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -s "$fdfile" ]; then
    kv_log "Xvfb $* did not start (see $log)"; return 1
  fi
  local display
  display=":$(tr -dc '0-9' <"$fdfile")"
  rm -f "$fdfile"
  for _ in $(seq 1 100); do
    if DISPLAY="$display" xdpyinfo >/dev/null 2>&1; then
      printf -v "$var" '%s' "$display"
      kv_log "Xvfb $* on $display (pid $pid)"
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kv_log "Xvfb on $display does not answer (see $log)"
  return 1
}

kv_xvfb_layout_stop() {
  local pid
  for pid in $KV_XVFB_LAYOUT_PIDS; do kv_stop_pid "$pid"; done
  KV_XVFB_LAYOUT_PIDS=""
}

# Makes $1 a prefix of its own from the prepared WINEPREFIX, in well under a second: the
# files are hard links (Wine only reads its DLLs and fonts), the registry and the .ini files,
# which Wine writes, are real copies. A prefix of that name from an earlier run is replaced.
kv_prefix_clone() {
  local target="$1"
  [ -f "$WINEPREFIX/.kavinta-prepared" ] || { kv_log "prefix $WINEPREFIX is not prepared"; return 1; }
  rm -rf "$target"
  cp -al "$WINEPREFIX" "$target" || return 1
  local f rel
  while IFS= read -r -d '' f; do
    rel="${f#"$WINEPREFIX"/}"
    rm -f "$target/$rel" && cp -p "$f" "$target/$rel" || return 1
  done < <(find "$WINEPREFIX" -maxdepth 1 -name '*.reg' -print0;
           find "$WINEPREFIX/drive_c/windows" -maxdepth 1 -iname '*.ini' -print0)
}

# Sets the system PPI (LogPixels of the current user) of prefix $1 to $2; Wine reads it when
# a session starts, so the prefix's server is stopped afterwards.
kv_prefix_set_dpi() {
  local hex
  hex="$(printf '%08x' "$2")"
  WINEPREFIX="$1" wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$2" /f >/dev/null 2>&1
  WINEPREFIX="$1" wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX="$1" wineserver -w >/dev/null 2>&1 || true
  grep -qi "\"LogPixels\"=dword:$hex" "$1/user.reg" || { kv_log "LogPixels $2 not set in $1"; return 1; }
}

# Starts a PulseAudio daemon with a null sink in an own XDG_RUNTIME_DIR.
kv_pulse_start() {
  export XDG_RUNTIME_DIR="$KV_RUN_DIR/xdg"
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  # Keep the daemon's state and cookie inside the run directory as well.
  export PULSE_STATE_PATH="$KV_RUN_DIR/pulse-state"
  export PULSE_COOKIE="$KV_RUN_DIR/pulse-cookie"
  mkdir -p "$PULSE_STATE_PATH"
  pulseaudio -n --daemonize=yes --exit-idle-time=-1 --use-pid-file=yes \
    --log-target=file:"$KV_RUN_DIR/pulse.log" \
    -L "module-null-sink sink_name=nul" -L "module-native-protocol-unix" \
    >/dev/null 2>&1 || { kv_log "PulseAudio did not start (see $KV_RUN_DIR/pulse.log)"; return 1; }
  local pidfile="$XDG_RUNTIME_DIR/pulse/pid" n
  for n in $(seq 1 50); do
    [ -s "$pidfile" ] && break
    sleep 0.1
  done
  KV_PULSE_PID="$(cat "$pidfile" 2>/dev/null || true)"
  [ -n "$KV_PULSE_PID" ] || { kv_log "PulseAudio wrote no pid file"; return 1; }
  kv_log "PulseAudio null sink (pid $KV_PULSE_PID)"
}

# Waits up to $2 tenths of a second for pid $1 to end, then kills it hard.
kv_stop_pid() {
  local pid="$1" tenths="${2:-50}" n
  [ -n "$pid" ] || return 0
  kill "$pid" 2>/dev/null || return 0
  for n in $(seq 1 "$tenths"); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null || true
}

# Stops what this shell started, in order: Wine of this prefix, PulseAudio, Xvfb.
kv_session_stop() {
  if [ -n "$KV_WINE_STARTED" ] && [ -d "$WINEPREFIX" ]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
  fi
  kv_stop_pid "$KV_PULSE_PID"; KV_PULSE_PID=""
  kv_stop_pid "$KV_XVFB_PID"; KV_XVFB_PID=""
}

# True in Git Bash, MSYS2 or Cygwin on Windows.
kv_is_windows_host() {
  case "$(uname -s)" in MINGW*|MSYS*|CYGWIN*) return 0 ;; *) return 1 ;; esac
}

# The CMake preset for a build on Windows itself: KV_WINDOWS_PRESET, else msvc when
# Visual Studio is installed, else mingw.
kv_windows_preset() {
  if [ -n "${KV_WINDOWS_PRESET:-}" ]; then echo "$KV_WINDOWS_PRESET"; return; fi
  local vswhere="/c/Program Files (x86)/Microsoft Visual Studio/Installer/vswhere.exe"
  if command -v cl >/dev/null 2>&1 || [ -x "$vswhere" ]; then echo msvc; else echo mingw; fi
}

# Path of Kavinta.exe built by a Windows-host preset.
kv_windows_exe() {
  case "$1" in
    msvc) echo "$KV_ROOT/build/msvc/Release/Kavinta.exe" ;;
    *) echo "$KV_ROOT/build/$1/Kavinta.exe" ;;
  esac
}
