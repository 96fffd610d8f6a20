// Fuzz target: data records read from hostile bytes must write back and re-read unchanged.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "model/data_record.h"

namespace {

std::vector<uint8_t> image_of(const device_block& block) {
  std::vector<uint8_t> bytes(device_block_size);
  block_to_bytes(block, bytes.data());
  return bytes;
}

// The record's file image, written through a memory stream.
std::vector<uint8_t> written(const data_record& record) {
  char* buffer = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&buffer, &size);
  if (!out) std::abort();
  if (!record.write(out)) std::abort();
  std::fclose(out);
  std::vector<uint8_t> bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

void check_round_trip(const data_record& first) {
  const std::vector<uint8_t> bytes = written(first);
  if (bytes.size() != device_block_size + 4 * 8 + (first.comment.empty() ? 0 : first.comment.size() + 1)) std::abort();

  std::vector<uint8_t> copy = bytes;
  std::FILE* in = fmemopen(copy.data(), copy.size(), "rb");
  if (!in) std::abort();
  data_record second;
  if (!second.read(in)) std::abort();
  if (std::fgetc(in) != EOF) std::abort();  // the record used exactly its bytes
  std::fclose(in);

  if (image_of(first.block) != image_of(second.block)) std::abort();
  if (std::memcmp(first.counts, second.counts, sizeof first.counts) != 0) std::abort();
  if (first.comment != second.comment) std::abort();
  if (written(second) != bytes) std::abort();
  if (std::strlen(second.block.ibv) > 255) std::abort();

  // Everything a window derives from a hostile block must stay defined.
  if (first.label() != second.label()) std::abort();
  const cue_counts counts = second.count_cues();
  if (counts.cues < 0 || counts.not_delivered < 0 || counts.cues + counts.not_delivered > bins_per_record) std::abort();
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
