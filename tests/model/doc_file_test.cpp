// Document headers and the settings document's bytes.
#include "model/doc_file.h"
#include "model/settings_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "settings_image.h"
#include "written_bytes.h"

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

}  // namespace

TEST(doc_header, codes_name_the_first_tag_that_failed) {
  const std::string good = tag("NIGHTGLOW App") + tag("Doc type") + tag("0.001");
  const std::pair<std::string, int> rows[] = {
      {good, 1},
      {good.substr(0, 31), -1},
      {tag("NIGHTGLOW App") + tag("Sdoc type") + tag("0.001"), -4},
      {tag("NIGHTGLOW App") + tag("Doc type") + "0.0", -5},
      {tag("NIGHTGLOW App") + tag("Doc type") + tag("0.002"), -6},
  };
  for (const auto& [bytes, code] : rows) EXPECT_EQ(read_header_of(bytes), code) << bytes.size();
}

TEST(settings_file, every_field_reads_back_and_writes_the_same_bytes_and_short_files_change_nothing) {
  const int32_t rect[4] = {-5, 100, 700, 400};
  const std::string image = settings_file_image(rect, distinct_settings());
  settings_section section;
  byte_reader in(image.data(), image.size());
  ASSERT_EQ(read_settings_file(in, section), 1);
  EXPECT_EQ(settings_text(section.settings), settings_text(distinct_settings()));
  EXPECT_EQ(section.rect.left + section.rect.top + section.rect.right + section.rect.bottom, -5 + 100 + 700 + 400);
  EXPECT_EQ(written_bytes([&](byte_writer& out) {
              write_settings_file(out, section);
              return true;
            }),
            image);
  const std::pair<std::string, int> hostile[] = {{image.substr(0, 219), -7},
                                                 {settings_file_image(rect, distinct_settings(), "Doc type"), -4}};
  for (const auto& [bytes, code] : hostile) {
    settings_section untouched = new_settings_section();
    byte_reader short_in(bytes.data(), bytes.size());
    EXPECT_EQ(read_settings_file(short_in, untouched), code);
    EXPECT_EQ(settings_text(untouched.settings), settings_text(new_settings_section().settings));
  }
}
