#!/usr/bin/env bash
# End to end with a real spreadsheet and a real printer. The Data window exports six nights with the field
# names; LibreOffice Calc opens them headlessly (176 columns, every cell as exported) and saves them back
# as tab-separated text with quoted text cells, which imports as the same nights. The real nightglow.exe
# then imports that file and prints its Data window on a CUPS PDF printer: one page that shows the night's
# start (PDF and PNG in <windows build>/e2e/). A part whose client cannot run here says so and is left out.
# usage: tests/e2e/exchange_e2e.sh <windows build directory>
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:?usage: exchange_e2e.sh <windows build directory>}" && pwd)
. "$root/scripts/env.sh"
. "$root/tests/e2e/e2e_common.sh"
ng_ensure_display
ng_ensure_prefix
shots=$build/e2e
mkdir -p "$shots"
pid= cups_pid=
app_key='HKCU\Software\Wine\AppDefaults\nightglow.exe'
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  [ -n "$cups_pid" ] && kill "$cups_pid" 2>/dev/null && wait "$cups_pid" 2>/dev/null
  "$NG_WINE" reg delete "$app_key" /f >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT
chmod 755 "$work"  # the printing system's filters run as another user
windows_path() { echo "Z:${1//\//\\}"; }

# step export|import: that half of the round trip in the Windows tests, on the files in $work.
step() {
  NG_SPREADSHEET_DIR=$(windows_path "$work") NG_SPREADSHEET_STEP=$1 "$NG_WINE" "$build/tests/app_tests.exe" \
    --gtest_filter=exchange.spreadsheet_round_trip >"$work/$1.log" 2>&1
  tr -d '\r' <"$work/$1.log" | grep -q '^\[  PASSED  \] 1 test' || fail "$1: $(tail -n 30 "$work/$1.log")"
}
office() { HOME=$work/office timeout 180 soffice --headless "$@" >>"$work/office.log" 2>&1; }
filter='Text - txt - csv (StarCalc):9,34,76,1,,1033,true,false'  # tabs, quotes, UTF-8, quoted text stays text

step export
imported=$work/nights.txt
if office --version; then
  echo "exchange_e2e: LibreOffice Calc opens an export of six nights and saves it back"
  office --infilter="$filter" --convert-to ods --outdir "$work" "$work/nights.txt" || fail "no sheet"
  python3 - "$work/nights.txt" "$work/nights.ods" <<'EOF' || fail "the sheet does not hold the export"
import csv, sys, zipfile, xml.etree.ElementTree as tree
table, office, text = ("{urn:oasis:names:tc:opendocument:xmlns:%s:1.0}" % n for n in ("table", "office", "text"))
rows = list(csv.reader(open(sys.argv[1], newline="", encoding="latin-1"), delimiter="\t"))
def value(cell):  # numbers as numbers, texts with their lines
    kind = cell.get(office + "value-type")
    if kind == "float": return float(cell.get(office + "value"))
    return "\n".join("".join(p.itertext()) for p in cell.iter(text + "p")) if kind else None
sheet = [[value(c) for c in row for _ in range(min(int(c.get(table + "number-columns-repeated", "1")), 999))]
         for row in tree.fromstring(zipfile.ZipFile(sys.argv[2]).read("content.xml")).iter(table + "table-row")]
sheet = [row[:max([i + 1 for i, v in enumerate(row) if v is not None] or [0])] for row in sheet]
sheet = [row for row in sheet if row]
assert [len(r) for r in sheet] == [len(r) for r in rows] == [176] * 7, [len(r) for r in sheet]
for want, got in zip(rows, sheet):
    assert got == [float(w) if isinstance(g, float) else w.replace("\r", "") for w, g in zip(want, got)], got
assert sheet[2][:2] + sheet[2][150:151] + sheet[4][1:2] == [2, 5, "first _line_\nsecond", "??"]
EOF
  mkdir -p "$work/back"
  office --convert-to "txt:$filter,true" --outdir "$work/back" "$work/nights.ods" && mv "$work/back/nights.txt" "$work/back.txt" ||
    fail "the sheet was not saved back"
  step import
  cmp "$work/nights.txt" "$work/again.txt" || fail "the nights that came back export differently"
  imported=$work/back.txt
else
  echo "exchange_e2e: LibreOffice cannot run here: no spreadsheet round trip"
fi

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
if ! start_cups; then
  echo "exchange_e2e: CUPS with its PDF printer cannot run here: no printing"
  echo "exchange_e2e: PASS"
  exit 0
fi

echo "exchange_e2e: the program imports the nights and prints its Data window"
pdfs=$(getent passwd "$(id -un)" | cut -d: -f6)/PDF  # where the PDF printer puts this user's pages
touch "$work/before-print"
rm -f "$shots"/printed_data_window.*
printf 'port = COM1\r\n' >"$work/somnprefs.txt"
"$NG_WINE" reg add "$app_key\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1
(cd "$work" && exec "$NG_WINE" "$build/src/nightglow.exe" 2>>"$work/app.err") &
pid=$!
driver wait data_win_type "Untitled 1" 90 >/dev/null || fail "no data window"
driver post data_win_type "Untitled 1" 105 && driver file Open "$(windows_path "$imported")" 15 || fail "no open dialog"
driver answer Message 1 10 | grep -qx "6 record(s) imported." || fail "the nights were not imported"
driver post data_win_type "Untitled 1" 120 && driver answer Print 1 20 >/dev/null || fail "no print dialog"
for _ in $(seq 120); do
  pdf=$(find "$pdfs" -name '*.pdf' -newer "$work/before-print" 2>/dev/null | head -n 1)
  [ -n "$pdf" ] && pdfinfo "$pdf" >/dev/null 2>&1 && mv "$pdf" "$shots/printed_data_window.pdf" && break
  sleep 0.5
done
pdf=$shots/printed_data_window.pdf
[ "$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')" = 1 ] || fail "no one-page PDF: $(tail -n 20 "$cups/log/error_log")"
pdftoppm -png -r 80 -singlefile "$pdf" "$shots/printed_data_window" && echo "exchange_e2e: page $shots/printed_data_window.png"
start=$(tr -d '\r' <"$work/nights.txt" | tail -n 1 | awk -F'\t' '{printf "%s/%s/%s %s:%s", $2, $3, $4, $5, $6}')
pdftotext -layout "$pdf" - | grep -q "^RECORD START: *$start " || fail "the page shows no RECORD START: $start"
quit_program "Untitled 1"
echo "exchange_e2e: PASS"
