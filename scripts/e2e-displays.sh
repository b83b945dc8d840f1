#!/usr/bin/env bash
# Runs the end-to-end cases that need a Wine session of their own (kv_e2e_display_tests),
# each phase in a fresh session: its own Xvfb and its own copy of the prepared test prefix,
# stopped again by process id at the end. Wine takes the monitors and the system PPI when a
# session starts, so a phase that needs other ones needs a new session.
#   monitors  phase 1 on two monitors (window left on the second), phase 2 on one monitor
#   dpi144    the cases at 144 PPI, in a prefix whose LogPixels is 144
# Usage: e2e-displays.sh <monitors|dpi144> <build dir> <kv_e2e_display_tests.exe>
# WINEPREFIX names the prepared prefix to copy (CTest sets it).
set -uo pipefail
mode="${1:?mode}"
build="${2:?build dir}"
tests="${3:?test executable}"

export KV_BUILD_WIN="$build"
work="$build/e2e-$mode"
export KV_RUN_DIR="$work/session"
# shellcheck source=env.sh
. "$(dirname "${BASH_SOURCE[0]}")/env.sh"

rm -rf "$work"
mkdir -p "$KV_RUN_DIR"
prefix="$work/wineprefix"
export KV_E2E_PHASE_DIR="$work/data"
mkdir -p "$KV_E2E_PHASE_DIR"

kv_phase_cleanup() {
  WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX="$prefix" wineserver -w >/dev/null 2>&1 || true
  kv_xvfb_layout_stop
}
trap kv_phase_cleanup EXIT
trap 'exit 130' INT TERM

# Runs the cases matching $2 on display $1 in the phase prefix, then ends that session.
kv_phase() {
  local display="$1" filter="$2" log="$KV_RUN_DIR/phase.log" rc
  echo "==> $mode: $filter on $display"
  DISPLAY="$display" WINEPREFIX="$prefix" wine "$tests" --gtest_color=no --gtest_filter="$filter" 2>&1 |
    tee "$log"
  rc=${PIPESTATUS[0]}
  WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX="$prefix" wineserver -w >/dev/null 2>&1 || true
  # A phase that ran nothing, or skipped its cases, has not shown anything.
  if [ "$rc" -eq 0 ] && { ! grep -q '^\[  PASSED  \] [1-9]' "$log" || grep -q '^\[  SKIPPED \]' "$log"; }; then
    echo "e2e-displays.sh: no case of $filter ran" >&2
    rc=1
  fi
  return "$rc"
}

two="" one=""  # the displays, set by kv_xvfb_layout_start
kv_prefix_clone "$prefix" || exit 1
case "$mode" in
  monitors)
    # shellcheck disable=SC2086  # a layout is a list of Xvfb options
    kv_xvfb_layout_start two $KV_LAYOUT_TWO_MONITORS || exit 1
    # shellcheck disable=SC2086
    kv_xvfb_layout_start one $KV_LAYOUT_ONE_MONITOR || exit 1
    kv_phase "$two" 'SecondMonitor.KeepsTheWindowWhileItIsThere' || exit 1
    kv_phase "$one" 'SecondMonitor.GoneWindowComesBackIntoTheFirst' || exit 1
    ;;
  dpi144)
    kv_xvfb_layout_start one -screen 0 1280x1024x24 || exit 1
    DISPLAY="$one" kv_prefix_set_dpi "$prefix" 144 || exit 1
    kv_phase "$one" 'At144Ppi.*' || exit 1
    ;;
  *)
    echo "e2e-displays.sh: unknown mode $mode" >&2
    exit 2
    ;;
esac
