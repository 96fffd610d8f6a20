// Record file images: layout and round trips, comments without a NUL, hostile lengths and short files.
#include "model/data_record.h"

#include "allocation_watch.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// A temporary binary file holding the bytes, positioned at its start.
std::FILE* file_of(const std::vector<uint8_t>& bytes) {
  std::FILE* file = std::tmpfile();
  if (file && !bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
  if (file) std::rewind(file);
  return file;
}

void append_i32(std::vector<uint8_t>& bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A record's block and counts 1 to 7, then the comment length and that many bytes of comment.
std::vector<uint8_t> record_bytes(uint32_t length, const std::string& comment) {
  std::vector<uint8_t> bytes(device_block_size, 0x11);
  bytes[174 + 255] = 0;  // the IBV's NUL
  for (uint32_t count = 1; count <= journal_count_total; ++count) append_i32(bytes, count);
  append_i32(bytes, length);
  bytes.insert(bytes.end(), comment.begin(), comment.end());
  return bytes;
}

data_record sample_record() {
  std::FILE* file = file_of(record_bytes(19, std::string("Flying over Lisbon", 19)));
  data_record r;
  EXPECT_TRUE(r.read(file));
  std::fclose(file);
  return r;
}

bool same(const data_record& a, const data_record& b) {
  return std::memcmp(&a.block, &b.block, sizeof a.block) == 0 &&
         std::memcmp(a.counts, b.counts, sizeof a.counts) == 0 && a.comment == b.comment;
}

}  // namespace

TEST(record_file, records_follow_each_other_with_the_nul_counted_and_written) {
  data_record records[3] = {sample_record(), sample_record(), sample_record()};
  EXPECT_EQ(records[0].block.dur, 0x11111111);
  EXPECT_EQ(records[0].counts[dreams] + 10 * records[0].counts[cawakes], 71);
  EXPECT_EQ(records[0].comment, "Flying over Lisbon");
  records[1].set_comment("");
  records[1].block.dur = 12;
  records[2].set_comment(std::string(10000, 'z'));  // read in several pieces
  std::FILE* file = file_of({});
  for (const data_record& r : records) ASSERT_TRUE(r.write(file));
  std::vector<uint8_t> bytes(483 + 464 + 464 + 10001 + 1);  // no comment: length 0 and no bytes
  std::rewind(file);
  EXPECT_EQ(std::fread(bytes.data(), 1, bytes.size(), file), bytes.size() - 1);
  std::rewind(file);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 483), record_bytes(19, std::string("Flying over Lisbon", 19)));
  for (const data_record& r : records) {
    data_record back;
    largest_allocation = 0;
    ASSERT_TRUE(back.read(file));
    EXPECT_TRUE(same(back, r));
  }
  EXPECT_GE(largest_allocation, 10000u);  // the allocation watch below sees comments
  data_record past_the_end;
  EXPECT_FALSE(past_the_end.read(file));
  std::fclose(file);
}

TEST(record_file, comment_without_its_nul_is_cut_at_its_length_or_an_early_nul) {
  for (const auto& [stored, comment] : {std::pair<std::string, std::string>{"hello", "hello"}, {{"ab\0cd\0", 6}, "ab"}}) {
    std::FILE* file = file_of(record_bytes(static_cast<uint32_t>(stored.size()), stored));
    data_record r;
    ASSERT_TRUE(r.read(file));
    EXPECT_EQ(r.comment, comment);
    std::fclose(file);
  }
}

TEST(record_file, hostile_files_fail_cleanly_without_giant_allocations_and_leave_the_record) {
  const std::vector<uint8_t> whole = record_bytes(0, "");  // block 432, counts 28, length 4
  const std::vector<std::vector<uint8_t>> cases = {
      {}, {whole.begin(), whole.begin() + 100}, {whole.begin(), whole.begin() + 450}, {whole.begin(), whole.end() - 4},
      record_bytes(0xFFFFFFFFu, std::string(64, 'x')),  // negative lengths
      record_bytes(0x80000000u, std::string(64, 'x')),
      record_bytes(0x7FFFFFFFu, std::string(100, 'x')),  // huge
      record_bytes(11, std::string(10, 'x')),            // one past the end
      record_bytes(70000, std::string(69999, 'x')),
  };
  for (const std::vector<uint8_t>& bytes : cases) {
    std::FILE* file = file_of(bytes);
    ASSERT_NE(file, nullptr);
    data_record r = sample_record();
    largest_allocation = 0;
    const bool read = r.read(file);
    std::fclose(file);
    EXPECT_FALSE(read) << bytes.size();
    EXPECT_LT(largest_allocation, std::size_t{256} * 1024) << bytes.size();  // bounded by what the file holds
    EXPECT_TRUE(same(r, sample_record())) << bytes.size();
  }
}

TEST(record_file, failed_writes_are_reported) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() / "nightglow_record_test_read_only.bin";
  std::fclose(std::fopen(path.string().c_str(), "wb"));
  std::FILE* read_only = std::fopen(path.string().c_str(), "rb");
  ASSERT_NE(read_only, nullptr);
  EXPECT_FALSE(sample_record().write(read_only));
  std::fclose(read_only);
  std::filesystem::remove(path);
  EXPECT_FALSE(sample_record().write(nullptr));
}
