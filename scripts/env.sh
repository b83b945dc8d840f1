# shellcheck shell=bash
# Environment of the project-local Wine and the headless session services.
# Source it:  . scripts/env.sh
# Variables (all may be set beforehand):
#   KV_BUILD_WIN   Windows build directory            (default <repo>/build/win)
#   WINEPREFIX     project-local Wine prefix           (default $KV_BUILD_WIN/wineprefix)
#   KV_RUN_DIR     pid files, logs, XDG_RUNTIME_DIR    (default $KV_BUILD_WIN/session)
#   KV_DISPLAY     X display for Xvfb, e.g. :21        (default: a free one)
# Functions: kv_prefix_prepare, kv_xvfb_start, kv_pulse_start, kv_session_stop.
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
