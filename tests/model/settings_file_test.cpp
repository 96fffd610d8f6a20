// Settings file images: every byte at its offset, the round trip, and files that are short or of another kind.
#include "model/settings_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "settings_image.h"

namespace {

const int32_t rect[4] = {-5, 7, 600, 0x7fffffff};

std::FILE* file_of(const std::string& bytes) {
  std::FILE* file = std::tmpfile();
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::rewind(file);
  return file;
}

TEST(settings_file, written_byte_for_byte_at_the_field_offsets_and_read_back_whole) {
  settings_section section;
  std::memcpy(section.rect, rect, sizeof rect);
  section.settings = distinct_settings();
  std::FILE* file = std::tmpfile();
  ASSERT_EQ(write_settings_file(file, section), 1);
  std::string written(300, '\0');
  std::rewind(file);
  written.resize(std::fread(written.data(), 1, written.size(), file));
  std::fclose(file);
  const std::string image = settings_file_image(rect, distinct_settings());
  EXPECT_EQ(written, image);

  settings_section read;
  file = file_of(image);
  EXPECT_EQ(read_settings_file(file, read), 1);
  std::fclose(file);
  EXPECT_EQ(settings_fields_text(read.settings), settings_fields_text(distinct_settings()));
  EXPECT_EQ(std::memcmp(read.rect, rect, sizeof rect), 0);
}

TEST(settings_file, a_short_or_foreign_file_fails_with_the_first_part_missing_and_changes_nothing) {
  const std::string image = settings_file_image(rect, distinct_settings());
  std::string old_program = image;
  std::memcpy(old_program.data(), "Test App\0\0\0\0\0", 14);
  const std::pair<std::string, int> rows[] = {
      {"", -1},
      {image.substr(0, 40), -3},
      {settings_file_image(rect, distinct_settings(), "Doc type"), -4},  // a data file
      {image.substr(0, 96), -7},
      {image.substr(0, 219), -7},
      {old_program, 1},
      {image + "more", 1},  // what follows the section is not looked at
  };
  for (const auto& [bytes, code] : rows) {
    settings_section section;
    section.settings.cdur = 77;
    std::FILE* file = file_of(bytes);
    EXPECT_EQ(read_settings_file(file, section), code) << bytes.size();
    std::fclose(file);
    EXPECT_EQ(section.settings.cdur, code == 1 ? distinct_settings().cdur : 77) << bytes.size();
  }
}

}  // namespace
