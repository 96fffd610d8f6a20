#!/usr/bin/env bash
# End to end: the real nightglow.exe under Wine with somnolux-sim on COM1. CUE DURATION and SENSITIVITY are
# typed into the Settings window, "Set Somnolux Settings" is pressed and confirmed, and the simulator must take
# those values with a clock within a minute of the PC's.
# usage: tests/e2e/settings_e2e.sh <native build directory> <windows build directory>
#        (needs tools/somnolux-sim in the first, src/nightglow.exe and tests/e2e_driver.exe in the second;
#        the screenshot goes to <windows build directory>/e2e/settings_window.png)
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
NG_SIM=$(cd "${1:?usage: settings_e2e.sh <native build> <windows build>}" && pwd)/tools/somnolux-sim
build=$(cd "${2:?usage: settings_e2e.sh <native build> <windows build>}" && pwd)
exe=$build/src/nightglow.exe
shots=$build/e2e
[ -x "$NG_SIM" ] && [ -f "$exe" ] && [ -f "$build/tests/e2e_driver.exe" ] ||
  { echo "settings_e2e: build somnolux-sim, nightglow and e2e_driver" >&2; exit 1; }
mkdir -p "$shots"
. "$root/scripts/env.sh"
. "$root/tests/e2e/e2e_common.sh"
ng_ensure_display
ng_ensure_prefix

pid=
app_key='HKCU\Software\Wine\AppDefaults\nightglow.exe'
ports_key='HKLM\Software\Wine\Ports'
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  "$NG_WINE" reg delete "$app_key" /f >/dev/null 2>&1
  "$NG_WINE" reg delete "$ports_key" /v COM1 /f >/dev/null 2>&1
  timeout 15 "$NG_WINESERVER" -w 2>/dev/null
  stop_sims
  rm -rf "$work"
}
trap cleanup EXIT
driver() { "$NG_WINE" "$build/tests/e2e_driver.exe" "$@"; }
settings() { driver "$1" settings_win_type "Settings 1" "${@:2}"; }

# One run at a time owns COM1 of the prefix. The simulator's terminal becomes COM1 through Wine's port
# table, which Wine reads when its server starts.
exec 8>"$NG_BUILD/.com1.lock"
flock 8
start_sim "$work/sim" "$work/somnolux-tty"
"$NG_WINE" reg add "$ports_key" /v COM1 /d "$work/somnolux-tty" /f >/dev/null 2>&1 || fail "cannot set COM1"
"$NG_WINESERVER" -k >/dev/null 2>&1
"$NG_WINE" reg add "$app_key\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1

echo "settings_e2e: typing the settings and setting the mask on COM1 (about half a minute)"
printf 'port = COM1\n' >"$work/somnprefs.txt"
(cd "$work" && exec "$NG_WINE" "$exe") &
pid=$!
[ "$(settings wait 30 | tr -d '\r')" = menu ] || fail "no settings window"
driver gone about_win_type "About Nightglow" 10 || fail "the start-up picture stayed"
# CUE DURATION has the focus; eight Tabs lead to SENSITIVITY.
settings type "20" && settings type '\t\t\t\t\t\t\t\t9' || fail "cannot type into the settings window"
sleep 1
area=$(settings rect 5 | tr -d '\r') || fail "no settings window rectangle"
import -window root -crop "$area" "$shots/settings_window.png" && echo "settings_e2e: screenshot $shots/settings_window.png"

settings press 150 120 || fail "cannot press Set Somnolux Settings"
text=$(driver answer "Set Somnolux?" 1 15) || fail "no upload question"
grep -q "This will overwrite the current settings in the Somnolux.  Are you sure you want to proceed?" <<<"$text" ||
  fail "upload question: $text"
for _ in $(seq 300); do grep -q '^UPLOAD=1$' "$work/sim.out" && break; sleep 0.2; done
has "$work/sim.out" UPLOAD=1 CDUR=20 SENS=9 TODD=0 INTENS=3 WTIMEH=8 CSTARTH=12
driver gone msg_win_type Status 60 || fail "the status window stayed"
driver gone "#32770" Message 1 || fail "the upload was reported as failed: $(driver answer Message 1 1)"

# The mask's clock within a minute of the PC's, the stamp set this year.
value() { grep "^$1=" "$work/sim.out" | head -n 1 | cut -d= -f2; }
now=$(date +%s)
pc=$(( (10#$(date -d "@$now" +%H) * 3600 + 10#$(date -d "@$now" +%M) * 60 + 10#$(date -d "@$now" +%S)) ))
mask=$(( $(value TODH) * 3600 + $(value TODM) * 60 + $(value TODS) ))
apart=$(( (pc - mask + 86400) % 86400 ))
[ "$apart" -le 60 ] || fail "the mask's clock $(value TODH):$(value TODM):$(value TODS) is $apart s from the PC's"
stamp=$(value TSTAMP)
[ $(((stamp >> 27) & 1)) = 1 ] && [ $(((stamp & 0x7f) + 1950)) = "$(date +%Y)" ] || fail "TSTAMP $stamp is not set this year"

driver post data_win_type "Untitled 1" 130 || fail "cannot send Quit"
for _ in 1 2; do driver answer "Save before closing?" 7 15 >/dev/null || fail "no save question"; done
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null && sleep 0.2; done
kill -0 "$pid" 2>/dev/null && fail "the program did not end"
wait "$pid" || fail "exit code $?"
pid=
echo "settings_e2e: PASS"
