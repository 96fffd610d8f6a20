#!/usr/bin/env bash
# End to end with a real spreadsheet: LibreOffice Calc opens the Data window's export of six nights headlessly
# (176 columns, every cell as exported) and saves them back as tab-separated text with quoted text cells, which
# imports as the same nights. Where LibreOffice cannot run, it says so.
# usage: tests/e2e/exchange_e2e.sh <windows build directory>
set -uo pipefail
build=$(cd "${1:?usage: exchange_e2e.sh <windows build directory>}" && pwd)
. "$(dirname "$0")/e2e_common.sh"
trap 'rm -rf "$work"' EXIT

# step export|import: that half of the round trip in the Windows tests, on the files in $work.
step() {
  NG_SPREADSHEET_DIR=$(windows_path "$work") NG_SPREADSHEET_STEP=$1 "$NG_WINE" "$build/tests/app_tests.exe" \
    --gtest_filter=exchange.spreadsheet_round_trip >"$work/$1.log" 2>&1
  tr -d '\r' <"$work/$1.log" | grep -q '^\[  PASSED  \] 1 test' || fail "$1: $(tail -n 30 "$work/$1.log")"
}
office() { HOME=$work/office timeout 180 soffice --headless "$@" >>"$work/office.log" 2>&1; }
filter='Text - txt - csv (StarCalc):9,34,76,1,,1033,true,false'  # tabs, quotes, UTF-8, quoted text stays text

step export
office --version || { echo "exchange_e2e: LibreOffice cannot run here: no spreadsheet round trip"; exit 0; }
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
sheet = [r[:max(i + 1 for i, v in enumerate(r) if v is not None)] for r in sheet if any(v is not None for v in r)]
assert [len(r) for r in sheet] == [len(r) for r in rows] == [176] * 7, [len(r) for r in sheet]
for want, got in zip(rows, sheet):
    assert got == [float(w) if isinstance(g, float) else w.replace("\r", "") for w, g in zip(want, got)], got
assert sheet[2][:2] + sheet[2][150:151] + sheet[4][1:2] == [2, 5, "first _line_\nsecond", "??"]
EOF
mkdir "$work/back" && office --convert-to "txt:$filter,true" --outdir "$work/back" "$work/nights.ods" && mv "$work/back/nights.txt" "$work/back.txt" || fail "the sheet was not saved back"
step import
cmp "$work/nights.txt" "$work/again.txt" || fail "the nights that came back export differently"

echo "exchange_e2e: PASS"
