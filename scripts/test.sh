#!/usr/bin/env bash
# Builds everything and runs every test: native, AddressSanitizer/UBSan with the fuzz
# targets, the Windows tests under Wine, the 32-bit build's checks, the Windows packages and
# the end-to-end runs.
set -uo pipefail
. "$(dirname "$0")/env.sh"
cd "$NG_ROOT"
unset MAKEFLAGS MFLAGS MAKELEVEL  # the inner builds are not sub-makes of `make test`
"$NG_ROOT/scripts/deps.sh" || exit 1

jobs=$(nproc 2>/dev/null || echo 2)
total_pass=0
total_fail=0
failed_steps=()

step() { echo; echo "==== $*"; }

# Configures and builds one preset; a failed build counts as a failed step.
build() {
  local preset=$1; shift
  step "build $preset"
  if cmake --preset "$preset" -DNG_TESTS="${NG_TESTS_FOR_PRESET:-ON}" >"$NG_BUILD/$preset.configure.log" 2>&1 &&
     cmake --build --preset "$preset" -j"$jobs" "$@"; then
    return 0
  fi
  [ -f "$NG_BUILD/$preset.configure.log" ] && tail -n 30 "$NG_BUILD/$preset.configure.log"
  failed_steps+=("build $preset")
  total_fail=$((total_fail + 1))
  return 1
}

# Runs ctest in a build tree and adds its counts to the totals.
run_ctest() {
  local preset=$1; shift
  step "test $preset"
  local log="$NG_BUILD/$preset.ctest.log"
  ctest --test-dir "$NG_BUILD/$preset" --output-on-failure "$@" 2>&1 | tee "$log"
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$line" ]; then
    failed_steps+=("test $preset (no result)")
    total_fail=$((total_fail + 1))
    return
  fi
  local failed all
  failed=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
  all=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$line")
  total_pass=$((total_pass + all - failed))
  total_fail=$((total_fail + failed))
  if [ "$failed" -ne 0 ]; then
    failed_steps+=("test $preset")
    failure_tails+=$'\n'"---- test $preset:"$'\n'"$(sed -n '/The following tests FAILED/,$p' "$log" | head -n 8)"
  fi
}

# Runs one scripted check; it passes when it exits 0. A failure's last lines are repeated at the
# end, where a log cut to its tail still shows them.
failure_tails=
run_check() {
  local name=$1; shift
  step "$name"
  local log="$NG_BUILD/check.log"
  if "$@" 2>&1 | tee "$log"; [ "${PIPESTATUS[0]}" -eq 0 ]; then
    total_pass=$((total_pass + 1))
  else
    failed_steps+=("$name")
    total_fail=$((total_fail + 1))
    failure_tails+=$'\n'"---- $name:"$'\n'"$(tail -n 8 "$log")"
  fi
}

mkdir -p "$NG_BUILD"
had_display=${DISPLAY:-}
ng_ensure_display
ng_ensure_prefix

build native && run_ctest native -j"$jobs"
build asan && run_ctest asan -j"$jobs"
build win64 && run_ctest win64 -j"$jobs"
NG_TESTS_FOR_PRESET=OFF build win32 && run_check "32-bit image check" "$NG_ROOT/scripts/check-pe.sh" \
  "$NG_BUILD/win32/src/nightglow.exe" "$NG_BUILD/win32/tools/nightglow-cli.exe"
# The Windows packages from the two builds above, and the 64-bit installer run under Wine.
run_check "Windows packages (make dist)" "$NG_ROOT/scripts/dist.sh"
if [ -f "$NG_BUILD/win64/tests/e2e_driver.exe" ]; then
  run_check "installers under Wine" "$NG_ROOT/tests/e2e/installer_e2e.sh" "$NG_BUILD/dist" "$NG_BUILD/win64"
fi

# End-to-end runs that need more than one build tree: the real program under Wine and
# Xvfb, and the Windows command-line tool on a COM port linked to the simulator.
if [ -x "$NG_BUILD/native/tools/somnolux-sim" ] && [ -f "$NG_BUILD/win64/src/nightglow.exe" ]; then
  run_check "a user's journey end to end" "$NG_ROOT/tests/e2e/journey_e2e.sh" "$NG_BUILD/native" "$NG_BUILD/win64"
fi
if [ -f "$NG_BUILD/win64/tests/app_tests.exe" ] && [ -f "$NG_BUILD/win64/src/nightglow.exe" ]; then
  run_check "spreadsheet end to end" "$NG_ROOT/tests/e2e/exchange_e2e.sh" "$NG_BUILD/win64"
fi
if [ -x "$NG_BUILD/native/tools/somnolux-sim" ] && [ -f "$NG_BUILD/win64/tools/nightglow-cli.exe" ]; then
  run_check "command-line tool under Wine end to end" \
    "$NG_ROOT/tests/e2e/cli_wine_e2e.sh" "$NG_BUILD/native" "$NG_BUILD/win64"
fi

"$NG_WINESERVER" -k >/dev/null 2>&1 || true
# Leave no private X server behind when this run started one.
[ -n "$had_display" ] || pkill -f "^Xvfb $NG_XVFB_DISPLAY " 2>/dev/null || true

echo
echo "Builds in $NG_BUILD, Wine prefix in $WINEPREFIX"
if [ ${#failed_steps[@]} -gt 0 ]; then
  echo "Failed: ${failed_steps[*]}"
  [ -z "$failure_tails" ] || echo "Their last lines:$failure_tails"
fi
echo "tests: $total_pass passed, $total_fail failed"
[ "$total_fail" -eq 0 ]
