#!/usr/bin/env bash
# End to end over a real pseudo-terminal with real timing: somnolux-sim and nightglow-cli.
# Usage: cli_sim_e2e.sh SOMNOLUX_SIM NIGHTGLOW_CLI
set -euo pipefail
NG_SIM=$1
CLI=$2
. "$(dirname "$0")/e2e_common.sh"

work=$(mktemp -d)
SIM_PIDS=()
trap 'stop_sims; rm -rf "$work"' EXIT

start_sim "$work/sim" "$work/tty"

echo "download (about 20 s)..."
"$CLI" get --port "$work/tty" >"$work/get.out" 2>"$work/get.err" || {
  cat "$work/get.err" >&2
  fail "get failed"
}
[ ! -s "$work/get.err" ] || fail "get wrote messages: $(cat "$work/get.err")"
check_download "$work/get.out"

echo "refused settings send nothing..."
if "$CLI" set --port "$work/tty" CDUR=300 2>"$work/refused.err"; then fail "CDUR=300 accepted"; fi
grep -q "out of range (1-255)" "$work/refused.err" || fail "no range message"
if "$CLI" set --port "$work/tty" VOLUME=3 2>/dev/null; then fail "VOLUME accepted"; fi

echo "upload (about 25 s)..."
"$CLI" set --port "$work/tty" CDUR=20 WALARM=on WTIMEH=6 CSTARTH=3 SENS=9 \
  >"$work/set.out" 2>"$work/set.err" || {
  cat "$work/set.err" >&2
  fail "set failed"
}
check_upload "$work/set.out" "$work/sim.out"

echo "a silent interface (about 2 s)..."
start_sim "$work/silent" "$work/tty2" --silent
if "$CLI" get --port "$work/tty2" >/dev/null 2>"$work/silent.err"; then fail "get from a silent box"; fi
grep -qF "Couldn't set Somnolux interface to remote operation.  Please check the interface power and modem cables." \
  "$work/silent.err" || fail "no remote message: $(cat "$work/silent.err")"

echo "PASS"
