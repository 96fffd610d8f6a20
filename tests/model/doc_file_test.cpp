// Document header codes and the safe save: a failed write or replace leaves the previous file.
#include "model/doc_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

std::string tag(const char* text) {
  std::string t(doc_tag_size, '\0');
  std::memcpy(t.data(), text, std::strlen(text));
  return t;
}

int read_header_of(const std::string& bytes) {
  byte_reader in(bytes.data(), bytes.size());
  return read_doc_header(in, data_doc_type_tag);
}

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

TEST(doc_header, codes_name_the_first_tag_that_failed) {
  const std::string good = tag("NIGHTGLOW App") + tag("Doc type") + tag("0.001");
  std::string trailing = good;
  trailing[32 + 20] = 'x';  // bytes after a tag's NUL are not looked at
  const std::pair<std::string, int> rows[] = {
      {good, 1},
      {tag("Test App") + tag("Doc type") + tag("0.001"), 1},
      {trailing, 1},
      {"", -1},
      {good.substr(0, 31), -1},
      {tag("NIGHTGLOW"), -2},
      {tag("NIGHTGLOW App"), -3},
      {tag("NIGHTGLOW App") + tag("Sdoc type") + tag("0.001"), -4},
      {tag("NIGHTGLOW App") + tag("Doc type") + "0.0", -5},
      {tag("NIGHTGLOW App") + tag("Doc type") + tag("0.002"), -6},
  };
  for (const auto& [bytes, code] : rows) EXPECT_EQ(read_header_of(bytes), code) << bytes.size();

  std::FILE* file = std::tmpfile();
  byte_writer out(file);
  write_doc_header(out, settings_doc_type_tag);
  ASSERT_TRUE(out.finish());
  std::string written(doc_header_size, '\0');
  std::rewind(file);
  ASSERT_EQ(std::fread(written.data(), 1, written.size(), file), written.size());
  std::fclose(file);
  EXPECT_EQ(written, tag("NIGHTGLOW App") + tag("Sdoc type") + tag("0.001"));
}

// A writer that reports failure keeps the previous file (the command line's tests cut writes at any byte).
TEST(safe_save, a_failed_writer_keeps_the_previous_file) {
  const std::string path = testing::TempDir() + "ng_safe_save.sl1";
  auto writes = [](const char* text, bool result) {
    return [=](std::FILE* f) { return std::fputs(text, f) >= 0 && result; };
  };
  ASSERT_TRUE(save_file_safely(path, writes("first", true)));
  std::string reason;
  EXPECT_FALSE(save_file_safely(path, writes("second, cut short", false), &reason));
  EXPECT_FALSE(reason.empty());
  EXPECT_EQ(slurp(path), "first");
  std::remove(path.c_str());
}
