#!/usr/bin/env bash
# Plants the faults of tests/faults/ one at a time and runs the tests against each, stopping at the
# first failure: which faults does the suite catch, and with which test?
#
# usage: tests/faults/run.sh [-o FILE] [--no-baseline] [NN-name ...]
#   NN-name        the faults to run (a number, a patch's name or its file); all when none is named
#   -o FILE        writes the result lines to FILE as well
#   --no-baseline  skips the run without a fault that otherwise comes first (and must pass)
#
# Each fault is applied, both trees are built incrementally, ctest runs in each (skipped in a tree that
# compiles none of the patch's files), then the end-to-end scripts; the patch is reversed. Prints
# "NN-name: caught by <stage>: <first failing test>", "MISSED" or "BROKEN (...)", then "caught N of M".
# A failing end-to-end script runs once more; a failure that does not come again is no catch.
# Logs: build/faults/NN-name.log.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/env.sh"
cd "$NG_ROOT"
unset MAKEFLAGS MFLAGS MAKELEVEL  # the builds are no sub-makes of `make faults`

out_file= baseline=1 patches=()
while [ $# -gt 0 ]; do
  case $1 in
    -o) out_file=${2:?-o needs a file}; shift 2 ;;
    --no-baseline) baseline=; shift ;;
    *) name=$(basename "$1" .patch); shift
       found=("$here/$name".patch)
       [ -f "${found[0]}" ] || found=("$here/$name"-*.patch)
       [ -f "${found[0]}" ] && [ ${#found[@]} -eq 1 ] || { echo "no single fault named $name" >&2; exit 2; }
       patches+=("${found[0]}") ;;
  esac
done
[ ${#patches[@]} -gt 0 ] || patches=("$here"/*.patch)
[ -f "${patches[0]}" ] || { echo "no faults in $here" >&2; exit 2; }
# A fault is planted into src/ and tools/ as committed; changes there would be mixed into it.
git diff --quiet HEAD -- src tools || { echo "src/ or tools/ differ from the commit; commit them first" >&2; exit 2; }

"$NG_ROOT/scripts/deps.sh" || exit 1
logs=$NG_BUILD/faults
mkdir -p "$logs"
[ -z "$out_file" ] || : >"$out_file"
had_display=${DISPLAY:-}
ng_ensure_display
ng_ensure_prefix

applied=
finish() {
  [ -z "$applied" ] || { git apply -R "$applied" && echo "reversed $(basename "$applied" .patch)" >&2; }
  "$NG_WINESERVER" -k >/dev/null 2>&1 || true
  # Stop the private X server when this run started it: its lock file holds its process id.
  local lock=/tmp/.X${NG_XVFB_DISPLAY#:}-lock
  [ -n "$had_display" ] || [ ! -f "$lock" ] || kill "$(tr -d ' ' <"$lock")" 2>/dev/null
}
trap finish EXIT
trap 'exit 130' INT TERM HUP
say() { echo "$*"; [ -z "$out_file" ] || echo "$*" >>"$out_file"; }

for preset in native win64; do
  cmake --preset "$preset" -DNG_TESTS=ON >"$logs/$preset.configure.log" 2>&1 ||
    { tail -n 20 "$logs/$preset.configure.log" >&2; exit 1; }
done
build() { nice cmake --build --preset "$1" -j2; }

# compiled_in PRESET PATCH: whether that tree compiles one of the patch's files (a header counts).
compiled_in() {
  local file
  for file in $(git apply --numstat "$2" | cut -f 3); do
    case $file in
      *.rc) [ "$1" = win64 ] && return 0 ;;
      *.cpp) grep -q "\"file\": \"$NG_ROOT/$file\"" "$NG_BUILD/$1/compile_commands.json" && return 0 ;;
      *) return 0 ;;
    esac
  done
  return 1
}

# ctest_stage PRESET LOG: sets `why` to the first failing test and, for a program of many cases, its first
# failing case. A crash under Wine starts its debugger, which waits, and so does every program beside it:
# --timeout ends that.
ctest_stage() {
  local part=$logs/.ctest.log test case_name
  nice ctest --test-dir "$NG_BUILD/$1" --output-on-failure --stop-on-failure -j2 --timeout 120 >"$part" 2>&1 &&
    { cat "$part" >>"$2"; return 0; }
  cat "$part" >>"$2"
  test=$(tr -d '\r' <"$part" | grep -m1 -E 'Test +#[0-9]+: .*\*\*\*' | sed -E 's/.*Test +#[0-9]+: ([^ ]+) .*\*\*\*([A-Za-z]+).*/\1 (\2)/')
  case_name=$(tr -d '\r' <"$part" | grep -m1 -oE '^\[  FAILED  \] [^ ,]+\.[^ ,]+' | cut -c14-)
  why=${test:-"ctest failed: $(tail -n 1 "$part")"}
  [ -z "$case_name" ] || [ "$case_name" = "${test%% *}" ] || why="${test%% *}: $case_name (${test#* (}"
  return 1
}

# script_stage LOG SCRIPT ARGS...: sets `why` to the script's FAIL line; a failure is tried once more.
script_stage() {
  local log=$1 part=$logs/.script.log code first=
  shift
  for _ in 1 2; do
    # --foreground: the script stays in this process group, where Ctrl-C reaches it.
    nice timeout --foreground -k 30 1200 "$@" >"$part" 2>&1
    code=$?
    cat "$part" >>"$log"
    if [ $code -eq 0 ]; then
      [ -z "$first" ] || flaky+="${flaky:+; }$(basename "$1" .sh) failed once ($first)"
      return 0
    fi
    why=$(tr -d '\r' <"$part" | grep -m1 '^FAIL' | cut -c1-200)
    [ $code -ne 124 ] || { why="timed out after 20 minutes"; return 1; }
    [ -n "$why" ] || why="exit code $code: $(tail -n 1 "$part" | cut -c1-200)"
    first=$why
    echo "==== $(basename "$1" .sh) again" >>"$log"
  done
  return 1
}

# run_suite LOG [PATCH]: sets `result` to "<stage>: <why>" at the first failure, or to nothing.
# Returns 1 when a build failed.
run_suite() {
  local log=$1 patch=${2:-} preset native=$NG_BUILD/native win=$NG_BUILD/win64
  result= flaky=
  for preset in native win64; do
    echo "==== build $preset" >>"$log"
    build "$preset" >>"$log" 2>&1 || return 1
  done
  for preset in native win64; do
    echo "==== test $preset" >>"$log"
    [ -z "$patch" ] || compiled_in "$preset" "$patch" || continue
    ctest_stage "$preset" "$log" || { result="$preset: $why"; return 0; }
  done
  local stage
  for stage in "exchange_e2e $win" "journey_e2e $native $win" "cli_wine_e2e $native $win"; do
    set -- $stage
    echo "==== $1" >>"$log"
    script_stage "$log" "tests/e2e/$1.sh" "${@:2}" || { result="$1: $why"; return 0; }
  done
}

if [ -n "$baseline" ]; then
  echo "baseline: the whole suite without a fault..."
  : >"$logs/baseline.log"
  run_suite "$logs/baseline.log" || { echo "baseline: the build fails; see $logs/baseline.log" >&2; exit 1; }
  [ -z "$result" ] || { echo "baseline: fails without a fault, at $result" >&2; exit 1; }
  echo "baseline: passes ($SECONDS s)${flaky:+; $flaky, then passed}"
fi

caught=0 total=0 broken=0 started=$SECONDS
for patch in "${patches[@]}"; do
  name=$(basename "$patch" .patch)
  log=$logs/$name.log
  total=$((total + 1))
  { head -n 1 "$patch"; echo; } >"$log"
  if ! git apply "$patch" >>"$log" 2>&1; then
    say "$name: BROKEN (does not apply)"
    broken=$((broken + 1))
    continue
  fi
  applied=$patch
  if ! run_suite "$log" "$patch"; then
    say "$name: BROKEN (does not build)"
    broken=$((broken + 1))
  elif [ -n "$result" ]; then
    say "$name: caught by $result${flaky:+ ($flaky, then passed)}"
    caught=$((caught + 1))
  else
    say "$name: MISSED${flaky:+ ($flaky, then passed)}"
  fi
  git apply -R "$patch" >>"$log" 2>&1 || { echo "$name: cannot reverse the patch" >&2; exit 1; }
  applied=
done

elapsed=$((SECONDS - started))
say "$total fault(s) in $((elapsed / 60)) min $((elapsed % 60)) s, $((elapsed / total)) s a fault"
say "caught $caught of $total$([ $broken -eq 0 ] || echo " ($broken broken)")"
[ $broken -eq 0 ]
