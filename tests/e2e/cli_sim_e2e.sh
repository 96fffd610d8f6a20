#!/usr/bin/env bash
# End to end over a real pseudo-terminal with real timing: somnolux-sim and nightglow-cli.
# Usage: cli_sim_e2e.sh SOMNOLUX_SIM NIGHTGLOW_CLI
set -euo pipefail
NG_SIM=$1 CLI=$2
. "$(dirname "$0")/e2e_common.sh"
trap 'stop_sims; rm -rf "$work"' EXIT
start_sim "$work/sim" "$work/tty"

echo "download with the normal wait (about 20 s)..."
run get "$CLI" get --port "$work/tty"
[ ! -s "$work/get.err" ] || fail "get wrote messages: $(cat "$work/get.err")"
check_download "$work/get.out"

echo "refused settings send nothing; an upload without the upload wait (about 8 s)..."
if "$CLI" set --port "$work/tty" CDUR=300 2>"$work/refused.err"; then fail "CDUR=300 accepted"; fi
grep -q "out of range (1-255)" "$work/refused.err" || fail "no range message"
run set "$CLI" set --port "$work/tty" --no-wait CDUR=20 WALARM=on WTIMEH=6 CSTARTH=3 SENS=9
check_upload "$work/set.out" "$work/sim.out" CDUR=20 WALARM=1 WTIMEH=6 CSTARTH=3 SENS=9 TODD=0

echo "a silent interface (about 2 s)..."
start_sim "$work/silent" "$work/tty2" --silent
if "$CLI" get --port "$work/tty2" >/dev/null 2>"$work/silent.err"; then fail "got from silence"; fi
has "$work/silent.err" "Couldn't set Somnolux interface to remote operation.  \
Please check the interface power and modem cables."
echo "PASS"
