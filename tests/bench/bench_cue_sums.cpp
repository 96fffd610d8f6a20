// Benchmarks: summing the cues of 100,000 nights for the plot, beside reading those nights from a .sl1.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>

#include "model/cue_plot.h"
#include "model/doc_file.h"

namespace {

constexpr int nights = 100000;

// Full nights at varied hours and cue periods, a fifth of their bins REM.
const std::string& saved_file() {
  static const std::string path = [] {
    data_file_image image;
    reset_block(image.data.working_block);
    std::mt19937 random(7);
    for (int i = 0; i < nights; ++i) {
      auto record = std::make_unique<data_record>();
      device_block& b = record->block;
      b.recstarth = static_cast<int32_t>(random() % 24), b.recstartm = static_cast<int32_t>(random() % 60);
      b.cstarth = static_cast<int32_t>(random() % 24), b.cendh = static_cast<int32_t>(random() % 24);
      b.dur = static_cast<int32_t>(80 + random() % 60);
      for (int bin = 0; bin < bins_per_record; ++bin)
        if (random() % 5 == 0) b.rem[bin / 8] |= static_cast<uint8_t>(1 << (bin % 8));
      image.records.push_back(std::move(record));
    }
    const std::string name =
        (std::filesystem::temp_directory_path() / ("nightglow_cues_" + std::to_string(getpid()) + ".sl1")).string();
    if (!save_file_safely(name, [&](std::FILE* file) { return write_data_file(file, image); })) std::abort();
    std::atexit([] { std::filesystem::remove(saved_file()); });
    return name;
  }();
  return path;
}

bool read_nights(data_file_image& image) {
  std::FILE* file = open_doc_file(saved_file().c_str(), "rb");
  const bool ok = file && read_data_file(file, image) == 1 && image.records.size() == nights;
  if (file) std::fclose(file);
  return ok;
}

void read_100000_nights(benchmark::State& state) {
  for (auto _ : state) {
    data_file_image image;
    if (!read_nights(image)) return state.SkipWithError("cannot read");
    benchmark::DoNotOptimize(image.records.data());
  }
}

void sum_cues_of_100000_nights(benchmark::State& state) {
  data_file_image image;
  if (!read_nights(image)) return state.SkipWithError("cannot read");
  std::vector<int> all(nights);
  for (int i = 0; i < nights; ++i) all[static_cast<std::size_t>(i)] = i;
  for (auto _ : state) {
    const plot_sums sums = sum_cues(image.records, all, {});
    benchmark::DoNotOptimize(sums.max);
  }
  state.SetItemsProcessed(state.iterations() * nights);
}

}  // namespace

BENCHMARK(read_100000_nights)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(sum_cues_of_100000_nights)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
