#!/usr/bin/env bash
# End to end, a user's journey with the real nightglow.exe under Wine and somnolux-sim on COM17: the port asked
# for and remembered; two nights downloaded, typed into (a comment pasted with a tab), stepped through, plotted,
# set against their trends, saved (once under a name too long), exported, reopened and imported; a Save As
# cancelled at the quit; settings uploaded and saved; the Data window printed where CUPS can run; the port
# changed. Every file the program writes is the bytes nightglow-cli writes from the same input (each download
# from a twin simulator with the same night and a standing clock). Screenshots: <windows build>/e2e/
set -uo pipefail
native=$(cd "${1:?usage: journey_e2e.sh <native build> <windows build>}" && pwd) && build=$(cd "${2:?}" && pwd) || exit 1
NG_SIM=$native/tools/somnolux-sim CLI=$native/tools/nightglow-cli exe=$build/src/nightglow.exe shots=$build/e2e
[ -x "$NG_SIM" ] && [ -x "$CLI" ] && [ -f "$exe" ] && [ -f "$build/tests/e2e_driver.exe" ] ||
  { echo "journey_e2e: build somnolux-sim, nightglow-cli, nightglow and e2e_driver" >&2; exit 1; }
. "$(dirname "$0")/e2e_common.sh"
rm -rf "$shots" && mkdir -p "$shots"

pid= cups_pid= app_key='HKCU\Software\Wine\AppDefaults\nightglow.exe'
cleanup() {  # the Wine server takes the program with it
  [ -n "$cups_pid" ] && kill "$cups_pid" 2>/dev/null && wait "$cups_pid" 2>/dev/null
  { "$NG_WINE" reg delete "$app_key" /f && "$NG_WINESERVER" -k; } >/dev/null 2>&1
  stop_sims && rm -rf "$work"
}
trap cleanup EXIT
chmod 755 "$work"  # the printing system's filters run as another user
exec 8>"$NG_BUILD/.com17.lock" && flock 8

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
  eventually 50 test -S "$cups/cups.sock"
  export CUPS_SERVER=$cups/cups.sock
  lpadmin -p NightglowPDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null && lpadmin -d NightglowPDF
}
start_cups || echo "journey_e2e: CUPS with its PDF printer cannot run here: the journey will not print"

# The simulator's terminal is COM17 of the prefix, as a USB serial adapter often is. Each simulator holds one
# night at a standing clock; another on the same link serves the next, and a twin serves the command line.
night() { stop_sims; start_sim "$work/sim" "$WINEPREFIX/dosdevices/com17" "$@" && start_sim "$work/twin" "$work/twin_tty" "$@"; }
night --seed 5 --clock "2024-05-22 07:30:00"
"$NG_WINE" reg add "$app_key\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1

say() { echo "journey_e2e: [${SECONDS}s] $*"; }
data() { driver "$1" data_win_type "${@:2}"; }
start() { (cd "$work" && exec "$NG_WINE" "$exe" 2>>"$work/app.err") & pid=$!; }  # the file dialogs' noise

# shot FILE CLASS TITLE: once the window shows and has drawn, a screenshot of it into $shots.
shot() { local r && r=$(driver rect "$2" "$3" 10) && sleep 0.5 && import -window root -crop "$r" "$shots/$1" || fail "no $1"; }

# Both document windows with their menu bars, and the start-up picture gone.
expect_windows() {
  [ "$(data wait "Untitled 1" 90)" = menu ] || fail "no data window with a menu"
  [ "$(driver wait settings_win_type "Settings 1" 10)" = menu ] || fail "no settings window with a menu"
  driver gone about_win_type "About Nightglow" 10 || fail "the start-up picture stayed"
}

# file CAPTION PATH: the file dialog of that caption takes the path as its file name; into CAPTION FILE: FILE of
# the work directory, which then appears.
file() { driver answer "$1" 1 15 "$(windows_path "$2")" 1148 >/dev/null; }
into() { file "$1" "$work/$2" && eventually 50 test -s "$work/$2" || fail "no $1 dialog, or nothing written to $2"; }

# save_as CLASS TITLE FILE: Save As from that window's menu into the work directory.
save_as() { driver post "$1" "$2" 70 && into "Save As" "$3" || fail "cannot send Save As to $2"; }

# save TITLE: File, Save of the data window of night.sl1, which then changes.
changed() { [ "$(md5sum <"$work/night.sl1")" != "$before" ]; }
save() { before=$(md5sum <"$work/night.sl1") && data post "$1" 60 && eventually 50 changed || fail "Save did not write"; }

# finished WHAT: the status window goes, and no message follows it.
finished() { driver gone msg_win_type Status 60 && driver gone "#32770" Message 1 || fail "$1: $(driver answer Message 1 1)"; }

# download TITLE: the Get button, the status window while it runs, no message after it (about 20 s).
download() {
  data click "$1" 100 208 && driver wait msg_win_type Status 10 >/dev/null || fail "no status window at Get"
  finished "the download failed"
}

# same_as_cli PROGRAM_FILE CLI_ARGS...: the command line writes the same bytes as the program did (into
# $cli_file when set, else on its output).
same_as_cli() {
  "$CLI" "${@:2}" >"$work/cli.out" 2>"$work/cli.err" || fail "nightglow-cli ${*:2}: $(cat "$work/cli.err")"
  cmp "$1" "${cli_file:-$work/cli.out}" || fail "nightglow-cli ${*:2} differs from the program's $(basename "$1")"
  echo "journey_e2e: nightglow-cli $2 writes the program's bytes"
}

# same_night: the night the program just added to night.sl1 is the one the command line adds to its copy.
same_night() { cli_file=$work/cli.sl1 same_as_cli "$work/night.sl1" get --port "$work/twin_tty" --no-wait --into "$work/cli.sl1"; }

# port N [TITLE ITEM]: the preferences file is the one line "port = COMn", CR LF as the program writes in text
# mode; of that data window's port items (COM1 to COM10, then one for a port above), ITEM alone is checked.
port() {
  printf 'port = COM%s\r\n' "$1" >"$work/prefs"
  eventually 25 cmp -s "$work/somnprefs.txt" "$work/prefs" || fail "preferences file: $(od -c "$work/somnprefs.txt")"
  [ $# = 1 ] && return
  local id items=
  for id in $(seq 300 310); do items+=$(data item "$2" "$id" | grep ' checked$'); done
  [ "$items" = "$3 checked" ] || fail "the port menu checks \"$items\", not $3"
}

# shown CLASS TITLE: the picture that window put on the clipboard is its client area as the screen shows it.
shown() {
  driver clip "$@" "$work/clip.dib" && import -window root -crop "$(driver rect "$@" 5 client)" "$work/client.png" &&
    [ "$(compare -metric AE "dib:$work/clip.dib" "$work/client.png" null: 2>&1)" = 0 ]
}

# select_all CAPTION ID: Select All (button ID) and OK in that dialog.
select_all() { driver wait "#32770" "$1" 10 >/dev/null && driver post "#32770" "$1" "$2" && driver answer "$1" 0 5 >/dev/null; }

# i32 FILE OFFSET: the little-endian integer there.
i32() { od -An -t d4 -j "$2" -N 4 "$1" | tr -d ' '; }

say "first start without preferences: the port question; About"
start
driver answer "Set Default COM Port" 1 90 17 | grep -q "There is currently no default serial port selected" ||
  fail "the port dialog does not explain itself"
expect_windows
port 17
data post "Untitled 1" 10 && driver wait about_win_type "About Nightglow" 10 >/dev/null &&
  driver post about_win_type "About Nightglow" close && driver gone about_win_type "About Nightglow" 10 ||
  fail "no About window, or it stayed"

say "two nights with the Get button, journal counts and comments, the arrow keys"
download "Untitled 1"
# The keys go to the window that asked for the night, not to one that the status window left in front:
# Tab from the button to DREAMS now, the count itself after the Save As dialog.
driver keys - - '\t' || fail "cannot type after the download"
save_as data_win_type "Untitled 1" night.sl1
same_night
driver keys - - 5 && data click night 200 136 && data keys night "Lucid at the lake" || fail "cannot type into the first night"
night --seed 11 --clock "2024-05-23 07:10:00"
save night
cp "$work/night.sl1" "$work/cli.sl1"
download night
save night
same_night

say "a save that cannot be written says which file and why, and keeps the document and the file"
before=$(md5sum <"$work/night.sl1")
# A name the dialog takes whose temporary file beside it would be longer than Windows allows.
long=$(windows_path "$work/$(printf 'x%.0s' $(seq $((248 - ${#work}))))")
data post night 70 && driver answer "Save As" 1 15 "$long.sl1" 1148 >/dev/null || fail "no Save As dialog"
[[ "$(driver answer Message 1 10)" == "Couldn't save file."$'\n'"$long.sl1: "?* ]] || fail "the failed save said no file and why"
data wait night 5 >/dev/null && ! changed || fail "the failed save changed the title or night.sl1"
! ls "$work" | grep '\.tmp$' || fail "the failed save left a file"

# A comment with quotes, a tab (pasted: Tab itself leaves the box) and a line longer than the box is wide.
long_line=$(printf 'and on%.0s' $(seq 40))
data keys night '\t5\t2' && data click night 200 136 && data keys night 'Flying, "high"' &&
  driver setclip "\t$long_line" && data post night 160 || fail "cannot type into the second night"
shot data_window.png data_win_type night
data click night 20 95 && data keys night '\<' || fail "cannot step to the first night"
save night
# Tags 96, rectangle 16, then the shown night's block 432 and journal counts: DREAMS at 544.
[ "$(i32 "$work/night.sl1" 544)" = 5 ] || fail "the left arrow does not show the first night with its journal"
data keys night '\>' || fail "cannot step to the second night"

say "Plot Records, Select All, OK; Copy Plot puts the plot shown on the clipboard"
plot=(plot_win_type "Multi-Record Cue Plot")
data post night 240 && select_all "Plot Records" 12 || fail "no Plot Records dialog"
shot plot_window.png "${plot[@]}"
driver post "${plot[@]}" 150 && eventually 50 shown "${plot[@]}" || fail "the clipboard's picture is not the plot shown"

say "Show Journal Trends; Copy Trends puts the chart and the bytes of nightglow-cli trends on the clipboard"
trends=(trends_win_type "Journal Trends")
data post night 205 || fail "cannot send Show Journal Trends"
shot trends_window.png "${trends[@]}"
driver post "${trends[@]}" 150 && eventually 50 driver clip "${trends[@]}" "$work/trends.txt" text || fail "no trends text"
same_as_cli "$work/trends.txt" trends "$work/night.sl1"  # saved after both nights' counts were typed
[ "$(tr -d '\r' <"$work/trends.txt" | sed -n 2,3p | cut -f 1,3,4 | tr '\t\n' ',;')" = '1,5,0;2,5,2;' ] ||
  fail "the trends lack the typed counts: $(cat "$work/trends.txt")"
eventually 50 driver clip "${trends[@]}" "$work/chart.dib" && width=$(driver rect "${trends[@]}" 5 client) &&
  [ "$(identify -format %w "dib:$work/chart.dib")" = "${width%%x*}" ] || fail "no picture of the chart on the clipboard"
driver post "${trends[@]}" close || fail "cannot close the trends window"

say "save night.sl1, export with field names, quit"
save night
sl1=$work/night.sl1
plot=$(($(stat -c %s "$sl1") - 1052))  # the plot section closes the file
[ "$(i32 "$sl1" $((plot + 16)))" = 1 ] && [ "$(i32 "$sl1" $((plot + 20)))" = 2 ] || fail "the saved plot is not two nights"
series() { echo "$1=$(od -An -v -t d4 -j $((plot + $2)) -N 512 "$sl1" | xargs)"; }
"$CLI" plot "$sl1" >"$work/plot.out" && grep -qx "$(series CUES 28)" "$work/plot.out" &&
  grep -qx "$(series CUESND 540)" "$work/plot.out" || fail "nightglow-cli plot sums differently from the program"
data post night 100 && select_all "Export Data" 4 || fail "no Export Data dialog"
into "Save Data" rows.txt
same_as_cli "$work/rows.txt" export "$sl1" --names
# REC, start 5, mode, end 5, duration, cues 2, REM 128, then DREAMS, LDREAMS ... and COMMENTS in 151: the
# comment as typed, one line however the box wrapped it, quotes as _ and its tab a blank; all 176 columns.
[ "$(tr -d '\r' <"$work/rows.txt" | cut -f 1,144,145,151 | tr '\t\n' ',;')" = \
  "REC,DREAMS,LDREAMS,COMMENTS;1,5,0,\"Lucid at the lake\";2,5,2,\"Flying, _high_ $long_line\";" ] ||
  fail "the export: $(cut -f 1,144,145,151 "$work/rows.txt")"
[ "$(awk -F'\t' '{ print NF }' "$work/rows.txt" | sort -u)" = 176 ] || fail "an exported row lost or gained a column"
quit_program night

say "start again; the port is remembered, night.sl1 opens as the same nights"
start
expect_windows
driver gone "#32770" "Set Default COM Port" 0 || fail "the port dialog came again"
port 17 "Untitled 1" COM17
data post "Untitled 1" 40 && file Open "$sl1" || fail "no open dialog"
driver answer "Warning!" 1 10 | grep -q "overwite the current data document" || fail "no question before replacing"
data wait night 10 >/dev/null || fail "night.sl1 did not open"
save_as data_win_type night again.sl1
cmp "$sl1" "$work/again.sl1" || fail "the reopened nights save differently"
data post again 90 && into "Save Report" report.txt || fail "cannot send Export Report"
same_as_cli "$work/report.txt" report "$work/again.sl1"

say "a new document imports the export as the same nights; Quit, Yes and a cancelled Save As stay"
data post again 20 && driver answer "Warning!" 1 10 >/dev/null || fail "no question before a new document"
data wait "Untitled 1" 10 >/dev/null || fail "no new data window"
data post "Untitled 1" 105 && file Open "$work/rows.txt" || fail "no import dialog"
driver answer Message 1 10 | grep -qx "2 record(s) imported." || fail "the nights were not imported"
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
shot settings_window.png settings_win_type "Settings 1"
driver click settings_win_type "Settings 1" 150 120 || fail "cannot press Set Somnolux Settings"
driver answer "Set Somnolux?" 1 15 |
  grep -q "This will overwrite the current settings in the Somnolux.  Are you sure you want to proceed?" ||
  fail "no upload question"
eventually 300 grep -q '^UPLOAD=1$' "$work/sim.out" && finished "the upload failed"
# The mask's clock within a minute of the PC's.
value() { grep "^$1=" "$work/sim.out" | head -n 1 | cut -d= -f2; }
apart=$((($(date +%s) - $(date -d 00:00 +%s) - $(value TODH) * 3600 - $(value TODM) * 60 - $(value TODS) + 86400) % 86400))
[ "$apart" -le 60 ] || fail "the mask's clock $(value TODH):$(value TODM):$(value TODS) is $apart s from the PC's"
save_as settings_win_type "Settings 1" settings.sl2
driver wait settings_win_type settings 10 >/dev/null || fail "the settings window is not titled \"settings\""
run sl2 "$CLI" settings "$work/settings.sl2"
check_upload "$work/sl2.out" "$work/sim.out" CDUR=20 SENS=9 TODD=0 INTENS=3 WTIMEH=8 CSTARTH=12

if [ -n "$cups_pid" ]; then
  say "print the Data window"
  pdfs=$(getent passwd "$(id -un)" | cut -d: -f6)/PDF  # where the PDF printer puts this user's pages
  touch "$work/before-print"
  data post imported 120 && driver answer Print 1 20 >/dev/null || fail "no print dialog"
  printed() { pdf=$(find "$pdfs" -name '*.pdf' -newer "$work/before-print" 2>/dev/null | head -n 1) && pdfinfo "$pdf" >/dev/null 2>&1; }
  eventually 300 printed && mv "$pdf" "$shots/printed_data_window.pdf" && pdf=$shots/printed_data_window.pdf
  [ "$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')" = 1 ] || fail "no one-page PDF: $(tail -n 20 "$cups/log/error_log")"
  start=$(tr -d '\r' <"$work/rows.txt" | tail -n 1 | awk -F'\t' '{printf "%s/%s/%s %s:%s", $2, $3, $4, $5, $6}')
  pdftotext -layout "$pdf" - | grep -q "^RECORD START: *$start " || fail "the page shows no RECORD START: $start"
fi

say "Other Port... changes the remembered port"
data post imported 290 && driver answer "Set Default COM Port" 1 10 3 >/dev/null || fail "no port dialog from Other Port..."
port 3 imported 'COM&3'
quit_program imported settings
say "PASS"
