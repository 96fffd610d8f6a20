// Fuzz target: data documents read from hostile bytes must write back and re-read unchanged.

#include "fuzz.h"
#include "model/data_file.h"
#include "model/data_record.h"
#include "model/doc_file.h"

namespace {

// What the writer puts out, through a memory stream in pieces of the given size.
std::vector<uint8_t> written(const data_file_image& image, std::size_t piece) {
  char* buffer = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&buffer, &size);
  check(out != nullptr);
  byte_writer writer(out, piece);
  check(write_data_file(writer, image) && writer.finish() && std::fclose(out) == 0);
  std::vector<uint8_t> bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

// Read from memory, where it must take every byte when `whole`, or (piece > 0) from a stream read ahead in pieces.
int read_from(std::vector<uint8_t>& input, data_file_image& image, std::size_t piece, bool whole = false) {
  std::FILE* file = piece ? fmemopen(input.data(), input.size(), "rb") : nullptr;
  byte_reader in = file ? byte_reader(file, piece) : byte_reader(input.data(), input.size());
  const int code = read_data_file(in, image);
  check((!file || std::fclose(file) == 0) && (!whole || in.left() == 0));
  return code;
}

// A document reads the same from memory and from a stream read in pieces that end anywhere; when it reads,
// everything a window derives from its hostile blocks stays defined, and it writes an image that reads back
// to the same image, all of its bytes taken.
void check_document(std::vector<uint8_t>& input, std::size_t piece) {
  data_file_image first, streamed, second;
  const int code = read_from(input, first, 0);
  check((code == 1 || (code >= -8 && code <= -1)) && read_from(input, streamed, piece) == code);
  if (code != 1) return;
  for (const data_record& record : first.records) {
    check(std::strlen(record.block.ibv) <= 255);
    (void)record_label(record.block);
    const cue_counts counts = count_block_cues(record.block);
    check(counts.cues >= 0 && counts.not_delivered >= 0 && counts.cues + counts.not_delivered <= bins_per_record);
    const time_line line = make_time_line(record.block);
    for (int bin = -1; bin <= bins_per_record; ++bin) (void)bin_in_cue_period(line, bin);
    (void)compute_record_times(record.block);
  }
  std::vector<uint8_t> bytes = written(first, 64 + piece);
  check(written(streamed, 4096) == bytes && read_from(bytes, second, 0, true) == 1 && written(second, 4096) == bytes);
  for (int i = 0; i < plot_sums::bins; ++i)
    check(second.plot.combined[i] == static_cast<int32_t>(static_cast<uint32_t>(second.plot.cues[i]) +
                                                          static_cast<uint32_t>(second.plot.not_delivered[i])));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::vector<uint8_t> input(data, data + size);
  const std::size_t piece = 1 + size % 61;
  check_document(input, piece);
  // The same bytes behind a valid header, so that the sections are reached at once.
  std::vector<uint8_t> document(3 * doc_tag_size, 0);
  for (const auto& [tag, at] : {std::pair{doc_program_tag, 0}, {data_doc_type_tag, 32}, {doc_version_tag, 64}})
    std::memcpy(document.data() + at, tag, std::strlen(tag));
  document.insert(document.end(), input.begin(), input.end());
  check_document(document, piece);
  return 0;
}
