// Benchmarks: saving and opening a data document of 100,000 nights through the functions the program and the
// command line call, beside cp of the same file in the same run, and summing the cues of those nights for the plot.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "model/cue_plot.h"
#include "model/documents.h"

namespace {

constexpr int nights = 100000;
using clock_type = std::chrono::steady_clock;

std::string temp_file(const char* name) {
  return (std::filesystem::temp_directory_path() / ("nightglow_bench_" + std::to_string(getpid()) + name)).string();
}

// 100,000 nights at varied hours and cue periods with a fifth of their bins REM, a comment on every third.
const data_file_image& document() {
  static const data_file_image image = [] {
    data_file_image made;
    reset_block(made.data.working_block);
    for (int i = 0; i < nights; ++i) {
      data_record record;
      device_block& b = record.block;
      b.recstarth = i % 24, b.recstartm = i % 60, b.cstarth = i % 23, b.cendh = i % 19, b.dur = 80 + i % 60;
      for (int bin = 0; bin < bins_per_record; ++bin)
        if ((bin * 7 + i) % 5 == 0) b.rem[bin / 8] |= static_cast<uint8_t>(1 << (bin % 8));
      if (i % 3 == 0) record.comment = ("Night " + std::to_string(i) + ": flying, then a lucid moment at the lake.");
      made.records.push_back(std::move(record));
    }
    return made;
  }();
  return image;
}

bool save(const std::string& path) { return save_data_document(path, document()); }

// The document saved once for opening and copying; removed when the program ends.
const std::string& saved_file() {
  static const std::string path = [] {
    if (!save(temp_file(".sl1"))) std::abort();
    std::atexit([] { std::filesystem::remove(temp_file(".sl1")); });
    return temp_file(".sl1");
  }();
  return path;
}

double file_bytes() { return static_cast<double>(std::filesystem::file_size(saved_file())); }

double cp_once(const std::string& to) {
  const std::string from = saved_file();
  const auto start = clock_type::now();
  char* const args[] = {const_cast<char*>("cp"), const_cast<char*>(from.c_str()), const_cast<char*>(to.c_str()),
                        nullptr};
  pid_t pid = 0;
  int status = 0;
  if (posix_spawnp(&pid, "cp", nullptr, nullptr, args, environ) != 0 || waitpid(pid, &status, 0) != pid ||
      status != 0) {
    return -1;
  }
  return std::chrono::duration<double>(clock_type::now() - start).count();
}

// cp's throughput in bytes per second: the median of seven copies.
double cp_rate() {
  static const double rate = [] {
    std::vector<double> times;
    const std::string to = temp_file("_cp.sl1");
    for (int i = 0; i < 7; ++i) times.push_back(cp_once(to));
    std::filesystem::remove(to);
    std::sort(times.begin(), times.end());
    return times[3] > 0 ? file_bytes() / times[3] : 0;
  }();
  return rate;
}

// Runs one save or open per iteration and reports its throughput beside cp's; what the
// run leaves in `kept` is freed after its time is taken.
template <class F>
void measure(benchmark::State& state, F run) {
  double seconds = 0;
  for (auto _ : state) {
    data_file_image kept;
    const auto start = clock_type::now();
    if (!run(kept)) return state.SkipWithError("failed");
    seconds += std::chrono::duration<double>(clock_type::now() - start).count();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file_bytes()));
  state.counters["share_of_cp"] = file_bytes() * static_cast<double>(state.iterations()) / seconds / cp_rate();
}

void save_document(benchmark::State& state) {
  const std::string path = temp_file("_saved.sl1");
  measure(state, [&](data_file_image&) { return save(path); });
  std::filesystem::remove(path);
}

void open_document(benchmark::State& state) {
  measure(state, [](data_file_image& image) {
    return open_data_document(saved_file(), image).ok() && image.records.size() == nights;
  });
}

// Reading the nights is open_document's time; the target for this is 100 ms.
void sum_cues_for_the_plot(benchmark::State& state) {
  std::vector<int> all(nights);
  for (int i = 0; i < nights; ++i) all[static_cast<std::size_t>(i)] = i;
  for (auto _ : state) benchmark::DoNotOptimize(sum_cues(document().records, all, {}).max);
}

void cp_document(benchmark::State& state) {
  const std::string to = temp_file("_cp.sl1");
  measure(state, [&](data_file_image&) { return cp_once(to) > 0; });
  std::filesystem::remove(to);
}

}  // namespace

BENCHMARK(save_document)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(open_document)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(sum_cues_for_the_plot)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(cp_document)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
