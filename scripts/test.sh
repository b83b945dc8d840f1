#!/usr/bin/env bash
# Builds and runs every test: the native unit tests (ASan/UBSan), then the cross build with
# the Windows unit, Win32 and end-to-end tests under Wine on an own Xvfb, PulseAudio null
# sink and Wine prefix. Ends with one line "kavinta: N passed, N failed, N skipped", counting
# the GoogleTest cases of every test executable from their XML results; a build step that
# fails, a session service that does not start, and a test executable that fails without a
# failed case in its results (a crash, a time-out, no results written) count as one failed
# case each. Exits non-zero when anything failed.
# KV_TEST_PARTS picks the parts to run (default: "native windows clang lint"), for example
# KV_TEST_PARTS=windows to repeat the Windows part alone.
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/env.sh"
cd "$KV_ROOT"

KV_PASSED=0
KV_FAILED=0
KV_SKIPPED=0
KV_LOG_DIR="$KV_ROOT/build/test-logs"
mkdir -p "$KV_LOG_DIR"

# Adds passed, failed and skipped cases to the closing line; every step reports through it.
kv_tally() {
  KV_PASSED=$((KV_PASSED + $1)); KV_FAILED=$((KV_FAILED + $2)); KV_SKIPPED=$((KV_SKIPPED + $3))
}

kv_summary_and_exit() {
  echo "kavinta: $KV_PASSED passed, $KV_FAILED failed, $KV_SKIPPED skipped"
  [ "$KV_FAILED" -eq 0 ]
  exit $?
}

# Runs a build step; a failure counts once and the step's name is reported.
kv_step() {
  local name="$1"; shift
  echo "==> $name"
  if "$@"; then return 0; fi
  kv_log "step failed: $name"
  kv_tally 0 1 0
  return 1
}

# Counts the cases of one ctest run: each test's GoogleTest results in <results>/<test>/
# (scripts/gtest-count.py), the ctest log for what ended without them. The Wine prefix setup
# is infrastructure: it counts only when it fails.
kv_count_ctest() {
  local name="$1" log="$2" ctest_rc="$3" results="$4" pass=0 fail=0 skip=0 tests=0
  local test_name status counts p f s
  while IFS=$'\t' read -r test_name status; do
    tests=$((tests + 1))
    if [ "$test_name" = kv_wine_prefix ]; then
      case "$status" in
        Passed*) ;;
        *) fail=$((fail + 1)); kv_log "$name: $test_name $status" ;;
      esac
      continue
    fi
    case "$status" in *Disabled*) skip=$((skip + 1)); continue ;; esac
    if ! counts="$(python3 "$KV_ROOT/scripts/gtest-count.py" "$results/$test_name")"; then
      fail=$((fail + 1)); kv_log "$name: $test_name $status, no test results written"
      continue
    fi
    read -r p f s <<<"$counts"
    pass=$((pass + p)); fail=$((fail + f)); skip=$((skip + s))
    case "$status" in
      Passed*) ;;
      *) kv_log "$name: $test_name $status ($f failed cases)"
         [ "$f" -gt 0 ] || fail=$((fail + 1)) ;;
    esac
  done < <(sed -nE 's/^ *[0-9]+\/[0-9]+ +Test +#[0-9]+: ([^ ]+) \.*\.? *(.*[^ ]) +[0-9.]+ sec$/\1\t\2/p' "$log")
  if [ "$tests" -eq 0 ]; then
    kv_log "$name: no test ran"; fail=$((fail + 1))
  elif [ "$ctest_rc" -ne 0 ] && [ "$fail" -eq 0 ]; then
    kv_log "$name: ctest failed (exit $ctest_rc)"; fail=1
  fi
  echo "==> $name: $pass passed, $fail failed, $skip skipped"
  kv_tally "$pass" "$fail" "$skip"
}

# kv_run_ctest <name> <build dir> <ctest arguments>: runs ctest with fresh results.
kv_run_ctest() {
  local name="$1" build="$2"; shift 2
  local log="$KV_LOG_DIR/$name.log" rc
  rm -rf "$build/test-results"
  echo "==> $name: ctest $*"
  ctest "$@" 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  kv_count_ctest "$name" "$log" "$rc" "$build/test-results"
}

KV_TEST_PARTS="${KV_TEST_PARTS:-native windows clang lint}"
kv_part() { case " $KV_TEST_PARTS " in *" $1 "*) return 0 ;; esac; return 1; }

if ! kv_step "dependencies" bash "$KV_ROOT/scripts/deps.sh"; then
  kv_summary_and_exit
fi

if kv_is_windows_host; then
  preset="$(kv_windows_preset)"
  kv_step "configure ($preset)" cmake --preset "$preset" &&
    kv_step "build ($preset)" cmake --build --preset "$preset" &&
    kv_run_ctest "$preset" "$KV_ROOT/build/$preset" --preset "$preset"
  kv_summary_and_exit
fi

start=$SECONDS
# A failed build step counts once; the tests that did build still run (ninja -k 0).
if kv_part native && kv_step "configure native" cmake --preset native; then
  kv_step "build native" cmake --build --preset native -- -k 0
  kv_run_ctest native "$KV_ROOT/build/native" --preset native
fi
echo "==> native done in $((SECONDS - start)) s"

# kv_wine_session <build dir> <command...>: runs the command (ctest runs) with an own Xvfb,
# PulseAudio null sink and the build's Wine prefix, and stops them again.
kv_wine_session() {
  local build="$1"; shift
  local saved_build="$KV_BUILD_WIN" saved_prefix="$WINEPREFIX" saved_run="$KV_RUN_DIR"
  export KV_BUILD_WIN="$build" WINEPREFIX="$build/wineprefix" KV_RUN_DIR="$build/session"
  trap kv_session_stop EXIT
  trap 'exit 130' INT TERM
  if kv_step "start Xvfb" kv_xvfb_start &&
    kv_step "start PulseAudio" kv_pulse_start &&
    kv_step "prepare Wine prefix" kv_prefix_prepare; then
    "$@"
  fi
  kv_session_stop
  trap - EXIT
  export KV_BUILD_WIN="$saved_build" WINEPREFIX="$saved_prefix" KV_RUN_DIR="$saved_run"
}

start=$SECONDS
if kv_part windows && kv_step "configure windows" cmake --preset windows; then
  kv_step "build windows" cmake --build --preset windows -- -k 0
  kv_wine_session "$KV_BUILD_WIN" kv_run_ctest windows "$KV_BUILD_WIN" --preset windows
  # Two jingles 12 dB apart with one loudness on, as the sound server hears them.
  kv_step "loudness at the monitor" bash "$KV_ROOT/scripts/loudness-check.sh"
fi
echo "==> windows done in $((SECONDS - start)) s"

# The same Windows code built with the second compiler (warnings are errors), then under Wine
# its Win32 tests and a few end-to-end cases of its Kavinta.exe: the start, the window shown
# and closed cleanly, the DLLs loaded on first use, a jingle played, the language module.
KV_CLANG_E2E_CASES="FirstStart.*:ProgramImage.*:Playback.F1PlaysWithMarkerAndMonitorThenRestoresCaptions"
KV_CLANG_E2E_CASES="$KV_CLANG_E2E_CASES:LanguageSwitch.EnglishFlagThenRestartShowsEverythingInEnglish"
# shellcheck disable=SC2317  # called through kv_wine_session
kv_clang_tests() {
  local build="$KV_ROOT/build/win-clang"
  kv_run_ctest windows-clang-win32 "$build" --test-dir "$build" -R '^kv_win32_tests$' --output-on-failure
  GTEST_FILTER="$KV_CLANG_E2E_CASES" \
    kv_run_ctest windows-clang-e2e "$build" --test-dir "$build" -R '^kv_e2e_tests$' --output-on-failure
}
start=$SECONDS
if kv_part clang && kv_step "configure windows-clang" cmake --preset windows-clang &&
  kv_step "build windows-clang" cmake --build --preset windows-clang -- -k 0; then
  kv_wine_session "$KV_ROOT/build/win-clang" kv_clang_tests
fi
echo "==> windows-clang done in $((SECONDS - start)) s"

kv_part lint && kv_step "workflow lint" bash "$KV_ROOT/scripts/lint-workflow.sh"
kv_summary_and_exit
