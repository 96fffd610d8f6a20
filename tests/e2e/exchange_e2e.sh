#!/usr/bin/env bash
# End to end with the real clients of the Data window's files and pages. The window exports six nights
# with the field names; LibreOffice Calc opens the file headlessly (176 columns, every value where it
# belongs) and saves it back as tab-separated text with its text cells quoted; the window imports that
# and the same nights come back, exporting to the same bytes. Then the real nightglow.exe imports the
# file and prints its Data window on a CUPS PDF printer: one page whose text holds the shown night's
# start (the PDF and a PNG of the page go to <windows build directory>/e2e/).
# Where LibreOffice or CUPS cannot run, that part says so and is left out.
# usage: tests/e2e/exchange_e2e.sh <windows build directory>
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:?usage: exchange_e2e.sh <windows build directory>}" && pwd)
[ -f "$build/tests/app_tests.exe" ] && [ -f "$build/src/nightglow.exe" ] && [ -f "$build/tests/e2e_driver.exe" ] ||
  { echo "exchange_e2e: build app_tests, nightglow and e2e_driver" >&2; exit 1; }
. "$root/scripts/env.sh"
. "$root/tests/e2e/e2e_common.sh"
ng_ensure_display
ng_ensure_prefix
shots=$build/e2e
mkdir -p "$shots"

pid=
cups_pid=
app_key='HKCU\Software\Wine\AppDefaults\nightglow.exe'
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  [ -n "$cups_pid" ] && kill "$cups_pid" 2>/dev/null && wait "$cups_pid" 2>/dev/null
  "$NG_WINE" reg delete "$app_key" /f >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT
chmod 755 "$work"  # the printing system's filters run as another user
windows_work="Z:${work//\//\\}"

# step export|import: that half of the round trip in the Windows tests, on the files in $work.
step() {
  NG_SPREADSHEET_DIR=$windows_work NG_SPREADSHEET_STEP=$1 "$NG_WINE" "$build/tests/app_tests.exe" \
    --gtest_filter=exchange.spreadsheet_round_trip >"$work/$1.log" 2>&1
  tr -d '\r' <"$work/$1.log" | grep -q '^\[  PASSED  \] 1 test' || fail "$1: $(tail -n 30 "$work/$1.log")"
}

echo "exchange_e2e: the Data window exports six nights with the field names"
step export
imported=$work/nights.txt
filter='Text - txt - csv (StarCalc):9,34,76,1,,1033,true,false'  # tabs, quotes, UTF-8, quoted text stays text
office() { HOME=$work/office timeout 180 soffice --headless "$@" >>"$work/office.log" 2>&1; }
if office --version; then
  echo "exchange_e2e: LibreOffice Calc opens the export and saves it back"
  office --infilter="$filter" --convert-to ods --outdir "$work" "$work/nights.txt" || fail "no sheet: $(cat "$work/office.log")"
  python3 - "$work/nights.txt" "$work/nights.ods" <<'EOF' || fail "the sheet does not hold the export"
import csv, sys, zipfile, xml.etree.ElementTree as tree
table, office, text = ("{urn:oasis:names:tc:opendocument:xmlns:%s:1.0}" % n for n in ("table", "office", "text"))
rows = list(csv.reader(open(sys.argv[1], newline="", encoding="latin-1"), delimiter="\t"))
sheet = []
for row in tree.fromstring(zipfile.ZipFile(sys.argv[2]).read("content.xml")).iter(table + "table-row"):
    cells = []
    for cell in row:
        kind = cell.get(office + "value-type")
        value = float(cell.get(office + "value")) if kind == "float" else \
            "\n".join("".join(p.itertext()) for p in cell.iter(text + "p")) if kind else None
        cells += [value] * min(int(cell.get(table + "number-columns-repeated", "1")), 1000)
    while cells and cells[-1] is None:
        cells.pop()
    if cells:
        sheet.append(cells)
assert len(sheet) == len(rows) == 7, (len(sheet), len(rows))
for r, (want, got) in enumerate(zip(rows, sheet)):
    assert len(want) == len(got) == 176, (r, len(want), len(got))
    for c, (w, g) in enumerate(zip(want, got)):
        w = w.replace("\r", "")
        assert g == (float(w) if isinstance(g, float) else w), (r, c, w, g)
# Chosen cells: the names, numbers as numbers, texts as the program wrote them.
assert (sheet[0][0], sheet[0][150], sheet[0][175]) == ("REC", "COMMENTS", "TSTAMP")
assert (sheet[2][0], sheet[2][1], sheet[2][6], sheet[2][12]) == (2, 5, "2. Light Sleep", 100)
assert (sheet[2][150], sheet[2][166], sheet[2][168]) == ("first _line_\nsecond", "0x1a2", "W95 Nightglow v1.1")
assert sheet[4][1:4] == ["??", "??", "??"]
print("exchange_e2e: 176 columns, every cell as exported")
EOF
  mkdir -p "$work/back"
  office --convert-to "txt:$filter,true" --outdir "$work/back" "$work/nights.ods" && mv "$work/back/nights.txt" "$work/back.txt" ||
    fail "the sheet was not saved back: $(cat "$work/office.log")"
  step import
  cmp "$work/nights.txt" "$work/again.txt" || fail "the nights that came back export differently"
  imported=$work/back.txt
else
  echo "exchange_e2e: LibreOffice cannot run here: the spreadsheet round trip is left out"
fi

cups=$work/cups
start_cups() {
  command -v cupsd >/dev/null && [ -x /usr/lib/cups/backend/cups-pdf ] && [ "$(id -u)" = 0 ] || return 1
  mkdir -p "$cups/spool/tmp" "$cups/cache" "$cups/state" "$cups/log"
  printf 'Listen %s/cups.sock\n<Location />\n  Order allow,deny\n  Allow all\n</Location>\n' "$cups" >"$cups/cupsd.conf"
  printf '%s\n' "ServerRoot $cups" "RequestRoot $cups/spool" "TempDir $cups/spool/tmp" "CacheDir $cups/cache" \
    "StateDir $cups/state" "ErrorLog $cups/log/error_log" "AccessLog $cups/log/access_log" \
    "PageLog $cups/log/page_log" >"$cups/cups-files.conf"
  cupsd -f -c "$cups/cupsd.conf" -s "$cups/cups-files.conf" >"$cups/cupsd.out" 2>&1 &
  cups_pid=$!
  for _ in $(seq 50); do [ -S "$cups/cups.sock" ] && break; sleep 0.2; done
  export CUPS_SERVER=$cups/cups.sock
  lpadmin -p NightglowPDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null &&
    lpadmin -d NightglowPDF
}
if ! start_cups; then
  echo "exchange_e2e: CUPS with its PDF printer cannot run here: printing is left out"
  echo "exchange_e2e: PASS"
  exit 0
fi

echo "exchange_e2e: the program imports the nights and prints its Data window"
pdfs=$(getent passwd "$(id -un)" | cut -d: -f6)/PDF  # where the PDF printer puts this user's pages
touch "$work/before-print"
printf 'port = COM1\r\n' >"$work/somnprefs.txt"
"$NG_WINE" reg add "$app_key\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1
(cd "$work" && exec "$NG_WINE" "$build/src/nightglow.exe" 2>>"$work/app.err") &
pid=$!
driver wait data_win_type "Untitled 1" 30 >/dev/null || fail "no data window"
driver gone about_win_type "About Nightglow" 10 || fail "the start-up picture stayed"
driver post data_win_type "Untitled 1" 105 || fail "cannot send Import From Database"
driver file Open "Z:${imported//\//\\}" 15 || fail "no open dialog"
driver answer Message 1 10 | grep -qx "6 record(s) imported." || fail "the nights were not imported"
driver post data_win_type "Untitled 1" 120 || fail "cannot send Print Window"
driver answer Print 1 20 >/dev/null || fail "no print dialog"
pdf=
for _ in $(seq 120); do
  pdf=$(find "$pdfs" -name '*.pdf' -newer "$work/before-print" 2>/dev/null | head -n 1)
  [ -n "$pdf" ] && [ -n "$(pdfinfo "$pdf" 2>/dev/null)" ] && break
  sleep 0.5
done
[ -n "$pdf" ] || fail "no PDF came out: $(tail -n 20 "$cups/log/error_log")"
cp "$pdf" "$shots/printed_data_window.pdf" && rm -f "$pdf"
pdf=$shots/printed_data_window.pdf
pdftoppm -png -r 80 -singlefile "$pdf" "$shots/printed_data_window" && echo "exchange_e2e: page $shots/printed_data_window.png"
[ "$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')" = 1 ] || fail "the print is not one page"
start=$(tr -d '\r' <"$work/nights.txt" | tail -n 1 | awk -F'\t' '{printf "%s/%s/%s %s:%s", $2, $3, $4, $5, $6}')
pdftotext -raw "$pdf" - | grep -A1 -x "RECORD START:" | grep -qx "$start" ||
  fail "the page does not show RECORD START: $start"
quit_program "Untitled 1"
echo "exchange_e2e: PASS"
