// Fuzz target: data records read from hostile bytes must write back and re-read unchanged.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "model/data_record.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

// The record's file image, written through a memory stream.
std::vector<uint8_t> written(const data_record& record) {
  char* buffer = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&buffer, &size);
  check(out && record.write(out));
  std::fclose(out);
  std::vector<uint8_t> bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

void check_round_trip(const data_record& first) {
  std::vector<uint8_t> bytes = written(first);
  std::FILE* in = fmemopen(bytes.data(), bytes.size(), "rb");
  data_record second;
  check(in && second.read(in) && std::fgetc(in) == EOF);  // the record used exactly its bytes
  std::fclose(in);
  check(std::memcmp(&first.block, &second.block, sizeof first.block) == 0);
  check(std::memcmp(first.counts, second.counts, sizeof first.counts) == 0 && first.comment == second.comment);
  check(written(second) == bytes && std::strlen(second.block.ibv) <= 255);

  // Everything a window derives from a hostile block must stay defined.
  check(first.label() == second.label());
  const cue_counts counts = second.count_cues();
  check(counts.cues >= 0 && counts.not_delivered >= 0 && counts.cues + counts.not_delivered <= bins_per_record);
  for (int bin = -1; bin <= bins_per_record; ++bin) (void)second.bin_in_cue_period(bin);
  (void)compute_record_times(second.block);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::vector<uint8_t> input(data, data + size);
  std::FILE* in = fmemopen(input.data(), input.size(), "rb");
  if (!in) return 0;
  // Records follow each other in a document; keep reading while they parse.
  for (int i = 0; i < 8; ++i) {
    data_record record;
    if (!record.read(in)) break;
    check_round_trip(record);
  }
  std::fclose(in);
  return 0;
}
