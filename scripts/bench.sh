#!/usr/bin/env bash
# The performance table: each figure of the program's core beside its reference, measured in this
# run on the same generated data. Builds what it needs (native benchmarks and command line, the
# 64-bit program for the start-up under Wine) and prints the table as Markdown; a copy goes to
# build/bench/table.md. Run it on a quiet machine: other work on the cores moves every figure.
set -uo pipefail
. "$(dirname "$0")/env.sh"
cd "$NG_ROOT"
unset MAKEFLAGS MFLAGS MAKELEVEL
"$NG_ROOT/scripts/deps.sh" || exit 1
out=$NG_BUILD/bench
rm -rf "$out/tmp" && mkdir -p "$out/tmp" "$out/run"
log=$out/build.log
echo "bench: building (log in $log)"
# The benchmarks and the start-up driver are built with the tests; `make run` and `make dist`
# leave their presets configured without them, so ask for them again.
{ cmake --preset native -DNG_TESTS=ON && cmake --build --preset native -j2 --target bench_documents nightglow-cli; } \
  >"$log" 2>&1 || { echo "bench: the native build failed" >&2; exit 1; }
{ cmake --preset win64 -DNG_TESTS=ON && cmake --build --preset win64 -j2 --target nightglow e2e_driver; } >>"$log" 2>&1 ||
  echo "bench: the Windows build failed (see $log); no start-up figures" >&2

# The benchmark program writes its generated files into $out/tmp.
echo "bench: bench_documents" >&2
TMPDIR=$out/tmp "$NG_BUILD/native/tests/bench/bench_documents" --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_format=json 2>/dev/null >"$out/bench_documents.json"

# Peak memory of the command line holding the benchmark's 100,000 imported rows as records (its
# report reads the whole document), less the same command on a document of one record.
echo "bench: memory" >&2
cli=$NG_BUILD/native/tools/nightglow-cli
rows=$out/tmp/ng_bench_rows.txt
"$cli" import "$rows" --into "$out/tmp/big.sl1" >/dev/null &&
  "$cli" export "$out/tmp/big.sl1" --records 1 >"$out/tmp/one.txt" &&
  "$cli" import "$out/tmp/one.txt" --into "$out/tmp/one.sl1" >/dev/null || { echo "bench: import failed" >&2; exit 1; }
peak_kib() { /usr/bin/time -f %M "$cli" report "$1" 2>&1 >/dev/null | tail -n 1; }
memory="$(peak_kib "$out/tmp/big.sl1") $(peak_kib "$out/tmp/one.sl1") $(stat -c %s "$out/tmp/big.sl1") $(stat -c %s "$out/tmp/one.sl1")"

# Start-up to the first window under Wine, beside Wine's own notepad; the median of seven starts.
startup=""
if [ -f "$NG_BUILD/win64/src/nightglow.exe" ] && [ -f "$NG_BUILD/win64/tests/e2e_driver.exe" ]; then
  echo "bench: start-up under Wine" >&2
  ng_ensure_display
  ng_ensure_prefix
  printf 'port = COM1\r\n' >"$out/run/somnprefs.txt"  # no port question at start
  driver="$NG_BUILD/win64/tests/e2e_driver.exe"
  exe="Z:$(tr / '\\' <<<"$NG_BUILD/win64/src/nightglow.exe")"
  median() { sort -n | sed -n 4p; }
  starts() { for _ in 1 2 3 4 5 6 7; do (cd "$out/run" && "$NG_WINE" "$driver" startup "$@" | tr -d '\r'); done; }
  "$NG_WINE" "$driver" startup 'C:\windows\notepad.exe' Notepad "Untitled - Notepad" >/dev/null  # a warm server
  startup="$(starts "$exe" data_win_type "Untitled 1" | median) $(starts 'C:\windows\notepad.exe' Notepad "Untitled - Notepad" | median)"
fi

python3 - "$out" "$memory" "$startup" <<'EOF' | tee "$out/table.md"
import json, sys
out, memory, startup = sys.argv[1], sys.argv[2].split(), sys.argv[3].split()

runs = json.load(open(f"{out}/bench_documents.json"))["benchmarks"]
files = {r["run_name"].split("/")[0]: r for r in runs if r.get("aggregate_name") == "median"}

def ms(run):
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[run["time_unit"]]
    return run["real_time"] * scale

rows = []
def row(figure, ours, reference, ratio, target, met):
    rows.append((figure, ours, reference, ratio, target, "yes" if met else "NO"))

mb = files["cp_document"]["bytes_per_second"] * ms(files["cp_document"]) / 1e3 / 1e6
for name, figure in (("save_document", ".sl1 write (save), 100,000 records"), ("open_document", ".sl1 read (open), 100,000 records")):
    share = ms(files["cp_document"]) / ms(files[name])
    row(figure + f", {mb:.1f} MB", f"{ms(files[name]):.0f} ms", f"cp: {ms(files['cp_document']):.0f} ms",
        f"{share:.2f} of cp's speed", "at least 0.6 of cp", share >= 0.6)

sums = ms(files["sum_cues_for_the_plot"])
row("summing the cues of 100,000 records", f"{sums:.1f} ms", f"opening them: {ms(files['open_document']):.0f} ms",
    f"{sums / ms(files['open_document']):.2f} of the open's time", "under 100 ms", sums < 100)

sqlite = ms(files["sqlite3_import"])
for name, figure in (("export_rows", "export, 100,000 rows"), ("import_rows", "import, 100,000 rows")):
    speed = sqlite / ms(files[name])
    row(figure, f"{ms(files[name]):.0f} ms", f"sqlite3 .import (tabs): {sqlite:.0f} ms",
        f"{speed:.1f} x sqlite3's speed", "at least sqlite3's speed", speed >= 1)

if startup:
    ours, notepad = float(startup[0]), float(startup[1])
    rows.append(("start-up to the first window under Wine", f"{ours:.0f} ms", f"Wine's notepad: {notepad:.0f} ms",
                 f"{ours / notepad:.2f} of notepad's time", "none named", "-"))
else:
    rows.append(("start-up to the first window under Wine", "not measured", "no Windows build", "", "", "-"))

big_kib, one_kib, big_bytes, one_bytes = (int(v) for v in memory)
held = (big_kib - one_kib) * 1024
raw = big_bytes - one_bytes  # the bytes of the 99,999 further records
row("peak memory holding 100,000 records", f"{held / 1e6:.1f} MB", f"the records' raw bytes: {raw / 1e6:.1f} MB",
    f"{held / raw:.2f} x the raw bytes", "at most 1.3 x", held / raw <= 1.3)

print("| figure | Nightglow | reference (same run, same data) | ratio | target | met |")
print("|---|---|---|---|---|---|")
for r in rows:
    print("| " + " | ".join(r) + " |")
EOF
