// Benchmarks: the Data window's report text of one record, beside writing that text as Export Report does.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>

#include "exchange/exchange_files.h"
#include "exchange/report_texts.h"
#include "model/date_stamp.h"

namespace {

// A dated night of 100 bins with REM in every other bin and a two-line comment.
data_record night() {
  data_record record;
  device_block& b = record.block;
  b.tstamp = pack_date(2024, 5, 21, 21, 30, 1);
  b.recstarth = 23, b.recstartm = 12, b.dur = 100, b.mode = 3, b.cstarth = 1, b.cendh = 7;
  std::memset(b.rem, 0x55, sizeof b.rem);
  std::strcpy(b.ibv, "SLX-IB 1.4");
  for (int i = 0; i < journal_count_total; ++i) record.counts[i] = i;
  record.comment = "Flew over the lake\r\nthen a lucid moment";
  return record;
}

void report_text(benchmark::State& state) {
  const data_window_view view = view_of_record(night());
  for (auto _ : state) benchmark::DoNotOptimize(data_report_text(view, program_version));
}

void report_file(benchmark::State& state) {
  const std::string text = data_report_text(view_of_record(night()), program_version);
  const std::string path = (std::filesystem::temp_directory_path() / "ng_bench_report.txt").string();
  for (auto _ : state)
    if (write_report_file(path, text) != nullptr) return state.SkipWithError("cannot write the report");
  std::filesystem::remove(path);
}

}  // namespace

BENCHMARK(report_text)->Unit(benchmark::kMicrosecond);
BENCHMARK(report_file)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_MAIN();
