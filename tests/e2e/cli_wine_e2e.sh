#!/usr/bin/env bash
# End to end under Wine: the win64 nightglow-cli.exe on COM5 of the private Wine prefix, which is linked to
# somnolux-sim's pseudo-terminal, and on a port that is not there.
# Usage: cli_wine_e2e.sh NATIVE_BUILD_DIR WIN64_BUILD_DIR
set -euo pipefail
build=$(cd "$2" && pwd) && NG_SIM=$(cd "$1" && pwd)/tools/somnolux-sim CLI=$build/tools/nightglow-cli.exe
[ -x "$NG_SIM" ] && [ -f "$CLI" ] || { echo "no $NG_SIM or no $CLI" >&2; exit 1; }
. "$(dirname "$0")/e2e_common.sh"
wine_cli() { "$NG_ROOT/scripts/wine-run.sh" "$CLI" "$@"; }
# Wine's server takes the first terminal it opens as its controlling one; let it go idle before the
# pseudo-terminal hangs up under it.
trap 'timeout 15 "$NG_WINESERVER" -w 2>/dev/null || true; stop_sims; rm -rf "$work"' EXIT
exec 8>"$NG_BUILD/.com5.lock" && flock 8  # one run at a time owns COM5 of the prefix
start_sim "$work/sim" "$WINEPREFIX/dosdevices/com5"

echo "download and upload under Wine, without the packet waits (about 20 s)..."
run get wine_cli get --port COM5 --no-wait
check_download "$work/get.out"
run set wine_cli set --port COM5 --no-wait CDUR=20 WALARM=1 WTIMEH=6 CSTARTH=3 SENS=9
check_upload "$work/set.out" "$work/sim.out" CDUR=20 WALARM=1 WTIMEH=6 CSTARTH=3 SENS=9 TODD=0

echo "a port that is not there, with the system's reason..."
[ ! -L "$WINEPREFIX/dosdevices/com254" ] || fail "COM254 is linked in $WINEPREFIX"
if wine_cli get --port COM254 >/dev/null 2>"$work/none.err"; then fail "COM254 open"; fi
has "$work/none.err" "Couldn't open serial port\. \(.*COM254: .+\)"
echo "PASS"
