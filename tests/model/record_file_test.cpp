// Record file images: round trips, empty comments, hostile lengths and short files.
#include "model/data_record.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>
#include <random>
#include <string>
#include <vector>

// Largest single allocation while tracking is on, to prove that a lying length
// never turns into a giant allocation. Replacing the global operators changes
// nothing else: they forward to malloc and free.
namespace {
bool tracking = false;
std::size_t largest_allocation = 0;
}  // namespace

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"  // new and delete below pair malloc with free
#endif
void* operator new(std::size_t size) {
  if (tracking && size > largest_allocation) largest_allocation = size;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

struct allocation_watch {
  allocation_watch() {
    largest_allocation = 0;
    tracking = true;
  }
  ~allocation_watch() { tracking = false; }
};

// A binary file under the temporary directory, removed afterwards.
class temp_file {
 public:
  temp_file() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("nightglow_record_" + std::to_string(random()) + "_" + std::to_string(random()) + ".bin");
    file_ = std::fopen(path_.string().c_str(), "w+b");
  }
  explicit temp_file(const std::vector<uint8_t>& bytes) : temp_file() {
    if (file_ && !bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file_);
    rewind();
  }
  ~temp_file() {
    if (file_) std::fclose(file_);
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  temp_file(const temp_file&) = delete;
  temp_file& operator=(const temp_file&) = delete;

  std::FILE* get() const { return file_; }
  void rewind() const {
    if (file_) std::fseek(file_, 0, SEEK_SET);
  }
  std::vector<uint8_t> contents() const {
    std::fflush(file_);
    std::vector<uint8_t> bytes;
    std::FILE* in = std::fopen(path_.string().c_str(), "rb");
    for (int c; in && (c = std::fgetc(in)) != EOF;) bytes.push_back(static_cast<uint8_t>(c));
    if (in) std::fclose(in);
    return bytes;
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::FILE* file_ = nullptr;
};

void append_i32(std::vector<uint8_t>& bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

int32_t i32_at(const std::vector<uint8_t>& bytes, std::size_t offset) {
  return static_cast<int32_t>(bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) |
                              (static_cast<uint32_t>(bytes[offset + 3]) << 24));
}

data_record sample_record() {
  data_record r;
  r.block.packv = 3;
  r.block.somnv = 0x0121;
  r.block.recstarth = 23;
  r.block.recstartm = 40;
  r.block.dur = 97;
  r.block.mode = 2;
  r.block.rem[3] = 0x5A;
  r.block.extra[7] = -12345;
  r.block.tstamp = 0x08A1BAAFu;
  r.block.checksum = 0xC0DE;
  std::strcpy(r.block.ibv, "box 1.4");
  for (int i = 0; i < journal_count_total; ++i) r.counts[i] = 10 * i + i + 1;
  r.set_comment("Flying over Lisbon");
  return r;
}

// The first 460 bytes of a record: block image and seven counts.
std::vector<uint8_t> record_head() {
  std::vector<uint8_t> bytes(device_block_size);
  block_to_bytes(sample_record().block, bytes.data());
  for (int i = 0; i < journal_count_total; ++i) append_i32(bytes, static_cast<uint32_t>(i + 1));
  return bytes;
}

bool same_block(const device_block& a, const device_block& b) {
  std::vector<uint8_t> ia(device_block_size), ib(device_block_size);
  block_to_bytes(a, ia.data());
  block_to_bytes(b, ib.data());
  return ia == ib;
}

}  // namespace

TEST(record_file, round_trip_keeps_every_field_and_writes_the_nul) {
  const data_record original = sample_record();
  temp_file file;
  ASSERT_NE(file.get(), nullptr);
  ASSERT_TRUE(original.write(file.get()));

  const std::vector<uint8_t> bytes = file.contents();
  ASSERT_EQ(bytes.size(), 432u + 28u + 4u + 19u);
  EXPECT_EQ(i32_at(bytes, 432), 1);       // DREAMS first
  EXPECT_EQ(i32_at(bytes, 456), 67);      // CAWAKES last
  EXPECT_EQ(i32_at(bytes, 460), 19);      // length with its NUL
  EXPECT_EQ(std::memcmp(&bytes[464], "Flying over Lisbon", 18), 0);
  EXPECT_EQ(bytes.back(), 0);

  file.rewind();
  data_record back;
  ASSERT_TRUE(back.read(file.get()));
  EXPECT_TRUE(same_block(back.block, original.block));
  for (int i = 0; i < journal_count_total; ++i) EXPECT_EQ(back.counts[i], original.counts[i]) << i;
  EXPECT_EQ(back.comment, "Flying over Lisbon");
  EXPECT_EQ(back.label(), original.label());
}

TEST(record_file, empty_comment_stores_length_zero_and_no_bytes) {
  data_record original = sample_record();
  original.set_comment("");
  temp_file file;
  ASSERT_TRUE(original.write(file.get()));
  const std::vector<uint8_t> bytes = file.contents();
  ASSERT_EQ(bytes.size(), 464u);
  EXPECT_EQ(i32_at(bytes, 460), 0);

  file.rewind();
  data_record back = sample_record();  // has a comment that must go
  ASSERT_TRUE(back.read(file.get()));
  EXPECT_TRUE(back.comment.empty());
  EXPECT_EQ(back.comment_length(), 0);
}

TEST(record_file, records_follow_each_other_without_gaps) {
  temp_file file;
  data_record first = sample_record();
  data_record second = sample_record();
  second.set_comment("");
  second.block.dur = 12;
  data_record third = sample_record();
  third.set_comment(std::string(10000, 'z'));  // several read pieces
  ASSERT_TRUE(first.write(file.get()));
  ASSERT_TRUE(second.write(file.get()));
  ASSERT_TRUE(third.write(file.get()));
  file.rewind();
  data_record r;
  ASSERT_TRUE(r.read(file.get()));
  EXPECT_EQ(r.comment, first.comment);
  ASSERT_TRUE(r.read(file.get()));
  EXPECT_EQ(r.block.dur, 12);
  EXPECT_TRUE(r.comment.empty());
  ASSERT_TRUE(r.read(file.get()));
  EXPECT_EQ(r.comment, third.comment);
  EXPECT_EQ(std::fgetc(file.get()), EOF);
  EXPECT_FALSE(r.read(file.get()));  // nothing left
}

TEST(record_file, comment_without_nul_is_terminated_and_early_nul_ends_it) {
  std::vector<uint8_t> bytes = record_head();
  append_i32(bytes, 5);
  for (char c : std::string("hello")) bytes.push_back(static_cast<uint8_t>(c));
  temp_file unterminated(bytes);
  data_record r;
  ASSERT_TRUE(r.read(unterminated.get()));
  EXPECT_EQ(r.comment, "hello");
  EXPECT_STREQ(r.comment.c_str(), "hello");

  bytes = record_head();
  append_i32(bytes, 6);
  for (char c : std::string("ab\0cd\0", 6)) bytes.push_back(static_cast<uint8_t>(c));
  temp_file early(bytes);
  ASSERT_TRUE(r.read(early.get()));
  EXPECT_EQ(r.comment, "ab");
  EXPECT_EQ(r.comment_length(), 3);
}

TEST(record_file, hostile_files_fail_cleanly_and_leave_the_record_alone) {
  struct hostile_case {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  std::vector<hostile_case> cases;
  cases.push_back({"empty file", {}});
  {
    std::vector<uint8_t> b = record_head();
    b.resize(100);
    cases.push_back({"short block", b});
  }
  {
    std::vector<uint8_t> b = record_head();
    b.resize(450);
    cases.push_back({"short counts", b});
  }
  cases.push_back({"no length", record_head()});
  for (uint32_t length : {0xFFFFFFFFu, 0x80000000u}) {
    std::vector<uint8_t> b = record_head();
    append_i32(b, length);
    b.insert(b.end(), 64, 'x');
    cases.push_back({"negative length", b});
  }
  {
    std::vector<uint8_t> b = record_head();
    append_i32(b, 0x7FFFFFFFu);
    b.insert(b.end(), 100, 'x');
    cases.push_back({"huge length", b});
  }
  {
    std::vector<uint8_t> b = record_head();
    append_i32(b, 11);
    b.insert(b.end(), 10, 'x');
    cases.push_back({"length one past the end", b});
  }
  {
    std::vector<uint8_t> b = record_head();
    append_i32(b, 70000);
    b.insert(b.end(), 69999, 'x');
    cases.push_back({"long comment one byte short", b});
  }

  for (const hostile_case& c : cases) {
    SCOPED_TRACE(c.what);
    temp_file file(c.bytes);
    ASSERT_NE(file.get(), nullptr);
    data_record r = sample_record();
    const std::string comment_before = r.comment;
    const device_block block_before = r.block;
    bool ok = true;
    {
      allocation_watch watch;
      ok = r.read(file.get());
    }
    EXPECT_FALSE(ok);
    EXPECT_LT(largest_allocation, std::size_t{256} * 1024);  // bounded by what the file holds
    EXPECT_EQ(r.comment, comment_before);
    EXPECT_TRUE(same_block(r.block, block_before));
    EXPECT_EQ(r.counts[dreams], 1);
  }
}

TEST(record_file, long_comment_arrives_whole_and_the_watch_sees_it) {
  std::vector<uint8_t> bytes = record_head();
  append_i32(bytes, 70001);
  bytes.insert(bytes.end(), 70000, 'y');
  bytes.push_back(0);
  temp_file file(bytes);
  data_record r;
  bool ok = false;
  {
    allocation_watch watch;
    ok = r.read(file.get());
  }
  ASSERT_TRUE(ok);
  EXPECT_EQ(r.comment, std::string(70000, 'y'));
  EXPECT_GE(largest_allocation, std::size_t{70000});  // the watch above is live
}

TEST(record_file, unwritable_and_missing_files_are_refused) {
  temp_file file;
  std::fclose(std::fopen(file.path().string().c_str(), "wb"));
  std::FILE* read_only = std::fopen(file.path().string().c_str(), "rb");
  ASSERT_NE(read_only, nullptr);
  EXPECT_FALSE(sample_record().write(read_only));
  std::fclose(read_only);
  EXPECT_FALSE(sample_record().write(nullptr));
  data_record r;
  EXPECT_FALSE(r.read(nullptr));
}
