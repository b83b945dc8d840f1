#!/usr/bin/env bash
# Builds and runs every test: the native unit tests (ASan/UBSan), then the cross build with
# the Windows unit, Win32 and end-to-end tests under Wine on an own Xvfb, PulseAudio null
# sink and Wine prefix. Ends with one line "kavinta: N passed, N failed", counting CTest
# tests (one per test executable; a build step that fails counts as one failure) and exits
# non-zero when anything failed.
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/env.sh"
cd "$KV_ROOT"

KV_PASSED=0
KV_FAILED=0
KV_SKIPPED=0
KV_LOG_DIR="$KV_ROOT/build/test-logs"
mkdir -p "$KV_LOG_DIR"

kv_summary_and_exit() {
  local skipped=""
  [ "$KV_SKIPPED" -gt 0 ] && skipped=", $KV_SKIPPED skipped"
  echo "kavinta: $KV_PASSED passed, $KV_FAILED failed$skipped"
  [ "$KV_FAILED" -eq 0 ]
  exit $?
}

# Runs a build step; a failure counts once and the step's name is reported.
kv_step() {
  local name="$1"; shift
  echo "==> $name"
  if "$@"; then return 0; fi
  kv_log "step failed: $name"
  KV_FAILED=$((KV_FAILED + 1))
  return 1
}

# Counts the results of one ctest run from its log. The Wine prefix setup is infrastructure
# and counts only when it fails.
kv_count_ctest() {
  local name="$1" log="$2" ctest_rc="$3" pass=0 fail=0 skip=0 test_name status
  while IFS=$'\t' read -r test_name status; do
    case "$status" in
      Passed*) [ "$test_name" = kv_wine_prefix ] || pass=$((pass + 1)) ;;
      *Skipped*|*Disabled*) skip=$((skip + 1)) ;;
      *) fail=$((fail + 1)); kv_log "$name: $test_name $status" ;;
    esac
  done < <(sed -nE 's/^ *[0-9]+\/[0-9]+ +Test +#[0-9]+: ([^ ]+) \.*\.? *(.*[^ ]) +[0-9.]+ sec$/\1\t\2/p' "$log")
  if [ $((pass + fail + skip)) -eq 0 ]; then
    kv_log "$name: no test ran"; fail=1
  elif [ "$ctest_rc" -ne 0 ] && [ "$fail" -eq 0 ]; then
    kv_log "$name: ctest failed (exit $ctest_rc)"; fail=1
  fi
  echo "==> $name: $pass passed, $fail failed"
  KV_PASSED=$((KV_PASSED + pass)); KV_FAILED=$((KV_FAILED + fail)); KV_SKIPPED=$((KV_SKIPPED + skip))
}

kv_run_ctest() {
  local name="$1"; shift
  local log="$KV_LOG_DIR/$name.log" rc
  echo "==> $name: ctest $*"
  ctest "$@" 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  kv_count_ctest "$name" "$log" "$rc"
}

if ! kv_step "dependencies" bash "$KV_ROOT/scripts/deps.sh"; then
  kv_summary_and_exit
fi

if kv_is_windows_host; then
  preset="$(kv_windows_preset)"
  kv_step "configure ($preset)" cmake --preset "$preset" &&
    kv_step "build ($preset)" cmake --build --preset "$preset" &&
    kv_run_ctest "$preset" --preset "$preset"
  kv_summary_and_exit
fi

start=$SECONDS
# A failed build step counts once; the tests that did build still run (ninja -k 0).
if kv_step "configure native" cmake --preset native; then
  kv_step "build native" cmake --build --preset native -- -k 0
  kv_run_ctest native --preset native
fi
echo "==> native done in $((SECONDS - start)) s"

start=$SECONDS
if kv_step "configure windows" cmake --preset windows; then
  kv_step "build windows" cmake --build --preset windows -- -k 0
  trap kv_session_stop EXIT
  trap 'exit 130' INT TERM
  if kv_step "start Xvfb" kv_xvfb_start &&
    kv_step "start PulseAudio" kv_pulse_start &&
    kv_step "prepare Wine prefix" kv_prefix_prepare; then
    kv_run_ctest windows --preset windows
  fi
  kv_session_stop
  trap - EXIT
fi
echo "==> windows done in $((SECONDS - start)) s"

# The same Windows code with the second compiler, compiled only; then the CI workflow.
kv_step "configure windows-clang" cmake --preset windows-clang &&
  kv_step "build windows-clang" cmake --build --preset windows-clang -- -k 0
kv_step "workflow lint" bash "$KV_ROOT/scripts/lint-workflow.sh"
kv_summary_and_exit
