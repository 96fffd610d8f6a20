#!/usr/bin/env bash
# End to end: the real nightglow.exe under Wine downloads a night from somnolux-sim on COM1 with its
# button, takes a journal count and a comment, saves them as a .sl1 file, quits, starts again, opens the
# file and saves it once more: both files must be the same bytes. Each download is compared byte for
# byte with nightglow-cli's get --into from a second simulator with the same night and clock, and the
# program's report, export and import of the opened document with the command line's. A third night
# comes from the menu, and Plot Records plots all four records; the saved plot is visible and holds four,
# summed as nightglow-cli plot sums them.
# usage: tests/e2e/data_e2e.sh <native build directory> <windows build directory>
# (screenshots of the data window with the night and of the plot go to <windows build directory>/e2e/)
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
NG_SIM=$(cd "$1" && pwd)/tools/somnolux-sim
CLI=$(cd "$1" && pwd)/tools/nightglow-cli
build=$(cd "${2:?usage: data_e2e.sh <native build> <windows build>}" && pwd)
exe=$build/src/nightglow.exe
[ -x "$NG_SIM" ] && [ -x "$CLI" ] && [ -f "$exe" ] && [ -f "$build/tests/e2e_driver.exe" ] ||
  { echo "data_e2e: build somnolux-sim, nightglow-cli, nightglow and e2e_driver" >&2; exit 1; }
. "$root/scripts/env.sh"
. "$root/tests/e2e/e2e_common.sh"
ng_ensure_display
ng_ensure_prefix
shots=$build/e2e
mkdir -p "$shots"

pid=
app_key='HKCU\Software\Wine\AppDefaults\nightglow.exe'
ports_key='HKLM\Software\Wine\Ports'
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  "$NG_WINE" reg delete "$app_key" /f >/dev/null 2>&1
  "$NG_WINE" reg delete "$ports_key" /v COM1 /f >/dev/null 2>&1
  "$NG_WINESERVER" -k >/dev/null 2>&1  # COM1 goes back to the machine's own port at the next start
  stop_sims
  rm -rf "$work"
}
trap cleanup EXIT
exec 8>"$NG_BUILD/.com1.lock"
flock 8

# The simulator's terminal becomes COM1: Wine links its ports from this table when its server starts.
# Its twin serves the command line the same night at the same standing clock.
night=(--seed 5 --clock "2024-05-22 07:30:00")
start_sim "$work/sim" "$work/tty" "${night[@]}"
start_sim "$work/twin" "$work/twin_tty" "${night[@]}"
"$NG_WINE" reg add "$ports_key" /v COM1 /d "$work/tty" /f >/dev/null 2>&1
"$NG_WINE" reg add "$app_key\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1
"$NG_WINESERVER" -k >/dev/null 2>&1
"$NG_WINE" reg query "$ports_key" >/dev/null 2>&1  # a new server, and with it the new link
for _ in $(seq 50); do [ "$(readlink "$WINEPREFIX/dosdevices/com1")" = "$work/tty" ] && break; sleep 0.2; done
[ "$(readlink "$WINEPREFIX/dosdevices/com1")" = "$work/tty" ] || fail "COM1 is not the simulator"
printf 'port = COM1\r\n' >"$work/somnprefs.txt"

windows_path() { echo "Z:${1//\//\\}"; }

start() {
  (cd "$work" && exec "$NG_WINE" "$exe" 2>>"$work/app.err") &  # the file dialogs' noise
  pid=$!
  driver wait data_win_type "Untitled 1" 90 >/dev/null || fail "no data window"
  driver gone about_win_type "About Nightglow" 10 || fail "the start-up picture stayed"
}

# save_as TITLE FILE: Save As from the data window's menu into the work directory.
save_as() {
  driver post data_win_type "$1" 70 || fail "cannot send Save As"
  driver file "Save As" "$(windows_path "$work/$2")" 15 || fail "no save dialog"
  for _ in $(seq 50); do [ -s "$work/$2" ] && break; sleep 0.2; done
}

# same_as_cli PROGRAM_FILE CLI_ARGS...: the command line writes the same bytes as the program did.
same_as_cli() {
  local file=$1
  shift
  "$CLI" "$@" >"$work/cli.out" 2>"$work/cli.err" || fail "nightglow-cli $*: $(cat "$work/cli.err")"
  cmp "$file" "${cli_file:-$work/cli.out}" ||
    fail "nightglow-cli $* differs from the program's $(basename "$file"):
$(diff <(od -c "$file") <(od -c "${cli_file:-$work/cli.out}") | head -n 20)"
  echo "data_e2e: nightglow-cli $1 writes the program's bytes"
}

# download TITLE [menu]: the Get button (or its menu command), the status window while it runs, no
# message after it.
download() {
  if [ "${2:-}" = menu ]; then
    driver post data_win_type "$1" 250 || fail "cannot send Get Somnolux Settings and Data"
  else
    driver click data_win_type "$1" 100 208 || fail "cannot press Get Somnolux Settings and Data"
  fi
  driver wait msg_win_type Status 10 >/dev/null || fail "no status window during the download"
  driver gone msg_win_type Status 60 || fail "the download did not end"
  driver gone "#32770" Message 1 || fail "the download failed: $(driver answer Message 1 5)"
}

# i32 FILE OFFSET: the little-endian integer there.
i32() { od -An -t d4 -j "$2" -N 4 "$1" | tr -d ' '; }

echo "data_e2e: download a night with the button (about 20 s)"
start
download "Untitled 1"
save_as "Untitled 1" download.sl1
cli_file=$work/cli.sl1 same_as_cli "$work/download.sl1" get --port "$work/twin_tty" --no-wait --into "$work/cli.sl1"
driver keys data_win_type download '\t4' || fail "cannot type the count"   # Tab: from the button to DREAMS
driver click data_win_type download 200 136 || fail "cannot click into the comments box"
driver keys data_win_type download "Lucid at the lake" || fail "cannot type the comment"
sleep 0.5
import -window root -crop "$(driver rect data_win_type download 5)" "$shots/data_window.png" &&
  echo "data_e2e: screenshot $shots/data_window.png"
save_as download night.sl1
file=$work/night.sl1
# Tags 96, rectangle 16, working block 432, counts 28, flag 4, count 4; then the night.
record=580
size=$((record + 464 + 18 + 1052))
[ "$(stat -c %s "$file")" = "$size" ] || fail "night.sl1 has $(stat -c %s "$file") bytes, not $size"
[ "$(i32 "$file" 576)" = 1 ] && [ "$(i32 "$file" 572)" = 0 ] || fail "not one record shown"
[ "$(i32 "$file" $((record + 168)))" != 0 ] || fail "the night has no date stamp"
[ "$(i32 "$file" $((record + 432)))" = 4 ] && [ "$(i32 "$file" $((record + 460)))" = 18 ] ||
  fail "count or comment length wrong"
[ "$(dd if="$file" bs=1 skip=$((record + 464)) count=17 2>/dev/null)" = "Lucid at the lake" ] || fail "comment wrong"
quit_program night

echo "data_e2e: start again, open the file, save it once more, report, export, import, download a second night"
start
driver post data_win_type "Untitled 1" 40 || fail "cannot send Open"
driver file Open "$(windows_path "$file")" 15 || fail "no open dialog"
driver answer "Warning!" 1 10 | grep -q "overwite the current data document" || fail "no question before replacing"
driver wait data_win_type night 10 >/dev/null || fail "the file did not open"
save_as night again.sl1
cmp "$file" "$work/again.sl1" || fail "the reopened document saves differently"
# The report and the rows of the document just opened, as the program writes them.
driver post data_win_type again 90 || fail "cannot send Export Report"
driver file "Save Report" "$(windows_path "$work/report.txt")" 15 || fail "no Save Report dialog"
same_as_cli "$work/report.txt" report "$work/again.sl1"
driver post data_win_type again 100 || fail "cannot send Export To Database"
driver pick "Export Data" 0 15 || fail "no Export Data dialog"  # OK is id 0 in this dialog
driver file "Save Data" "$(windows_path "$work/rows.txt")" 15 || fail "no Save Data dialog"
same_as_cli "$work/rows.txt" export "$work/again.sl1" --names
driver post data_win_type again 105 || fail "cannot send Import From Database"
driver file Open "$(windows_path "$work/rows.txt")" 15 || fail "no import dialog"
driver answer Message 1 15 | grep -qx "1 record(s) imported\." || fail "no import message"
save_as again imported.sl1
cp "$work/again.sl1" "$work/cli3.sl1"
cli_file=$work/cli3.sl1 same_as_cli "$work/imported.sl1" import "$work/rows.txt" --into "$work/cli3.sl1"
download imported
save_as imported twice.sl1
cp "$work/imported.sl1" "$work/cli2.sl1"
cli_file=$work/cli2.sl1 same_as_cli "$work/twice.sl1" get --port "$work/twin_tty" --no-wait --into "$work/cli2.sl1"

echo "data_e2e: a third night from the menu (about 20 s), then Plot Records, Select All, OK"
download twice menu
driver post data_win_type twice 240 || fail "cannot send Plot Records"
driver button "Plot Records" 12 10 || fail "no Plot Records dialog"
driver answer "Plot Records" 0 5 >/dev/null || fail "cannot press OK"
driver wait plot_win_type "Multi-Record Cue Plot" 10 >/dev/null || fail "the plot window did not show"
sleep 0.5
import -window root -crop "$(driver rect plot_win_type "Multi-Record Cue Plot" 5)" "$shots/plot_window.png" &&
  echo "data_e2e: screenshot $shots/plot_window.png"
save_as twice plotted.sl1
plot=$(($(stat -c %s "$work/plotted.sl1") - 1052))  # the plot section closes the file
[ "$(i32 "$work/plotted.sl1" $((plot + 16)))" = 1 ] && [ "$(i32 "$work/plotted.sl1" $((plot + 20)))" = 4 ] &&
  [ "$(i32 "$work/plotted.sl1" $((plot + 24)))" -ge 1 ] || fail "the saved plot is not four visible nights"
series() { echo "$1=$(od -An -v -t d4 -j $((plot + $2)) -N 512 "$work/plotted.sl1" | xargs)"; }
"$CLI" plot "$work/plotted.sl1" >"$work/plot.out" || fail "nightglow-cli plot failed"
grep -qx "$(series CUES 28)" "$work/plot.out" && grep -qx "$(series CUESND 540)" "$work/plot.out" ||
  fail "nightglow-cli plot sums differently from the program"
quit_program plotted
echo "data_e2e: PASS"
