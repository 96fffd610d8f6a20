// Benchmarks: database export and import of 100,000 rows, beside sqlite3's import of the same file; the report
// text of one night, beside writing it as Export Report does.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "exchange/exchange_files.h"
#include "exchange/export_rows.h"
#include "exchange/import_rows.h"
#include "exchange/report_texts.h"
#include "model/date_stamp.h"

namespace {

constexpr int row_count = 100000;
const std::string path = (std::filesystem::temp_directory_path() / "ng_bench_rows.txt").string();

// The export: header, then REC and the row of each dated night, written as one file.
void export_rows(benchmark::State& state) {
  std::vector<data_record> nights(row_count);
  for (int i = 0; i < row_count; ++i) {
    data_record& night = nights[static_cast<std::size_t>(i)];
    device_block& b = night.block;
    b.tstamp = pack_date(1997 + i % 30, 1 + i % 12, 1 + i % 28, 21, 30, 1);
    b.smoded = i % 7, b.recstarth = 22 + i % 3, b.recstartm = i % 60, b.dur = 60 + i % 80, b.mode = 1 + i % 4;
    for (int k = 0; k < 16; ++k) b.rem[k] = static_cast<uint8_t>(i * 7 + k * 13);
    std::strcpy(b.ibv, "IB 2.0");
    for (int c = 0; c < journal_count_total; ++c) night.counts[c] = (i + c) % 5;
    if (i % 3 == 0) night.comment = "Flying over the lake\r\nthen a \"lucid\" moment";
  }
  for (auto _ : state) {
    std::string text = export_header();
    for (int i = 0; i < row_count; ++i)
      text += rec_column(i + 1) +
              make_export_row(view_of_record(nights[static_cast<std::size_t>(i)]), "W95 Nightglow v1.1");
    if (write_export_file(path, text) != nullptr) return state.SkipWithError("cannot create the file");
  }
  state.SetItemsProcessed(state.iterations() * row_count);
}

// The import of that file: every line read, split and parsed into a new record.
void import_rows(benchmark::State& state) {
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return state.SkipWithError("export_rows writes the file first");
    line_reader reader(file);
    std::vector<data_record> records;
    const std::size_t added = import_records(reader, records);
    std::fclose(file);
    if (added != row_count) return state.SkipWithError("not every row came back");
  }
  state.SetItemsProcessed(state.iterations() * row_count);
}

// sqlite3's shell importing the same file in tab mode into a new table.
void sqlite3_import(benchmark::State& state) {
  const std::string command = "sqlite3 :memory: -cmd '.mode tabs' '.import " + path + " nights' >/dev/null";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) return state.SkipWithError("sqlite3 failed (is it installed?)");
  }
  state.SetItemsProcessed(state.iterations() * row_count);
}

// A dated night of 100 bins with REM in every other bin and a two-line comment.
data_window_view report_view() {
  data_record night;
  device_block& b = night.block;
  b.tstamp = pack_date(2024, 5, 21, 21, 30, 1);
  b.recstarth = 23, b.recstartm = 12, b.dur = 100, b.mode = 3, b.cstarth = 1, b.cendh = 7;
  std::memset(b.rem, 0x55, sizeof b.rem);
  std::strcpy(b.ibv, "SLX-IB 1.4");
  night.comment = "Flew over the lake\r\nthen a lucid moment";
  return view_of_record(night);
}

void report_text(benchmark::State& state) {
  const data_window_view view = report_view();
  for (auto _ : state) benchmark::DoNotOptimize(data_report_text(view, program_version));
}

void report_file(benchmark::State& state) {
  const std::string text = data_report_text(report_view(), program_version);
  const std::string report = (std::filesystem::temp_directory_path() / "ng_bench_report.txt").string();
  for (auto _ : state)
    if (write_report_file(report, text) != nullptr) return state.SkipWithError("cannot write the report");
}

}  // namespace

BENCHMARK(export_rows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(import_rows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(sqlite3_import)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(report_text)->Unit(benchmark::kMicrosecond);
BENCHMARK(report_file)->Unit(benchmark::kMicrosecond)->UseRealTime();

BENCHMARK_MAIN();
