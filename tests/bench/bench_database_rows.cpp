// Benchmarks: database export and import of 100,000 rows, beside sqlite3's import of the same file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "exchange/export_rows.h"
#include "exchange/import_rows.h"
#include "model/date_stamp.h"

namespace {

constexpr int row_count = 100000;
const std::string version = "W95 Nightglow v1.1";

std::string bench_file() { return (std::filesystem::temp_directory_path() / "ng_bench_rows.txt").string(); }

// Dated nights of varied length with REM bins, counts and, on every third, a two-line comment.
std::vector<data_record> make_nights() {
  std::vector<data_record> nights(row_count);
  for (int i = 0; i < row_count; ++i) {
    device_block& b = nights[static_cast<std::size_t>(i)].block;
    b.tstamp = pack_date(1997 + i % 30, 1 + i % 12, 1 + i % 28, 21, 30, 1);
    b.smoded = i % 7;
    b.recstarth = 22 + i % 3, b.recstartm = i % 60, b.dur = 60 + i % 80, b.mode = 1 + i % 4;
    for (int k = 0; k < 16; ++k) b.rem[k] = static_cast<uint8_t>(i * 7 + k * 13);
    b.cstarth = 2, b.cendh = 6, b.somnv = 0x1a2, b.packv = 3;
    std::strcpy(b.ibv, "IB 2.0");
    for (int c = 0; c < journal_count_total; ++c) nights[static_cast<std::size_t>(i)].counts[c] = (i + c) % 5;
    if (i % 3 == 0) nights[static_cast<std::size_t>(i)].comment = "Flying over the lake\r\nthen a \"lucid\" moment";
  }
  return nights;
}

// The export: the header line, then REC and the row of each night, written to a file.
void export_rows(benchmark::State& state) {
  const std::vector<data_record> nights = make_nights();
  for (auto _ : state) {
    std::FILE* file = std::fopen(bench_file().c_str(), "w");
    if (!file) return state.SkipWithError("cannot create the file");
    std::fputs(export_header().c_str(), file);
    for (int i = 0; i < row_count; ++i) {
      const std::string row = rec_column(i + 1) + make_export_row(view_of_record(nights[static_cast<std::size_t>(i)]), version);
      std::fwrite(row.data(), 1, row.size(), file);
    }
    std::fclose(file);
  }
  state.SetItemsProcessed(state.iterations() * row_count);
}

// The import of that file: every line read, split and parsed into a new record.
void import_rows(benchmark::State& state) {
  for (auto _ : state) {
    std::FILE* file = std::fopen(bench_file().c_str(), "rb");
    if (!file) return state.SkipWithError("export_rows writes the file first");
    line_reader reader(file);
    std::vector<std::unique_ptr<data_record>> records;
    const std::size_t added = import_records(reader, records);
    std::fclose(file);
    if (added != row_count) return state.SkipWithError("not every row came back");
  }
  state.SetItemsProcessed(state.iterations() * row_count);
}

// sqlite3's shell importing the same file in tab mode into a new table, for comparison.
void sqlite3_import(benchmark::State& state) {
  const std::string command = "sqlite3 :memory: -cmd '.mode tabs' '.import " + bench_file() +
                              " nights' 'select count(*) from nights;' >/dev/null";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) return state.SkipWithError("sqlite3 failed (is it installed?)");
  }
  state.SetItemsProcessed(state.iterations() * row_count);
}

}  // namespace

BENCHMARK(export_rows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(import_rows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(sqlite3_import)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
