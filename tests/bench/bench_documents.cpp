// Benchmarks on 100,000 nights, each beside a reference measured in the same run: saving and opening the data
// document through the functions the program and the command line call (cp of the same file), summing their
// cues for the plot, and exporting and importing them as database rows (sqlite3's import of the same file).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <numeric>

#include "exchange/exchange_files.h"
#include "exchange/export_rows.h"
#include "exchange/import_rows.h"
#include "model/cue_plot.h"
#include "model/date_stamp.h"
#include "model/documents.h"

namespace {

constexpr int count = 100000;
const std::string temp = std::filesystem::temp_directory_path() / "ng_bench_";  // bench.sh imports its rows.txt

// Dated nights at varied hours and cue periods with a fifth of their bins REM, journal counts, and a two-line
// comment on every third; saved once for opening and copying.
const data_file_image& document() {
  static const data_file_image image = [] {
    data_file_image made;
    reset_block(made.data.working_block);
    for (int i = 0; i < count; ++i) {
      data_record& night = made.records.emplace_back();
      device_block& b = night.block;
      b.tstamp = pack_date(1997 + i % 30, 1 + i % 12, 1 + i % 28, 21, 30, 1), b.mode = 1 + i % 4;
      b.recstarth = i % 24, b.recstartm = i % 60, b.cstarth = i % 23, b.cendh = i % 19, b.dur = 80 + i % 60;
      for (int bin = 0; bin < bins_per_record; ++bin)
        if ((bin * 7 + i) % 5 == 0) b.rem[bin / 8] |= static_cast<uint8_t>(1 << (bin % 8));
      std::strcpy(b.ibv, "SLX-IB 1.4");
      for (int c = 0; c < journal_count_total; ++c) night.counts[c] = (i + c) % 5;
      if (i % 3 == 0) night.comment = "Night " + std::to_string(i) + ": over the lake\r\nthen a \"lucid\" moment";
    }
    if (!save_data_document(temp + "night.sl1", made)) std::abort();
    return made;
  }();
  return image;
}

// The references that are other programs' times: the program itself, started each time without a shell,
// its output dropped.
void run(benchmark::State& state, std::vector<std::string> words) {
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  for (auto _ : state) {
    pid_t pid = 0;
    int status = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0 || waitpid(pid, &status, 0) != pid ||
        !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError(argv[0]);
      break;
    }
  }
  posix_spawn_file_actions_destroy(&actions);
}

void save_document(benchmark::State& state) {
  for (auto _ : state)
    if (!save_data_document(temp + "saved.sl1", document())) return state.SkipWithError("cannot save");
}

void open_document(benchmark::State& state) {
  document();
  for (auto _ : state) {
    data_file_image image;
    if (!open_data_document(temp + "night.sl1", image).ok() || image.records.size() != count)
      return state.SkipWithError("open");
    state.PauseTiming();  // freeing the records is not the open's time
    image = {};
    state.ResumeTiming();
  }
}

// cp of the same file; its bytes per second tell the file's size.
void cp_document(benchmark::State& state) {
  document();
  run(state, {"cp", temp + "night.sl1", temp + "cp.sl1"});
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(temp + "night.sl1")));
}

// Reading the nights is open_document's time; the target for this is 100 ms.
void sum_cues_for_the_plot(benchmark::State& state) {
  std::vector<int> all(count);
  std::iota(all.begin(), all.end(), 0);
  for (auto _ : state) benchmark::DoNotOptimize(sum_cues(document().records, all, {}).max);
}

// The export: header, then REC and the row of each night, written as one file.
void export_rows(benchmark::State& state) {
  for (auto _ : state) {
    std::string text = export_header();
    for (int i = 0; i < count; ++i)
      text += rec_column(i + 1) + make_export_row(view_of_record(document().records[std::size_t(i)]), program_version);
    if (write_export_file(temp + "rows.txt", text) != nullptr) return state.SkipWithError("cannot create the file");
  }
}

// The import of that file (export_rows writes it first): every line read, split and parsed into a new record.
void import_rows(benchmark::State& state) {
  for (auto _ : state) {
    std::FILE* file = std::fopen((temp + "rows.txt").c_str(), "rb");
    line_reader reader(file);
    std::vector<data_record> records;
    if (!file || import_records(reader, records) != count || std::fclose(file)) return state.SkipWithError("import");
  }
}

void sqlite3_import(benchmark::State& state) {
  run(state, {"sqlite3", ":memory:", "-cmd", ".mode tabs", ".import " + temp + "rows.txt nights"});
}

}  // namespace

BENCHMARK(save_document)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(open_document)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(cp_document)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(sum_cues_for_the_plot)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(export_rows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(import_rows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(sqlite3_import)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
