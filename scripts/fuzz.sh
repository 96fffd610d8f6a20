#!/usr/bin/env bash
# Runs every libFuzzer target for a set time (FUZZ_SECONDS, default 600), two at a time at low
# priority, each from its seeds in tests/fuzz/corpus/<target> and its corpus in the build tree.
# Prints each target's executions and findings; a finding is kept as build/fuzz/<target>-crash-*
# and makes the run fail. usage: scripts/fuzz.sh [target ...]
set -uo pipefail
. "$(dirname "$0")/env.sh"
cd "$NG_ROOT"
unset MAKEFLAGS MFLAGS MAKELEVEL
"$NG_ROOT/scripts/deps.sh" || exit 1
seconds=${FUZZ_SECONDS:-600}
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=($(cd tests/fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//'))
cmake --preset asan -DNG_TESTS=ON >"$NG_BUILD/asan.configure.log" 2>&1 &&
  cmake --build --preset asan -j2 --target "${targets[@]}" >/dev/null || { echo "fuzz: build failed" >&2; exit 1; }
out=$NG_BUILD/fuzz
mkdir -p "$out"

run_one() {
  local target=$1 corpus=$NG_BUILD/asan/tests/fuzz/$1_corpus
  mkdir -p "$corpus"
  nice -n 19 "$NG_BUILD/asan/tests/fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=1024 -print_final_stats=1 \
    -artifact_prefix="$out/$target-" "$corpus" "tests/fuzz/corpus/$target" >"$out/$target.log" 2>&1
}

echo "fuzz: ${#targets[@]} targets, $seconds s each, two at a time (logs in $out)"
for ((i = 0; i < ${#targets[@]}; i += 2)); do
  run_one "${targets[i]}" &
  [ $((i + 1)) -lt ${#targets[@]} ] && run_one "${targets[i + 1]}" &
  wait
done

failed=0
printf '%-24s %14s %10s %s\n' target executions corpus findings
for target in "${targets[@]}"; do
  log=$out/$target.log
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  units=$(grep -oE 'corp: [0-9]+' "$log" | tail -n 1 | cut -d' ' -f2)
  findings=$(ls "$out/$target"-* 2>/dev/null | grep -vc '\.log$')
  printf '%-24s %14s %10s %s\n' "$target" "${runs:-?}" "${units:-?}" "$findings"
  [ "$findings" = 0 ] && [ -n "$runs" ] || failed=1
done
exit $failed
