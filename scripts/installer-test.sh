#!/usr/bin/env bash
# Tests the setup of the release (kv_release) in a fresh copy of the test prefix, silently,
# as a deployment would run it:
#   1. an older setup (the same files as version 0.9.0.0) installs for the current user;
#   2. with a KV.ini in the data folder and a language chosen for the installed program,
#      the release's setup updates it: KV.ini stays byte for byte, the language stays;
#   3. kv_install_tests starts the installed program from the Start-menu shortcut's target,
#      plays a slot, and runs the setup while the program runs (it must fail);
#   4. the uninstaller (the entry's QuietUninstallString) removes the files, the shortcut,
#      the entry and the program's language value, and leaves the data folder alone;
#   5. as an administrator, /AllUsers installs into Program Files with the machine's entry
#      and the common Start-menu shortcut, and its uninstaller removes them again.
# Usage: installer-test.sh <build dir> <kv_install_tests.exe> <makensis>
# WINEPREFIX names the prepared prefix to copy (CTest sets it).
set -uo pipefail
build="$(cd "${1:?build dir}" && pwd)"
tests="${2:?kv_install_tests.exe}"
makensis="${3:?makensis}"

export KV_BUILD_WIN="$build"
work="$build/installer-test"
export KV_RUN_DIR="$work/session"
# shellcheck source=env.sh
. "$(dirname "${BASH_SOURCE[0]}")/env.sh"

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
files="$build/release/Kavinta-$version-win64"
setup="$build/release/Kavinta-$version-win64-setup.exe"
[ -f "$setup" ] || { kv_log "no setup $setup (target kv_release)"; exit 1; }

rm -rf "$work"
mkdir -p "$KV_RUN_DIR"
prefix="$work/wineprefix"

kv_installer_cleanup() {
  WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX="$prefix" wineserver -w >/dev/null 2>&1 || true
  kv_xvfb_layout_stop
}
trap kv_installer_cleanup EXIT
trap 'exit 130' INT TERM

failures=0
# Each check is also a test case in GoogleTest's XML form, beside the results of
# kv_install_tests, in the folder GTEST_OUTPUT names (CTest sets it; under Wine it is a Z: path).
results=""
case "${GTEST_OUTPUT:-}" in xml:*) results="${GTEST_OUTPUT#xml:}"; results="${results#Z:}" ;; esac
cases=""
shopt -u patsub_replacement 2>/dev/null  # "&" in a replacement stays "&"
xml_case() {  # xml_case <name> [failure]
  local name="$1"
  name="${name//&/&amp;}"; name="${name//</&lt;}"; name="${name//>/&gt;}"; name="${name//\"/&quot;}"
  if [ $# -gt 1 ]; then
    cases+="    <testcase name=\"$name\" classname=\"Installer\"><failure message=\"failed\"/></testcase>"$'\n'
  else
    cases+="    <testcase name=\"$name\" classname=\"Installer\"/>"$'\n'
  fi
}
write_results() {
  [ -n "$results" ] || return 0
  mkdir -p "$results"
  printf '<?xml version="1.0" encoding="UTF-8"?>\n<testsuites>\n  <testsuite name="Installer">\n%s  </testsuite>\n</testsuites>\n' \
    "$cases" >"$results/installer-checks.xml"
}
pass() { echo "  passed: $*"; xml_case "$*"; }
fail() { echo "  FAILED: $*" >&2; failures=$((failures + 1)); xml_case "$*" failed; }
expect() {  # expect <description> <command...>
  local what="$1"; shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

start=$SECONDS
kv_prefix_clone "$prefix" || exit 1
export WINEPREFIX="$prefix"
screen=""  # set by kv_xvfb_layout_start
kv_xvfb_layout_start screen -screen 0 1280x1024x24 || exit 1
export DISPLAY="$screen"
wineserver -p >/dev/null 2>&1  # one server for all the steps below

user="$(id -un)"
home="$prefix/drive_c/users/$user"
installed="$home/AppData/Local/Programs/Kavinta"
winfolder="C:\\users\\$user\\AppData\\Local\\Programs\\Kavinta"
link="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Kavinta.lnk"
winlink="C:\\users\\$user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Kavinta.lnk"
data="$home/AppData/Roaming/Kavinta"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kavinta'
locales_key='HKCU\Software\Embarcadero\Locales'

# reg_value <key> <name>: prints the value's data, fails when it is not there.
reg_value() {
  local out
  out="$(wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r')" || return 1
  printf '%s\n' "$out" | sed -nE 's/^ +[^ ].* +REG_[A-Z_]+ +(.*)$/\1/p' | head -n1 | grep .
}
reg_value_is() { [ "$(reg_value "$1" "$2")" = "$3" ]; }
no_reg_value() { ! reg_value "$1" "$2" >/dev/null; }
no_reg_key() { ! wine reg query "$1" >/dev/null 2>&1; }
# eventually <tenths> <command...>: true once the command is, polling for that long.
eventually() {
  local tenths="$1"; shift
  for _ in $(seq 1 "$tenths"); do "$@" && return 0; sleep 0.1; done
  "$@"
}

echo "==> installer: build an older setup"
old_setup="$work/Kavinta-0.9.0.0-win64-setup.exe"
"$makensis" -V1 -DKV_VERSION=0.9.0.0 -DKV_FILES="$files" -DKV_OUTFILE="$old_setup" \
  "$KV_ROOT/installer/Kavinta.nsi" || exit 1

echo "==> installer: silent install of 0.9.0.0 into a fresh prefix"
expect "setup /S exits 0" wine "$old_setup" /S
expect "Kavinta.exe installed" cmp -s "$files/Kavinta.exe" "$installed/Kavinta.exe"
expect "Kavinta.EN installed" cmp -s "$files/Kavinta.EN" "$installed/Kavinta.EN"
expect "Start-menu shortcut" test -f "$link"
expect "entry with DisplayVersion 0.9.0.0" reg_value_is "$uninstall_key" DisplayVersion 0.9.0.0
expect "entry without the machine's key" no_reg_key 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kavinta'

echo "==> installer: update to $version keeps the data and the language"
mkdir -p "$data"
printf '\xff\xfe' >"$data/KV.ini"
printf '[Musik]\r\nText1=Ton \xe2\x98\x83\r\n' | iconv -f UTF-8 -t UTF-16LE >>"$data/KV.ini"
printf 'Datum Zeit Jinglename Jinglepfad\r\n' >"$data/KVLOG.LOG"
cp -p "$data/KV.ini" "$work/KV.ini.before"
wine reg add "$locales_key" /v "$winfolder\\Kavinta.exe" /d EN /f >/dev/null 2>&1
wine reg add "$locales_key" /v 'D:\Portable\Kavinta.exe' /d EN /f >/dev/null 2>&1
expect "update setup /S exits 0" wine "$setup" /S
expect "KV.ini byte for byte" cmp -s "$work/KV.ini.before" "$data/KV.ini"
expect "entry with DisplayVersion $version" reg_value_is "$uninstall_key" DisplayVersion "$version"
expect "language of the program kept" reg_value_is "$locales_key" "$winfolder\\Kavinta.exe" EN
for value in Publisher UninstallString QuietUninstallString EstimatedSize InstallLocation; do
  expect "entry has $value" eval "reg_value \"\$uninstall_key\" $value >/dev/null"
done
expect "EstimatedSize in KB" bash -c "[ \$((\$(printf '%s' \"\$1\"))) -ge \$((\$(stat -c %s \"\$2\") / 1024)) ]" _ \
  "$(reg_value "$uninstall_key" EstimatedSize)" "$installed/Kavinta.exe"

echo "==> installer: the installed program from its shortcut"
KV_INSTALL_SHORTCUT="$winlink" KV_INSTALL_FOLDER="$winfolder" KV_INSTALL_SETUP="Z:${setup//\//\\}" \
  KV_ARTIFACTS="Z:${build//\//\\}\\artifacts" \
  WINEDLLOVERRIDES="$WINEDLLOVERRIDES" wine "$tests" --gtest_color=no 2>&1 | tee "$KV_RUN_DIR/tests.log"
rc=${PIPESTATUS[0]}
if [ "$rc" -eq 0 ] && grep -q '^\[  PASSED  \] [1-9]' "$KV_RUN_DIR/tests.log" &&
   ! grep -q '^\[  SKIPPED \]' "$KV_RUN_DIR/tests.log"; then
  pass "kv_install_tests"
else
  fail "kv_install_tests (exit $rc)"
fi
expect "the refused setup left the program file as it was" cmp -s "$files/Kavinta.exe" "$installed/Kavinta.exe"

echo "==> installer: silent uninstall by the entry's QuietUninstallString"
quiet="$(reg_value "$uninstall_key" QuietUninstallString)"
expect "QuietUninstallString names the uninstaller" test "$quiet" = "\"$winfolder\\Uninstall.exe\" /CurrentUser /S"
# The uninstaller goes on as a copy of itself in %TEMP% and its first process ends at once.
expect "uninstaller exits 0" wine "$installed/Uninstall.exe" /CurrentUser /S
expect "program folder removed" eventually 600 test ! -e "$installed"
expect "uninstaller done" eventually 600 no_reg_key "$uninstall_key"
expect "shortcut removed" test ! -e "$link"
expect "language value of the program removed" no_reg_value "$locales_key" "$winfolder\\Kavinta.exe"
expect "language value of another copy kept" reg_value_is "$locales_key" 'D:\Portable\Kavinta.exe' EN
expect "KV.ini kept byte for byte" cmp -s "$work/KV.ini.before" "$data/KV.ini"
expect "KVLOG.LOG kept" test -f "$data/KVLOG.LOG"

echo "==> installer: for all users, and removed again"
machine_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kavinta'
machine_folder="$prefix/drive_c/Program Files/Kavinta"
common_link="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Kavinta.lnk"
expect "setup /S /AllUsers exits 0" wine "$setup" /S /AllUsers
expect "Kavinta.exe in Program Files" cmp -s "$files/Kavinta.exe" "$machine_folder/Kavinta.exe"
expect "common Start-menu shortcut" test -f "$common_link"
expect "machine's entry with DisplayVersion $version" reg_value_is "$machine_key" DisplayVersion "$version"
expect "no entry of the current user" no_reg_key "$uninstall_key"
quiet="$(reg_value "$machine_key" QuietUninstallString)"
expect "machine's QuietUninstallString for all users" test "$quiet" = "\"C:\\Program Files\\Kavinta\\Uninstall.exe\" /AllUsers /S"
expect "all-users uninstaller exits 0" wine "$machine_folder/Uninstall.exe" /AllUsers /S
expect "Program Files folder removed" eventually 600 test ! -e "$machine_folder"
expect "machine's entry removed" eventually 600 no_reg_key "$machine_key"
expect "common shortcut removed" test ! -e "$common_link"
expect "KV.ini still kept byte for byte" cmp -s "$work/KV.ini.before" "$data/KV.ini"

echo "==> installer: $failures failed ($((SECONDS - start)) s)"
write_results
[ "$failures" -eq 0 ]
