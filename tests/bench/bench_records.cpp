// Benchmarks: saving and opening 10,000 and 100,000 records.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "model/data_record.h"

namespace {

// Nights with reset blocks; every third one with a comment.
std::vector<data_record> make_records(int64_t n) {
  std::vector<data_record> records(static_cast<std::size_t>(n));
  for (std::size_t i = 0; i < records.size(); i += 3)
    records[i].set_comment("Night " + std::to_string(i) + ": flying, then a lucid moment at the lake.");
  return records;
}

// Save: every record written to a fresh file.
void write_records(benchmark::State& state) {
  const std::vector<data_record> records = make_records(state.range(0));
  for (auto _ : state) {
    std::FILE* file = std::tmpfile();
    for (const data_record& r : records) {
      if (!file || !r.write(file)) return state.SkipWithError("write failed");
    }
    std::fclose(file);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Open: every record read back from a saved file.
void read_records(benchmark::State& state) {
  const std::vector<data_record> records = make_records(state.range(0));
  std::FILE* file = std::tmpfile();
  for (const data_record& r : records) {
    if (!file || !r.write(file)) return state.SkipWithError("write failed");
  }
  for (auto _ : state) {
    std::rewind(file);
    std::vector<data_record> back(records.size());
    for (data_record& r : back) {
      if (!r.read(file)) return state.SkipWithError("read failed");
    }
    benchmark::DoNotOptimize(back.data());
  }
  std::fclose(file);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(write_records)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(read_records)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
