// Fuzz target: data documents read from hostile bytes must write back and re-read unchanged.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "model/data_file.h"
#include "model/data_record.h"
#include "model/doc_file.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

// What a writer puts out, through a memory stream.
template <class W>
std::vector<uint8_t> written_with(W write) {
  char* buffer = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&buffer, &size);
  check(out && write(out));
  std::fclose(out);
  std::vector<uint8_t> bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

// Everything a window derives from a hostile block must stay defined.
void check_derived(const data_record& record) {
  check(std::strlen(record.block.ibv) <= 255);
  (void)record_label(record.block);
  const cue_counts counts = count_block_cues(record.block);
  check(counts.cues >= 0 && counts.not_delivered >= 0 && counts.cues + counts.not_delivered <= bins_per_record);
  const time_line line = make_time_line(record.block);
  for (int bin = -1; bin <= bins_per_record; ++bin) (void)bin_in_cue_period(line, bin);
  (void)compute_record_times(record.block);
}

// A document that reads must write an image that reads back to the same image.
void check_document(std::vector<uint8_t>& input) {
  std::FILE* in = fmemopen(input.data(), input.size(), "rb");
  if (!in) return;
  data_file_image first;
  const int code = read_data_file(in, first);
  std::fclose(in);
  check(code == 1 || (code >= -8 && code <= -1));
  if (code != 1) return;
  for (const data_record& record : first.records) check_derived(record);
  std::vector<uint8_t> bytes = written_with([&](std::FILE* out) { return write_data_file(out, first); });
  in = fmemopen(bytes.data(), bytes.size(), "rb");
  data_file_image second;
  check(in && read_data_file(in, second) == 1 && std::fgetc(in) == EOF);
  std::fclose(in);
  check(written_with([&](std::FILE* out) { return write_data_file(out, second); }) == bytes);
  for (int i = 0; i < plot_sums::bins; ++i)
    check(second.plot.combined[i] == static_cast<int32_t>(static_cast<uint32_t>(second.plot.cues[i]) +
                                                          static_cast<uint32_t>(second.plot.not_delivered[i])));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::vector<uint8_t> input(data, data + size);
  check_document(input);
  // The same bytes behind a valid header, so that the sections are reached at once.
  std::vector<uint8_t> document(3 * doc_tag_size, 0);
  for (const auto& [tag, at] : {std::pair{doc_program_tag, 0}, {data_doc_type_tag, 32}, {doc_version_tag, 64}})
    std::memcpy(document.data() + at, tag, std::strlen(tag));
  document.insert(document.end(), input.begin(), input.end());
  check_document(document);
  return 0;
}
