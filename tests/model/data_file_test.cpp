// Data documents and their records as bytes: written byte for byte, read back whole, hostile files refused.
#include "model/data_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "written_bytes.h"

// The largest single allocation since it was cleared: a lying length must never become one.
namespace {
std::size_t largest_allocation = 0;
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"  // the operators below pair malloc with free
#endif
void* operator new(std::size_t size) {
  largest_allocation = std::max(largest_allocation, size);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using bytes = std::string;

bytes le(uint32_t value) {
  bytes out;
  for (int i = 0; i < 4; ++i) out += static_cast<char>(value >> (8 * i));
  return out;
}
bytes tag(const char* text) { return text + bytes(32 - std::strlen(text), '\0'); }

// A block image with a different byte everywhere but the NUL that ends the IBV text.
bytes block_bytes(int seed) {
  bytes out(device_block_size, '\0');
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = static_cast<char>((i * 7 + seed) % 251 + 1);
  out[174 + 255] = '\0';
  return out;
}
bytes record_bytes(int seed, const bytes& stored_comment) {
  bytes out = block_bytes(seed);
  for (uint32_t c = 1; c <= 7; ++c) out += le(c * 10 + static_cast<uint32_t>(seed));
  return out + le(static_cast<uint32_t>(stored_comment.size())) + stored_comment;
}

constexpr std::size_t count_at = 96 + 16 + 432 + 28 + 4, first_record = count_at + 4;
const bytes long_comment(10000, 'z');  // read in several pieces
// The test's document, spelled out byte by byte.
bytes sample_bytes() {
  bytes out = tag("NIGHTGLOW App") + tag("Doc type") + tag("0.001") + le(100) + le(25) + le(652) + le(290);
  out += block_bytes(0);
  for (uint32_t c = 1; c <= 7; ++c) out += le(c);
  out += le(0) + le(3) + record_bytes(1, bytes("Flying over the lake", 21)) + record_bytes(2, "") +
         record_bytes(3, long_comment + '\0');
  out += le(static_cast<uint32_t>(-5)) + le(100) + le(495) + le(425) + le(1) + le(2) + le(2);
  for (uint32_t i = 0; i < 256; ++i) out += le(i < 128 ? i % 3 : i % 2);
  return out;
}

std::FILE* file_of(const bytes& in) {
  std::FILE* file = std::tmpfile();
  std::fwrite(in.data(), 1, in.size(), file);
  std::rewind(file);
  return file;
}
// Written through a writer whose pieces end anywhere in a record.
bytes written(const data_file_image& image, std::size_t piece = byte_reader::default_piece) {
  return written_bytes([&](byte_writer& out) { return write_data_file(out, image); }, piece);
}
// From memory (piece 0), or from a file read ahead in pieces that end anywhere in a record.
int read_bytes(const bytes& in, data_file_image& image, std::size_t piece = 0) {
  if (piece == 0) {
    byte_reader reader(in.data(), in.size());
    return read_data_file(reader, image);
  }
  std::FILE* file = file_of(in);
  byte_reader reader(file, piece);
  const int code = read_data_file(reader, image);
  std::fclose(file);
  return code;
}
constexpr std::size_t pieces[] = {0, 1, 13, 4096};

TEST(data_file, a_document_reads_back_whole_and_writes_the_same_bytes) {
  const bytes expected = sample_bytes();
  data_file_image image;
  for (std::size_t piece : pieces) {
    data_file_image read;
    ASSERT_EQ(read_bytes(expected, read, piece), 1) << piece;
    EXPECT_EQ(written(read, piece + 64), expected) << piece;
  }
  ASSERT_EQ(read_bytes(expected, image), 1);
  ASSERT_EQ(image.records.size(), 3u);
  EXPECT_EQ(image.records[0].comment + "|" + image.records[1].comment, "Flying over the lake|");
  EXPECT_EQ(image.records[2].comment, long_comment);
  EXPECT_EQ(image.records[1].counts[cawakes], 72);
  EXPECT_EQ(image.data.counts[dreams] + image.data.no_record + image.plot_rect.left, 1 + 0 - 5);
  for (int i : {0, 1, 5, 127}) EXPECT_EQ(image.plot.combined[i], i % 3 + i % 2) << i;

  // Stored comments without their NUL, or with an early one, come back cut; and are written anew.
  for (const auto& [stored, comment] : {std::pair<bytes, bytes>{"hello", "hello"}, {bytes("ab\0cd\0", 6), "ab"}}) {
    bytes file = sample_bytes();
    file.replace(first_record, 485, record_bytes(1, stored));
    data_file_image back;
    ASSERT_EQ(read_bytes(file, back), 1);
    EXPECT_EQ(back.records[0].comment, comment);
    EXPECT_EQ(written(back).substr(first_record + 460, 4 + comment.size() + 1),
              le(comment.size() + 1) + comment + '\0');
  }
}

TEST(data_file, hostile_files_are_refused_with_the_code_of_the_failing_section_and_no_giant_allocation) {
  const bytes good = sample_bytes();
  const std::size_t record = first_record, plot_at = good.size() - 1052;
  auto with = [&](std::size_t at, uint32_t value) { return good.substr(0, at) + le(value) + good.substr(at + 4); };
  const std::pair<bytes, int> cases[] = {
      {good.substr(0, 20), -1},
      {good.substr(0, 96 + 10), -7},          // inside the rectangle
      {good.substr(0, count_at + 2), -7},     // inside the record count
      {good.substr(0, record + 470), -7},     // inside the first comment
      {good.substr(0, plot_at), -8},          // no plot section
      {with(count_at, 0x7FFFFFFFu), -7},      // more records than the file could hold
      {with(count_at, 4), -8},                // one record more: the plot section is taken for it
      {with(record + 460, 0x7FFFFFFFu), -7},  // a comment longer than the file
      {good.substr(0, 32) + tag("Sdoc type") + good.substr(64), -4},
  };
  const data_file_image untouched = new_data_file_image();
  for (const auto& [file, code] : cases) {
    for (std::size_t piece : {0, 1, 4096}) {
      data_file_image image = untouched;
      largest_allocation = 0;
      EXPECT_EQ(read_bytes(file, image, piece), code) << file.size() << " in pieces of " << piece;
      EXPECT_LT(largest_allocation, std::size_t{64} * 1024) << file.size();
      EXPECT_EQ(written(image), written(untouched)) << "a failed read changes nothing";
    }
  }
}

}  // namespace
