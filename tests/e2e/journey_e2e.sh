#!/usr/bin/env bash
# End to end, a user's whole journey with the real nightglow.exe under Wine and somnolux-sim on COM17, as
# a USB serial adapter often is: the first start asks for the port and remembers 17; two nights come with the Get button, take journal counts and comments and
# are stepped through with the arrow keys; Plot Records plots both and Copy Plot puts the plot shown on the
# clipboard; the nights are saved as a .sl1 and exported with field names. After a new start the .sl1 opens
# as the same nights, and the export imports into a new document as the same nights. Typed settings are
# uploaded (the simulator's log shows them), saved as a .sl2, the Data window is printed on a CUPS PDF
# printer where CUPS can run, Other Port... changes the remembered port to 3, and the program quits. Every file the program writes is the bytes that
# nightglow-cli writes from the same input (each download from a twin simulator with the same night and
# standing clock). Screenshots of each window go to <windows build>/e2e/.
# usage: tests/e2e/journey_e2e.sh <native build directory> <windows build directory>
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
native=$(cd "${1:?usage: journey_e2e.sh <native build> <windows build>}" && pwd)
NG_SIM=$native/tools/somnolux-sim CLI=$native/tools/nightglow-cli
build=$(cd "${2:?usage: journey_e2e.sh <native build> <windows build>}" && pwd)
exe=$build/src/nightglow.exe
[ -x "$NG_SIM" ] && [ -x "$CLI" ] && [ -f "$exe" ] && [ -f "$build/tests/e2e_driver.exe" ] ||
  { echo "journey_e2e: build somnolux-sim, nightglow-cli, nightglow and e2e_driver" >&2; exit 1; }
. "$root/scripts/env.sh"
. "$root/tests/e2e/e2e_common.sh"
ng_ensure_display
ng_ensure_prefix
shots=$build/e2e
rm -rf "$shots" && mkdir -p "$shots"

pid= cups_pid=
app_key='HKCU\Software\Wine\AppDefaults\nightglow.exe'
ports_key='HKLM\Software\Wine\Ports'
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  [ -n "$cups_pid" ] && kill "$cups_pid" 2>/dev/null && wait "$cups_pid" 2>/dev/null
  "$NG_WINE" reg delete "$app_key" /f >/dev/null 2>&1
  "$NG_WINE" reg delete "$ports_key" /v COM17 /f >/dev/null 2>&1
  "$NG_WINESERVER" -k >/dev/null 2>&1
  rm -f "$WINEPREFIX/dosdevices/com17"  # Wine leaves the link of a port it no longer lists
  stop_sims
  rm -rf "$work"
}
trap cleanup EXIT
chmod 755 "$work"  # the printing system's filters run as another user
exec 8>"$NG_BUILD/.com17.lock"
flock 8

# A private CUPS with its PDF printer, when this machine can run one; Wine finds it when its server starts.
cups=$work/cups
start_cups() {
  command -v cupsd >/dev/null && [ -x /usr/lib/cups/backend/cups-pdf ] && [ "$(id -u)" = 0 ] || return 1
  mkdir -p "$cups/spool/tmp" "$cups/cache" "$cups/log"
  printf 'Listen %s/cups.sock\n<Location />\n  Order allow,deny\n  Allow all\n</Location>\n' "$cups" >"$cups/cupsd.conf"
  printf '%s\n' "ServerRoot $cups" "RequestRoot $cups/spool" "TempDir $cups/spool/tmp" "CacheDir $cups/cache" \
    "StateDir $cups" "ErrorLog $cups/log/error_log" "AccessLog $cups/log/access_log" >"$cups/cups-files.conf"
  cupsd -f -c "$cups/cupsd.conf" -s "$cups/cups-files.conf" >"$cups/cupsd.out" 2>&1 &
  cups_pid=$!
  for _ in $(seq 50); do [ -S "$cups/cups.sock" ] && break; sleep 0.2; done
  export CUPS_SERVER=$cups/cups.sock
  lpadmin -p NightglowPDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null &&
    lpadmin -d NightglowPDF
}
start_cups || echo "journey_e2e: CUPS with its PDF printer cannot run here: the journey will not print"

# The simulator's terminal becomes COM17: Wine links its ports from this table when its server starts.
# Each simulator holds one night at a standing clock; another on the same link serves the next, and a
# twin serves the command line the same night.
night() {
  stop_sims
  start_sim "$work/sim" "$work/tty" --seed "$1" --clock "$2" && start_sim "$work/twin" "$work/twin_tty" --seed "$1" --clock "$2"
}
night 5 "2024-05-22 07:30:00"
"$NG_WINE" reg add "$ports_key" /v COM17 /d "$work/tty" /f >/dev/null 2>&1
"$NG_WINE" reg add "$app_key\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1
"$NG_WINESERVER" -k >/dev/null 2>&1
"$NG_WINE" reg query "$ports_key" >/dev/null 2>&1  # a new server, and with it the new link
for _ in $(seq 50); do [ "$(readlink "$WINEPREFIX/dosdevices/com17")" = "$work/tty" ] && break; sleep 0.2; done
[ "$(readlink "$WINEPREFIX/dosdevices/com17")" = "$work/tty" ] || fail "COM17 is not the simulator"

say() { echo "journey_e2e: [${SECONDS}s] $*"; }
data() { driver "$1" data_win_type "${@:2}"; }

start() {
  (cd "$work" && exec "$NG_WINE" "$exe" 2>>"$work/app.err") &  # the file dialogs' noise
  pid=$!
}

# Both document windows with their menu bars, and the start-up picture gone.
expect_windows() {
  [ "$(data wait "Untitled 1" 90)" = menu ] || fail "no data window with a menu"
  [ "$(driver wait settings_win_type "Settings 1" 10)" = menu ] || fail "no settings window with a menu"
  driver gone about_win_type "About Nightglow" 10 || fail "the start-up picture stayed"
}

# into CAPTION FILE: the file dialog of that caption takes FILE of the work directory, which then appears.
into() {
  driver file "$1" "$(windows_path "$work/$2")" 15 || fail "no $1 dialog for $2"
  for _ in $(seq 50); do [ -s "$work/$2" ] && return; sleep 0.2; done
  fail "nothing written to $2"
}

# save_as CLASS TITLE FILE: Save As from that window's menu into the work directory.
save_as() { driver post "$1" "$2" 70 && into "Save As" "$3" || fail "cannot send Save As to $2"; }

# download TITLE: the Get button, the status window while it runs, no message after it (about 20 s).
download() {
  say "Get Somnolux Settings and Data"
  data click "$1" 100 208 || fail "cannot press Get Somnolux Settings and Data"
  driver wait msg_win_type Status 10 >/dev/null || fail "no status window during the download"
  driver gone msg_win_type Status 60 || fail "the download did not end"
  driver gone "#32770" Message 1 || fail "the download failed: $(driver answer Message 1 5)"
}

# save TITLE FILE: File, Save of the data window whose file that is; waits until the file has changed.
save() {
  local before
  before=$(md5sum <"$work/$2")
  data post "$1" 60 || fail "cannot send Save"
  for _ in $(seq 50); do [ "$(md5sum <"$work/$2")" != "$before" ] && return; sleep 0.2; done
  fail "Save did not write $2"
}

# same_as_cli PROGRAM_FILE CLI_ARGS...: the command line writes the same bytes as the program did (into
# $cli_file when set, else on its output).
same_as_cli() {
  local file=$1
  shift
  "$CLI" "$@" >"$work/cli.out" 2>"$work/cli.err" || fail "nightglow-cli $*: $(cat "$work/cli.err")"
  cmp "$file" "${cli_file:-$work/cli.out}" ||
    fail "nightglow-cli $* differs from the program's $(basename "$file"):
$(diff <(od -c "$file") <(od -c "${cli_file:-$work/cli.out}") | head -n 20)"
  echo "journey_e2e: nightglow-cli $1 writes the program's bytes"
}

# prefs_hold N: the preferences file is the one line "port = COMn", CR LF as the program writes in text mode.
prefs_hold() {
  for _ in $(seq 25); do cmp -s "$work/somnprefs.txt" <(printf 'port = COM%s\r\n' "$1") && return; sleep 0.2; done
  fail "preferences file: $(od -c "$work/somnprefs.txt")"
}

# i32 FILE OFFSET: the little-endian integer there.
i32() { od -An -t d4 -j "$2" -N 4 "$1" | tr -d ' '; }

say "first start without preferences: the port question"
start
driver rect "#32770" "Set Default COM Port" 90 >/dev/null || fail "no port dialog at the first start"
shot port_dialog.png "#32770" "Set Default COM Port"
driver answer "Set Default COM Port" 1 5 17 | grep -q "There is currently no default serial port selected" ||
  fail "the port dialog does not explain itself"
expect_windows
prefs_hold 17
data post "Untitled 1" 10 && driver wait about_win_type "About Nightglow" 10 >/dev/null || fail "no About window"
sleep 0.5
shot about_window.png about_win_type "About Nightglow"
driver post about_win_type "About Nightglow" close && driver gone about_win_type "About Nightglow" 10 ||
  fail "About stayed open"

say "two nights with the Get button, journal counts and comments, the arrow keys"
download "Untitled 1"
# The keys go to the window that asked for the night, not to one that the status window left in front:
# Tab from the button to DREAMS now, the count itself after the Save As dialog.
driver typed '\t' || fail "cannot type after the download"
save_as data_win_type "Untitled 1" night.sl1
cli_file=$work/cli.sl1 same_as_cli "$work/night.sl1" get --port "$work/twin_tty" --no-wait --into "$work/cli.sl1"
driver typed 5 && data click night 200 136 && data keys night "Lucid at the lake" || fail "cannot type into the first night"
night 11 "2024-05-23 07:10:00"
save night night.sl1
cp "$work/night.sl1" "$work/cli.sl1"
download night
save night night.sl1
cli_file=$work/cli.sl1 same_as_cli "$work/night.sl1" get --port "$work/twin_tty" --no-wait --into "$work/cli.sl1"

say "a save that cannot be written says which file and why, and keeps the document and the file"
before=$(md5sum <"$work/night.sl1")
# A name the dialog takes whose temporary file beside it would be longer than Windows allows.
name_length=$((255 - ${#work} - 3))
long_name=$(printf 'x%.0s' $(seq $((name_length - 4)))).sl1
data post night 70 && driver file "Save As" "$(windows_path "$work/$long_name")" 15 || fail "no Save As dialog"
driver answer Message 1 10 | grep -q "^Couldn't save file.$" || fail "the failed save said nothing"
data wait night 5 >/dev/null || fail "the failed save changed the title"
[ "$(md5sum <"$work/night.sl1")" = "$before" ] || fail "the failed save changed night.sl1"
! ls "$work" | grep -q '\.tmp$' || fail "the failed save left a file: $(ls "$work" | grep '\.tmp$')"
# A comment with a tab (pasted: Tab itself leaves the box) and a line longer than the box is wide.
long_line=$(printf 'and on%.0s' $(seq 40))
data keys night '\t5\t2' && data click night 200 136 && data keys night 'Flying, "high"' &&
  driver setclip "\t$long_line" && data post night 160 || fail "cannot type into the second night"
sleep 0.5
shot data_window.png data_win_type night
data click night 20 95 && data keys night '\<' || fail "cannot step to the first night"
save night night.sl1
# Tags 96, rectangle 16, then the shown night's block 432 and journal counts: DREAMS at 544.
[ "$(i32 "$work/night.sl1" 544)" = 5 ] || fail "the left arrow does not show the first night with its journal"
data keys night '\>' || fail "cannot step to the second night"

say "Plot Records, Select All, OK; Copy Plot"
data post night 240 || fail "cannot send Plot Records"
driver button "Plot Records" 12 10 || fail "no Plot Records dialog"
shot plot_records_dialog.png "#32770" "Plot Records"
driver answer "Plot Records" 0 5 >/dev/null || fail "cannot press OK"
plot=(plot_win_type "Multi-Record Cue Plot")
driver wait "${plot[@]}" 10 >/dev/null || fail "the plot window did not show"
sleep 0.5
shot plot_window.png "${plot[@]}"
driver post "${plot[@]}" 150 || fail "cannot send Copy Plot"
client=$(driver rect "${plot[@]}" 5 client)
[ "$(driver clip "${plot[@]}" "$work/clip.bmp")" = "${client%%+*}" ] || fail "no picture of the plot on the clipboard"
import -window root -crop "$client" "$work/client.png"
[ "$(compare -metric AE "$work/clip.bmp" "$work/client.png" null: 2>&1)" = 0 ] ||
  fail "the clipboard's picture is not the plot shown"

# The Journal Trends window: its Copy Trends puts the chart and the bytes of nightglow-cli trends on the clipboard.
say "Show Journal Trends; Copy Trends"
data post night 205 || fail "cannot send Show Journal Trends"
trends=(trends_win_type "Journal Trends")
driver wait "${trends[@]}" 10 >/dev/null || fail "the trends window did not show"
sleep 0.5
shot trends_window.png "${trends[@]}"
driver post "${trends[@]}" 150 || fail "cannot send Copy Trends"
for _ in $(seq 50); do driver cliptext "${trends[@]}" "$work/trends.txt" >/dev/null && break; sleep 0.2; done
[ -s "$work/trends.txt" ] || fail "no trends text on the clipboard"
# night.sl1 was last saved after both nights' counts were typed.
same_as_cli "$work/trends.txt" trends "$work/night.sl1"
[ "$(tr -d '\r' <"$work/trends.txt" | sed -n 2,3p | cut -f 1,3,4 | tr '\t\n' ',;')" = '1,5,0;2,5,2;' ] ||
  fail "the trends lack the typed counts: $(cat "$work/trends.txt")"
trends_client=$(driver rect "${trends[@]}" 5 client)
[ "$(driver clip "${trends[@]}" "$work/trends.bmp" | cut -dx -f1)" = "${trends_client%%x*}" ] ||
  fail "no picture of the chart on the clipboard"
driver post "${trends[@]}" close || fail "cannot close the trends window"

say "save night.sl1, export with field names, quit"
save night night.sl1
file=$work/night.sl1
plot=$(($(stat -c %s "$file") - 1052))  # the plot section closes the file
[ "$(i32 "$file" $((plot + 16)))" = 1 ] && [ "$(i32 "$file" $((plot + 20)))" = 2 ] || fail "the saved plot is not two nights"
series() { echo "$1=$(od -An -v -t d4 -j $((plot + $2)) -N 512 "$file" | xargs)"; }
"$CLI" plot "$file" >"$work/plot.out" && grep -qx "$(series CUES 28)" "$work/plot.out" &&
  grep -qx "$(series CUESND 540)" "$work/plot.out" || fail "nightglow-cli plot sums differently from the program"
data post night 100 || fail "cannot send Export To Database"
driver button "Export Data" 4 10 || fail "no Export Data dialog"
shot export_dialog.png "#32770" "Export Data"
driver answer "Export Data" 0 5 >/dev/null || fail "cannot press OK"
into "Save Data" rows.txt
same_as_cli "$work/rows.txt" export "$file" --names
# REC, start 5, mode, end 5, duration, cues 2, REM 128, then DREAMS, LDREAMS ... and COMMENTS in 151: the
# comment as typed, one line however the box wrapped it, its tab a blank; every row of all 176 columns.
[ "$(tr -d '\r' <"$work/rows.txt" | cut -f 1,144,145,151 | tr '\t\n' ',;')" = \
  "REC,DREAMS,LDREAMS,COMMENTS;1,5,0,\"Lucid at the lake\";2,5,2,\"Flying, _high_ $long_line\";" ] ||
  fail "the export: $(cut -f 1,144,145,151 "$work/rows.txt")"
[ "$(awk -F'\t' '{ print NF }' "$work/rows.txt" | sort -u)" = 176 ] || fail "an exported row lost or gained a column"
quit_program night

say "start again; the port is remembered, night.sl1 opens as the same nights"
start
expect_windows
driver gone "#32770" "Set Default COM Port" 0 || fail "the port dialog came again"
[ "$(data item "Untitled 1" 310)" = "COM17 checked" ] || fail "the menu does not show COM17 checked"
data post "Untitled 1" 40 || fail "cannot send Open"
driver file Open "$(windows_path "$file")" 15 || fail "no open dialog"
driver answer "Warning!" 1 10 | grep -q "overwite the current data document" || fail "no question before replacing"
data wait night 10 >/dev/null || fail "night.sl1 did not open"
save_as data_win_type night again.sl1
cmp "$file" "$work/again.sl1" || fail "the reopened nights save differently"
data post again 90 || fail "cannot send Export Report"
into "Save Report" report.txt
same_as_cli "$work/report.txt" report "$work/again.sl1"

say "a new document imports the export as the same nights"
data post again 20 && driver answer "Warning!" 1 10 >/dev/null || fail "no question before a new document"
data wait "Untitled 1" 10 >/dev/null || fail "no new data window"
data post "Untitled 1" 105 && driver file Open "$(windows_path "$work/rows.txt")" 15 || fail "no import dialog"
driver answer Message 1 10 | grep -qx "2 record(s) imported." || fail "the nights were not imported"
# Quit, Yes to saving, then no name chosen: the program stays with all its documents.
data post "Untitled 1" 130 && driver answer "Save before closing?" 6 15 >/dev/null &&
  driver answer "Save As" 2 15 >/dev/null || fail "no Save As after Yes at the quit"
sleep 1
kill -0 "$pid" && data wait "Untitled 1" 5 >/dev/null && driver wait settings_win_type "Settings 1" 5 >/dev/null ||
  fail "a cancelled Save As at the quit closed a document"
save_as data_win_type "Untitled 1" imported.sl1
cli_file=$work/cli_imported.sl1 same_as_cli "$work/imported.sl1" import "$work/rows.txt" --into "$work/cli_imported.sl1"
same_as_cli "$work/rows.txt" export "$work/imported.sl1" --names

say "typed settings go to the mask (about half a minute) and into settings.sl2"
# CUE DURATION has the focus; eight Tabs lead to SENSITIVITY.
driver keys settings_win_type "Settings 1" '20\t\t\t\t\t\t\t\t9' || fail "cannot type into the settings window"
sleep 0.5
shot settings_window.png settings_win_type "Settings 1"
driver click settings_win_type "Settings 1" 150 120 || fail "cannot press Set Somnolux Settings"
driver answer "Set Somnolux?" 1 15 |
  grep -q "This will overwrite the current settings in the Somnolux.  Are you sure you want to proceed?" ||
  fail "no upload question"
for _ in $(seq 300); do grep -q '^UPLOAD=1$' "$work/sim.out" && break; sleep 0.2; done
has "$work/sim.out" UPLOAD=1 CDUR=20 SENS=9 TODD=0 INTENS=3 WTIMEH=8 CSTARTH=12
driver gone msg_win_type Status 60 || fail "the status window stayed"
driver gone "#32770" Message 1 || fail "the upload was reported as failed: $(driver answer Message 1 1)"
# The mask's clock within a minute of the PC's, the stamp set this year.
value() { grep "^$1=" "$work/sim.out" | head -n 1 | cut -d= -f2; }
now=$(date +%s)
pc=$((10#$(date -d "@$now" +%H) * 3600 + 10#$(date -d "@$now" +%M) * 60 + 10#$(date -d "@$now" +%S)))
apart=$(((pc - $(value TODH) * 3600 - $(value TODM) * 60 - $(value TODS) + 86400) % 86400))
[ "$apart" -le 60 ] || fail "the mask's clock $(value TODH):$(value TODM):$(value TODS) is $apart s from the PC's"
stamp=$(value TSTAMP)
[ $(((stamp >> 27) & 1)) = 1 ] && [ $(((stamp & 0x7f) + 1950)) = "$(date +%Y)" ] || fail "TSTAMP $stamp is not set this year"
save_as settings_win_type "Settings 1" settings.sl2
driver wait settings_win_type settings 10 >/dev/null || fail "the settings window is not titled \"settings\""
diff <("$CLI" settings "$work/settings.sl2") <(sed '0,/^UPLOAD=1$/d' "$work/sim.out") ||
  fail "settings.sl2 does not hold the settings the mask took"

if [ -n "$cups_pid" ]; then
  say "print the Data window"
  pdfs=$(getent passwd "$(id -un)" | cut -d: -f6)/PDF  # where the PDF printer puts this user's pages
  touch "$work/before-print"
  data post imported 120 && driver answer Print 1 20 >/dev/null || fail "no print dialog"
  for _ in $(seq 120); do
    pdf=$(find "$pdfs" -name '*.pdf' -newer "$work/before-print" 2>/dev/null | head -n 1)
    [ -n "$pdf" ] && pdfinfo "$pdf" >/dev/null 2>&1 && mv "$pdf" "$shots/printed_data_window.pdf" && break
    sleep 0.5
  done
  pdf=$shots/printed_data_window.pdf
  [ "$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')" = 1 ] || fail "no one-page PDF: $(tail -n 20 "$cups/log/error_log")"
  pdftoppm -png -r 80 -singlefile "$pdf" "$shots/printed_data_window" &&
    echo "journey_e2e: page $shots/printed_data_window.png"
  start=$(tr -d '\r' <"$work/rows.txt" | tail -n 1 | awk -F'\t' '{printf "%s/%s/%s %s:%s", $2, $3, $4, $5, $6}')
  pdftotext -layout "$pdf" - | grep -q "^RECORD START: *$start " || fail "the page shows no RECORD START: $start"
fi

say "Other Port... changes the remembered port"
data post imported 290 || fail "cannot send Other Port..."
driver answer "Set Default COM Port" 1 10 3 >/dev/null || fail "no port dialog from Other Port..."
prefs_hold 3
[ "$(data item imported 302)" = "COM&3 checked" ] && ! data item imported 310 >/dev/null ||
  fail "the menu does not show COM3 alone checked"
quit_program imported settings
say "PASS"
