#!/usr/bin/env bash
# Runs every test on a fresh Debian machine: installs what is needed, builds
# both targets, runs the native unit tests (ASan/UBSan), the fuzz targets for
# a bounded time, and the end-to-end tests of the Windows program under Wine.
#   scripts/test.sh            everything
# Knobs: AMBREL_FUZZ_SECONDS (per fuzz target, default 30), AMBREL_SKIP_E2E=1,
# AMBREL_E2E_FILTER (a --gtest_filter for the end-to-end run),
# AMBREL_FORCE_NO_WIN32=1 (as on a machine that cannot run 32-bit programs).
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
logs="$root/build/test-logs"
mkdir -p "$logs"
rm -f "$logs"/*.log
step() { echo; echo "=== $* ==="; }

step "set-up"
bash scripts/doctor.sh  # what is missing now; the steps below install or make it
. scripts/deps.sh
ambrel_deps_require || { echo "could not install the dependencies" >&2; exit 1; }

# The one trap: whatever way the run ends (passed, failed, Ctrl-C, kill),
# the steps' processes, the Wine server, Xvfb and cupsd it started are
# stopped. (Sourcing wine_env.sh sets its own; set_trap puts this one back.)
exit_how= cups_started=
descendants() {
  local child
  for child in $(cat /proc/"$1"/task/*/children 2>/dev/null); do descendants "$child"; echo "$child"; done
}
stop_services() {
  kill $(descendants $$) 2>/dev/null
  if declare -F ambrel_env_cleanup >/dev/null; then ambrel_env_cleanup $exit_how; fi
  if [ -n "$cups_started" ]; then bash scripts/cups_env.sh stop; fi
}
set_trap() {
  trap 'stop_services' EXIT
  trap 'exit_how=interrupted; exit 130' INT
  trap 'exit_how=interrupted; exit 143' TERM
  trap 'exit_how=interrupted; exit 129' HUP
}
set_trap
# Runs "$@" with its output shown and kept in log $1; returns its status.
# Waited for in the background, so that an interrupt reaches the trap at once.
logged() {
  local log=$1 rc; shift
  { "$@"; echo $? >"$log.rc"; } 2>&1 | tee "$log" &
  wait $!
  rc=$(cat "$log.rc" 2>/dev/null || echo 1)
  rm -f "$log.rc"
  return "$rc"
}
# A step under Wine ends with the programs it left in the prefix.
in_wine() { "$@"; local rc=$?; wineserver -k 2>/dev/null; return $rc; }

failed=0
# Names of the GoogleTest tests that failed in a log (parameterised ones too:
# "Suite/Fixture.Test/Param, where GetParam() = 0 (12 ms)").
failed_tests() { sed -nE 's/^\[  FAILED  \] ([A-Za-z0-9_/]+\.[A-Za-z0-9_/]+)( \(|, where ).*/\1/p' "$1" | sort -u; }

step "build"
bash scripts/build.sh all || exit 1

step "help"
logged "$logs/help.log" python3 scripts/help_check.py || failed=1

step "installer decisions, with a fake apt-get"
logged "$logs/deps.log" bash scripts/deps_test.sh || failed=1

step "layers"
logged "$logs/layers.log" python3 scripts/check_layers.py || failed=1

step "native unit tests"
logged "$logs/native.log" bash -c 'cd build/native && ctest --output-on-failure -j 2 --timeout 600' || failed=1

step "fuzz targets"
logged "$logs/fuzz.log" bash scripts/fuzz.sh "${AMBREL_FUZZ_SECONDS:-30}" || failed=1

if [ "${AMBREL_SKIP_E2E:-0}" != 1 ]; then
  # A CUPS server with a PDF printer as the default printer: the print test
  # prints into it, and scripts/check_prints.py reads the pages back.
  print_expect=""
  if bash scripts/cups_env.sh start; then
    cups_started=1
    print_dir=$(bash scripts/cups_env.sh outdir)
    print_expect="$logs/print-expect.txt"
    rm -f "$print_expect"
    export AMBREL_PDF_DIR="Z:${print_dir//\//\\}" AMBREL_PRINT_EXPECT="Z:${print_expect//\//\\}"
  fi
  # One Wine environment (prefix, Xvfb) for every step below.
  . scripts/wine_env.sh || exit 1
  set_trap
  e2e() {
    echo "ANSI code page: $(ambrel_wine_acp)"
    in_wine wine build/win/ambrel_e2e.exe --gtest_color=no "$@"
  }
  filter=()
  [ -n "${AMBREL_E2E_FILTER:-}" ] && filter=(--gtest_filter="$AMBREL_E2E_FILTER")
  step "end-to-end tests under Wine"
  logged "$logs/e2e.log" e2e "${filter[@]}"
  e2e_rc=$?
  # A desktop shared by two programs under a loaded machine can miss a
  # moment; a test that failed gets one more run on its own, and counts as
  # failed only when it fails again. Both runs stay in the log.
  retry=$(failed_tests "$logs/e2e.log" | paste -sd: -)
  if [ "$e2e_rc" -ne 0 ] && [ -n "$retry" ]; then
    step "end-to-end tests that failed, once more: $retry"
    logged "$logs/e2e-retry.log" e2e --gtest_filter="$retry"
    e2e_rc=$?
  fi
  [ "$e2e_rc" -eq 0 ] || failed=1
  # The clipboard on a Windows whose language is not Japanese: the same
  # programs under a locale whose ANSI code page is 1252. The test fails
  # there, rather than skips, when the code page is not 1252. It runs in a
  # prefix of its own: Wine registers the fonts of the code page it runs
  # under in the prefix, and the Japanese prefix's dialogs and printed pages
  # then drew with them (wider labels, text OCR could not read).
  e2e_1252() (
    export AMBREL_WINEPREFIX="$WINEPREFIX-1252" AMBREL_WINE_LOCALE=en_US.UTF-8 AMBREL_E2E_ACP=1252
    ambrel_prefix_require || exit 1
    e2e --gtest_filter='ForeignLocale.*'
  )
  step "end-to-end test under ANSI code page 1252"
  logged "$logs/e2e-1252.log" e2e_1252 || failed=1
  step "packages: zip and MSI, installed, run and removed under Wine"
  logged "$logs/package.log" in_wine bash -c 'bash scripts/package.sh && bash scripts/package_check.sh' || failed=1
  step "editor screenshot"
  logged "$logs/screenshot-editor.log" in_wine bash scripts/screenshot_editor.sh build/win || echo "(no screenshot)"
  step "properties dialog screenshots"
  logged "$logs/screenshot-properties.log" in_wine bash scripts/screenshot_properties.sh build/win || echo "(no screenshot)"
  prints_rc=""
  # Unless a filter left the print test out of the run.
  if [ -n "$print_expect" ] && grep -q '^\[ RUN      \] Data\.PrintsReachTheDefaultPrinter' "$logs/e2e.log"; then
    step "printed pages, read back by OCR"
    if [ -f "$print_expect" ]; then
      logged "$logs/prints.log" python3 scripts/check_prints.py "$print_expect" "$print_dir" --png build/win/print-page.png
      prints_rc=$?
    else
      echo "the print test wrote nothing to check" | tee "$logs/prints.log"
      prints_rc=1
    fi
  fi
  bash scripts/cups_env.sh stop
  cups_started=
fi

# One closing line over both runners: ctest's count and GoogleTest's under Wine.
native_total=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\2/p' "$logs/native.log" | tail -n 1)
native_failed=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of.*/\1/p' "$logs/native.log" | tail -n 1)
e2e_passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\{0,1\}\..*/\1/p' "$logs/e2e.log" 2>/dev/null | tail -n 1)
e2e_failed=$(sed -n 's/^ *\([0-9]*\) FAILED TESTS\{0,1\}.*/\1/p' "$logs/e2e.log" 2>/dev/null | tail -n 1)
if [ -f "$logs/e2e-retry.log" ]; then
  # The retried tests count by their second run.
  retried_passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\{0,1\}\..*/\1/p' "$logs/e2e-retry.log" | tail -n 1)
  retried_failed=$(sed -n 's/^ *\([0-9]*\) FAILED TESTS\{0,1\}.*/\1/p' "$logs/e2e-retry.log" | tail -n 1)
  e2e_passed=$(( ${e2e_passed:-0} + ${retried_passed:-0} ))
  e2e_failed=${retried_failed:-0}
fi
# Every test that needed a second run, by name, so that flakiness shows.
if [ -f "$logs/e2e-retry.log" ]; then
  echo
  echo "end-to-end tests that needed a second run:"
  for t in $(failed_tests "$logs/e2e.log"); do
    if grep -q "^\[       OK \] $t " "$logs/e2e-retry.log"; then
      echo "  $t: passed on its second run (flaky)"
    else
      echo "  $t: failed again"
    fi
  done
fi
# The package check and the installer's check count as one test each.
package_passed=$(grep -c '^package check: passed$' "$logs/package.log" 2>/dev/null)
package_failed=$(grep -c '^package check: FAILED$' "$logs/package.log" 2>/dev/null)
deps_passed=$(grep -c '^deps test: passed$' "$logs/deps.log" 2>/dev/null)
deps_failed=$(grep -c '^deps test: FAILED$' "$logs/deps.log" 2>/dev/null)
passed=$(( ${native_total:-0} - ${native_failed:-0} + ${e2e_passed:-0} + ${package_passed:-0} + ${deps_passed:-0} ))
failures=$(( ${native_failed:-0} + ${e2e_failed:-0} + ${package_failed:-0} + ${deps_failed:-0} ))
# The print check counts as one test.
if [ -n "${prints_rc:-}" ]; then
  if [ "$prints_rc" -eq 0 ]; then passed=$((passed + 1)); else failures=$((failures + 1)); failed=1; fi
fi
[ $failed -ne 0 ] && [ $failures -eq 0 ] && failures=1
# Skipped end-to-end tests, counted by reason (GoogleTest prints the reason
# on the line after "...: Skipped").
skipped=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) tests\{0,1\}, listed below.*/\1/p' "$logs/e2e.log" 2>/dev/null | tail -n 1)
echo
if [ "${skipped:-0}" -gt 0 ]; then
  echo "skipped end-to-end tests, by reason:"
  tr -d '\r' <"$logs/e2e.log" | awk 'skip { print; skip = 0 } /: Skipped$/ { skip = 1 }' | sort | uniq -c | sed 's/^ */  /'
fi
summary="$passed passed, $failures failed, ${skipped:-0} skipped"
if [ "${AMBREL_WIN32:-yes}" = no ] && [ "${skipped:-0}" -gt 0 ]; then
  summary="$summary (32-bit programs do not run here: $AMBREL_NO_WIN32)"
fi
echo "$summary"
[ $failed -eq 0 ]
