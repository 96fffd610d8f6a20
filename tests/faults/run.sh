#!/usr/bin/env bash
# Plants the faults of tests/faults/ one at a time and runs the test suite against each, stopping at
# the first failing test: which faults does the suite catch, and with which test?
#
# usage: tests/faults/run.sh [-o FILE] [--no-baseline] [NN-name ...]
#   NN-name   the faults to run (a number, a patch's name or its file); all when none is named
#   -o FILE   writes the result lines to FILE as well
#   --no-baseline  skips the run of the whole suite without a fault that comes first
#
# For each fault: apply the patch, build both trees incrementally, run the stages in order and stop at
# the first failure, reverse the patch. The stages are those of scripts/test.sh that run the tests:
#   native        ctest of build/native (the core's tests and the simulator/command-line end to end)
#   win64         ctest of build/win64 under Wine
#   exchange_e2e, journey_e2e, cli_wine_e2e   the end-to-end scripts, with test.sh's arguments
# Left out: the sanitizer build, the 32-bit image check and the installers; they run the same tests on
# other builds or only check how the programs are packed.
#
# The baseline (the suite without any fault) must pass, or no result would mean anything. Because
# it passed, a ctest stage whose build tree compiles none of a patch's files runs the very binaries
# that passed and is skipped; both trees are still built every time, since the end-to-end scripts
# use both.
#
# One line a fault, "NN-name: caught by <stage>: <first failing test>", "NN-name: MISSED" or
# "NN-name: BROKEN (...)" for a patch that does not apply or build; then "caught N of M". An
# end-to-end script that fails is run again; a failure that does not come again is noted on the line
# ("journey_e2e failed once (...), then passed") and does not count as a catch.
# Each fault's whole log is build/faults/NN-name.log.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/env.sh"
cd "$NG_ROOT"
unset MAKEFLAGS MFLAGS MAKELEVEL  # the builds are no sub-makes of `make faults`

out_file= baseline=1 wanted=()
while [ $# -gt 0 ]; do
  case $1 in
    -o) out_file=${2:?-o needs a file}; shift 2 ;;
    --no-baseline) baseline=; shift ;;
    -h | --help) sed -n '2,/^set -uo/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
    *) wanted+=("$1"); shift ;;
  esac
done

patches=()
if [ ${#wanted[@]} -eq 0 ]; then
  patches=("$here"/*.patch)
else
  for name in "${wanted[@]}"; do
    name=$(basename "$name" .patch)
    found=("$here/$name".patch)
    [ -f "${found[0]}" ] || found=("$here/$name"-*.patch)
    [ -f "${found[0]}" ] && [ ${#found[@]} -eq 1 ] || { echo "no single fault named $name" >&2; exit 2; }
    patches+=("${found[0]}")
  done
fi
[ -f "${patches[0]}" ] || { echo "no faults in $here" >&2; exit 2; }

# A fault is planted into src/ and tools/ as they are committed; changes there would be mixed into it.
if ! git diff --quiet HEAD -- src tools; then
  echo "src/ or tools/ differ from the commit; commit or stash them first" >&2
  exit 2
fi

"$NG_ROOT/scripts/deps.sh" || exit 1
logs=$NG_BUILD/faults
mkdir -p "$logs"
[ -z "$out_file" ] || : >"$out_file"
had_display=${DISPLAY:-}
ng_ensure_display
ng_ensure_prefix
jobs=2  # the machine is shared

applied=
finish() {
  if [ -n "$applied" ]; then
    git apply -R "$applied" && echo "reversed $(basename "$applied" .patch)" >&2
    applied=
  fi
  "$NG_WINESERVER" -k >/dev/null 2>&1 || true
  # Stop the private X server when this run started it: its lock file holds its process id.
  if [ -z "$had_display" ]; then
    local lock=/tmp/.X${NG_XVFB_DISPLAY#:}-lock
    [ -f "$lock" ] && kill "$(tr -d ' ' <"$lock")" 2>/dev/null
  fi
}
trap finish EXIT
trap 'exit 130' INT TERM HUP

say() {
  echo "$*"
  [ -z "$out_file" ] || echo "$*" >>"$out_file"
}

# Each preset is configured once with its tests; afterwards the builds are incremental.
for preset in native win64; do
  if ! cmake --preset "$preset" -DNG_TESTS=ON >"$logs/$preset.configure.log" 2>&1; then
    tail -n 20 "$logs/$preset.configure.log" >&2
    exit 1
  fi
done

build() { nice cmake --build --preset "$1" -j"$jobs"; }

# compiled_in PRESET PATCH: whether that build tree compiles one of the patch's files (a file it does
# not list, such as a header, counts as compiled: only C++ sources and resource scripts are known).
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

# The stages run in this shell, not in command substitutions, so that Ctrl-C reaches every one of
# them at once and the trap above takes the fault out. Each sets `why` to its first failing test.

# ctest_stage PRESET LOG: fails when a test of that build tree fails. `why` names the failing test
# whose output first shows a failure (an assertion, a gtest FAILED line, a crash) and, for a program
# of many cases, the case that was running; when none shows one (a plain timeout), the first test
# that failed. A crash under Wine starts Wine's debugger, which waits: every program started beside
# it waits too. --timeout 120 ends such a wait; without a fault the slowest Windows test program takes
# 7 s and each native case well under a second (the end-to-end test sets its own 240 s).
ctest_stage() {
  local preset=$1 log=$2 part=$logs/.ctest.log code
  nice ctest --test-dir "$NG_BUILD/$preset" --output-on-failure --stop-on-failure -j"$jobs" --timeout 120 \
    >"$part" 2>&1
  code=$?
  cat "$part" >>"$log"
  [ $code -eq 0 ] && return 0
  why=$(tr -d '\r' <"$part" | awk '
    /Test +#[0-9]+: .*\*\*\*/ {
      test = $0; sub(/.*Test +#[0-9]+: /, "", test); sub(/ .*/, "", test)
      status = $0; sub(/.*\*\*\*/, "", status); sub(/ +[0-9.]+ sec.*/, "", status); sub(/  .*/, "", status)
      if (first == "") first = test " (" status ")"
      failing = 1; run = ""; next
    }
    /^\[ RUN      \] / { run = $4; next }
    failing && (/: Failure$/ || /^\[  FAILED  \] [^ ]+\.[^ ]+/ || /Unhandled (page fault|exception)/) {
      crashed = /Unhandled/ ? ", crashed" : ""
      if (run == "" || run == test) print test " (" status crashed ")"; else print test ": " run " (" status crashed ")"
      found = 1; exit
    }
    END { if (!found && first != "") print first }')
  [ -n "$why" ] || why="ctest ended with $code: $(tail -n 1 "$part")"
  return 1
}

# script_stage LOG SCRIPT ARGS...: fails when the end-to-end script does; `why` is its FAIL line.
# A script that fails is run once more: the journey's clipboard checks do not always pass without a
# fault, and a failure that does not come again is no catch. It is noted in `flaky`.
script_stage() {
  local log=$1 part=$logs/.script.log code attempt first=
  shift
  for attempt in 1 2; do
    # --foreground: the script stays in this process group, where Ctrl-C reaches it.
    nice timeout --foreground -k 30 1200 "$@" >"$part" 2>&1
    code=$?
    cat "$part" >>"$log"
    if [ $code -eq 0 ]; then
      [ -z "$first" ] || flaky+="${flaky:+; }$(basename "$1" .sh) failed once ($first)"
      return 0
    fi
    why=$(tr -d '\r' <"$part" | grep -m1 '^FAIL' | cut -c1-200)
    [ $code -eq 124 ] && why="timed out after 20 minutes"
    [ -n "$why" ] || why="exit code $code: $(tail -n 1 "$part" | cut -c1-200)"
    [ $code -eq 124 ] && return 1  # no second wait of 20 minutes
    first=$why
    echo "==== $(basename "$1" .sh) again" >>"$log"
  done
  return 1
}

# run_suite LOG [PATCH]: the stages in order. Sets `result` to "<stage>: <first failing test>" at the
# first failure, or to nothing when everything passes. Returns 1 when a build failed.
run_suite() {
  local log=$1 patch=${2:-} preset native=$NG_BUILD/native win=$NG_BUILD/win64
  result= flaky=
  for preset in native win64; do
    echo "==== build $preset" >>"$log"
    build "$preset" >>"$log" 2>&1 || return 1
  done
  for preset in native win64; do
    echo "==== test $preset" >>"$log"
    if [ -n "$patch" ] && ! compiled_in "$preset" "$patch"; then
      echo "(no file of the fault is built in $preset: its tests run as in the baseline)" >>"$log"
      continue
    fi
    ctest_stage "$preset" "$log" || { result="$preset: $why"; return 0; }
  done
  echo "==== exchange_e2e" >>"$log"
  script_stage "$log" tests/e2e/exchange_e2e.sh "$win" || { result="exchange_e2e: $why"; return 0; }
  echo "==== journey_e2e" >>"$log"
  script_stage "$log" tests/e2e/journey_e2e.sh "$native" "$win" || { result="journey_e2e: $why"; return 0; }
  echo "==== cli_wine_e2e" >>"$log"
  script_stage "$log" tests/e2e/cli_wine_e2e.sh "$native" "$win" || { result="cli_wine_e2e: $why"; return 0; }
  return 0
}

started=$SECONDS
if [ -n "$baseline" ]; then
  echo "baseline: the whole suite without a fault..."
  log=$logs/baseline.log
  : >"$log"
  if ! run_suite "$log"; then
    echo "baseline: the build fails; see $log" >&2
    exit 1
  fi
  if [ -n "$result" ]; then
    echo "baseline: fails without a fault, at $result; see $log" >&2
    exit 1
  fi
  echo "baseline: passes ($((SECONDS - started)) s)${flaky:+; $flaky, then passed}"
fi

caught=0 total=0 broken=0
faults_started=$SECONDS
for patch in "${patches[@]}"; do
  name=$(basename "$patch" .patch)
  log=$logs/$name.log
  total=$((total + 1))
  fault_started=$SECONDS
  { head -n 1 "$patch"; echo; } >"$log"
  if ! git apply "$patch" >>"$log" 2>&1; then
    say "$name: BROKEN (does not apply)"
    broken=$((broken + 1))
    continue
  fi
  applied=$patch
  if run_suite "$log" "$patch"; then
    if [ -n "$result" ]; then
      say "$name: caught by $result${flaky:+ ($flaky, then passed)}"
      caught=$((caught + 1))
    else
      say "$name: MISSED${flaky:+ ($flaky, then passed)}"
    fi
  else
    say "$name: BROKEN (does not build)"
    broken=$((broken + 1))
  fi
  git apply -R "$patch" >>"$log" 2>&1 || { echo "$name: cannot reverse the patch" >&2; exit 1; }
  applied=
  echo "($name took $((SECONDS - fault_started)) s)" >>"$log"
done

# The trees are left built from the sources as committed.
for preset in native win64; do build "$preset" >"$logs/rebuild-$preset.log" 2>&1; done

elapsed=$((SECONDS - faults_started))
say "$total fault(s) in $((elapsed / 60)) min $((elapsed % 60)) s, $((elapsed / total)) s a fault"
if [ $broken -gt 0 ]; then
  say "caught $caught of $total ($broken broken)"
  exit 1
fi
say "caught $caught of $total"
