// Benchmarks: writing and reading many records, and deriving their labels and cue counts.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "model/data_record.h"
#include "model/date_stamp.h"

namespace {

// Nights with varied starts, durations, cue periods, REM bits and comments.
std::vector<data_record> make_records(int n) {
  std::mt19937 random(1997);
  std::vector<data_record> records(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    data_record& r = records[static_cast<std::size_t>(i)];
    r.block.tstamp = pack_date(1997 + i % 20, 1 + i % 12, 1 + i % 28, 21, 30, 1);
    r.block.smoded = i % 9;
    r.block.recstarth = static_cast<int32_t>(random() % 24);
    r.block.recstartm = static_cast<int32_t>(random() % 60);
    r.block.dur = static_cast<int32_t>(random() % 140);
    r.block.cstarth = static_cast<int32_t>(random() % 24);
    r.block.cendh = static_cast<int32_t>(random() % 24);
    for (uint8_t& byte : r.block.rem) byte = static_cast<uint8_t>(random());
    for (int32_t& c : r.counts) c = static_cast<int32_t>(random() % 5);
    if (i % 3 == 0) r.set_comment("Night " + std::to_string(i) + ": flying, then a lucid moment at the lake.");
  }
  return records;
}

std::filesystem::path bench_path() {
  return std::filesystem::temp_directory_path() / ("nightglow_bench_records_" + std::to_string(std::random_device{}()));
}

void write_records(benchmark::State& state) {
  const std::vector<data_record> records = make_records(static_cast<int>(state.range(0)));
  const std::filesystem::path path = bench_path();
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    if (!file) {
      state.SkipWithError("cannot create the temporary file");
      break;
    }
    for (const data_record& r : records) {
      if (!r.write(file)) state.SkipWithError("write failed");
    }
    std::fclose(file);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
  std::filesystem::remove(path);
}

void read_records(benchmark::State& state) {
  const std::vector<data_record> records = make_records(static_cast<int>(state.range(0)));
  const std::filesystem::path path = bench_path();
  std::FILE* out = std::fopen(path.string().c_str(), "wb");
  if (!out) {
    state.SkipWithError("cannot create the temporary file");
    return;
  }
  for (const data_record& r : records) r.write(out);
  std::fclose(out);
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.string().c_str(), "rb");
    std::vector<data_record> back(records.size());
    for (data_record& r : back) {
      if (!r.read(file)) state.SkipWithError("read failed");
    }
    std::fclose(file);
    benchmark::DoNotOptimize(back.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
  std::filesystem::remove(path);
}

void labels_and_cue_counts(benchmark::State& state) {
  const std::vector<data_record> records = make_records(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::size_t text = 0;
    int cues = 0;
    for (const data_record& r : records) {
      text += r.label().size();
      const cue_counts c = r.count_cues();
      cues += c.cues + c.not_delivered;
    }
    benchmark::DoNotOptimize(text);
    benchmark::DoNotOptimize(cues);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(write_records)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(read_records)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(labels_and_cue_counts)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
