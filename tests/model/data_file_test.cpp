// The data document's byte image: written byte for byte, read back whole, hostile files refused by section.
#include "model/data_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#ifdef _WIN32
#include <io.h>
#define pipe(ends) _pipe(ends, 1 << 16, _O_BINARY)
#define write _write
#define close _close
#define fdopen _fdopen
#else
#include <unistd.h>
#endif

#include <cstring>
#include <string>

#include "allocation_watch.h"

namespace {

using bytes = std::string;

bytes le(uint32_t value) {
  bytes out;
  for (int i = 0; i < 4; ++i) out += static_cast<char>(value >> (8 * i));
  return out;
}

bytes tag(const char* text) { return bytes(text) + bytes(32 - std::strlen(text), '\0'); }

// A block image with a different byte everywhere but the NUL that ends the IBV text.
bytes block_bytes(int seed) {
  bytes out(device_block_size, '\0');
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = static_cast<char>((i * 7 + seed) % 251 + 1);
  out[174 + 255] = '\0';
  return out;
}

device_block block_of(const bytes& image) {
  device_block block;
  block_from_bytes(reinterpret_cast<const uint8_t*>(image.data()), block);
  return block;
}

bytes record_bytes(int seed, const bytes& comment) {
  bytes out = block_bytes(seed);
  for (uint32_t c = 1; c <= 7; ++c) out += le(c * 10 + static_cast<uint32_t>(seed));
  return out + le(comment.empty() ? 0 : static_cast<uint32_t>(comment.size() + 1)) +
         (comment.empty() ? "" : comment + '\0');
}

// The image of the tests, and the same document as the test spells it out byte by byte.
data_file_image sample_image() {
  data_file_image image;
  image.data_rect = {100, 25, 652, 290};
  image.data.working_block = block_of(block_bytes(0));
  for (int i = 0; i < journal_count_total; ++i) image.data.counts[i] = i + 1;
  image.data.no_record = 0;
  for (const auto& [seed, comment] : {std::pair{1, "Flying over the lake"}, {2, ""}}) {
    auto record = std::make_unique<data_record>(block_of(block_bytes(seed)));
    for (int c = 0; c < journal_count_total; ++c) record->counts[c] = (c + 1) * 10 + seed;
    record->set_comment(comment);
    image.records.push_back(std::move(record));
  }
  image.plot_rect = {-5, 100, 495, 425};
  image.plot.visible = 1;
  image.plot.record_count = 2;
  image.plot.max = 2;
  for (int i = 0; i < plot_sums::bins; ++i) {
    image.plot.cues[i] = i % 3;
    image.plot.not_delivered[i] = i % 2;
  }
  return image;
}

bytes sample_bytes() {
  bytes out = tag("NIGHTGLOW App") + tag("Doc type") + tag("0.001");
  out += le(100) + le(25) + le(652) + le(290) + block_bytes(0);
  for (uint32_t c = 1; c <= 7; ++c) out += le(c);
  out += le(0) + le(2) + record_bytes(1, "Flying over the lake") + record_bytes(2, "");
  out += le(static_cast<uint32_t>(-5)) + le(100) + le(495) + le(425) + le(1) + le(2) + le(2);
  for (uint32_t i = 0; i < 128; ++i) out += le(i % 3);
  for (uint32_t i = 0; i < 128; ++i) out += le(i % 2);
  return out;
}

bytes written(const data_file_image& image) {
  std::FILE* file = std::tmpfile();
  EXPECT_TRUE(write_data_file(file, image));
  bytes out(static_cast<std::size_t>(std::ftell(file)), '\0');
  std::rewind(file);
  EXPECT_EQ(std::fread(out.data(), 1, out.size(), file), out.size());
  std::fclose(file);
  return out;
}

int read_bytes(const bytes& in, data_file_image& image) {
  std::FILE* file = std::tmpfile();
  std::fwrite(in.data(), 1, in.size(), file);
  std::rewind(file);
  const int code = read_data_file(file, image);
  std::fclose(file);
  return code;
}

TEST(data_file, the_document_is_written_byte_for_byte_and_read_back_whole) {
  const bytes expected = sample_bytes();
  EXPECT_EQ(expected.size(), 96u + 16 + 432 + 28 + 8 + 485 + 464 + 1052);
  EXPECT_EQ(written(sample_image()), expected);

  data_file_image back;
  ASSERT_EQ(read_bytes(expected, back), 1);
  EXPECT_EQ(written(back), expected);
  ASSERT_EQ(back.records.size(), 2u);
  EXPECT_EQ(back.records[0]->comment, "Flying over the lake");
  EXPECT_EQ(back.records[1]->counts[cawakes], 72);
  EXPECT_EQ(back.data.no_record, 0);
  EXPECT_EQ(back.plot_rect.left, -5);
  for (int i : {0, 1, 5, 127}) EXPECT_EQ(back.plot.combined[i], i % 3 + i % 2) << i;

  data_file_image empty;  // an empty document: reset block, no record, an empty plot
  reset_block(empty.data.working_block);
  ASSERT_EQ(read_bytes(written(empty), back = {}), 1);
  EXPECT_TRUE(back.records.empty());
  EXPECT_EQ(back.data.no_record, 1);
  EXPECT_EQ(back.data.working_block.cendm, 59);
}

TEST(data_file, hostile_files_are_refused_with_the_code_of_the_failing_section_and_no_giant_allocation) {
  const bytes good = sample_bytes();
  const std::size_t records_at = 96 + 16 + 432 + 28 + 8, plot_at = good.size() - 1052;
  auto with = [&](std::size_t at, uint32_t value) { return good.substr(0, at) + le(value) + good.substr(at + 4); };
  const std::pair<bytes, int> cases[] = {
      {good.substr(0, 20), -1},
      {good.substr(0, 96 + 10), -7},                  // inside the rectangle
      {good.substr(0, 96 + 16 + 300), -7},            // inside the working block
      {good.substr(0, records_at - 2), -7},           // inside the record count
      {good.substr(0, records_at + 470), -7},         // inside the first comment
      {good.substr(0, plot_at), -8},                  // no plot section
      {good.substr(0, good.size() - 1), -8},          // its last byte missing
      {with(records_at - 4, 0x80000000u), -7},        // a negative record count
      {with(records_at - 4, 0x7FFFFFFFu), -7},        // more records than the file could hold
      {with(records_at - 4, 3), -8},                  // one record more: the plot section is eaten
      {with(records_at + 460, 0x7FFFFFFFu), -7},      // a comment longer than the file
      {with(records_at + 460, 0x80000000u), -7},      // a negative comment length
      {good.substr(0, 32) + tag("Sdoc type") + good.substr(64), -4},
  };
  for (const auto& [file, code] : cases) {
    data_file_image image;
    largest_allocation = 0;
    EXPECT_EQ(read_bytes(file, image), code) << file.size();
    EXPECT_LT(largest_allocation, std::size_t{64} * 1024) << file.size();
  }
}

TEST(data_file, a_stream_that_cannot_tell_its_size_still_ends_a_lying_count_at_its_end) {
  bytes file = sample_bytes();
  file.replace(96 + 16 + 432 + 28 + 4, 4, le(1000000));
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  ASSERT_EQ(write(ends[1], file.data(), static_cast<unsigned>(file.size())), static_cast<int>(file.size()));
  close(ends[1]);
  std::FILE* in = fdopen(ends[0], "rb");
  EXPECT_EQ(bytes_left_in(in), -1);
  data_file_image image;
  EXPECT_EQ(read_data_file(in, image), -7);
  EXPECT_EQ(image.records.size(), 4u);  // the two records and the plot section read as two more
  std::fclose(in);
}

}  // namespace
