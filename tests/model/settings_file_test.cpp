// Settings file images: every byte at its offset, and short files or files of another kind refused whole.
#include "model/settings_file.h"

#include <gtest/gtest.h>

#include "settings_image.h"

TEST(settings_file, written_at_the_field_offsets_and_read_back_or_refused_whole) {
  const settings_section section{{-5, 7, 600, 0x7fffffff}, distinct_settings()};
  std::FILE* file = std::tmpfile();
  ASSERT_EQ(write_settings_file(file, section), 1);
  std::rewind(file);
  std::string written(300, '\0');
  written.resize(std::fread(written.data(), 1, written.size(), file));
  std::fclose(file);
  const std::string image = settings_file_image(section.rect, section.settings);
  EXPECT_EQ(written, image);

  std::string old_program = image;
  old_program.replace(0, 14, "Test App\0\0\0\0\0\0", 14);
  const std::pair<std::string, int> rows[] = {
      {image, 1}, {old_program, 1}, {image + "more", 1}, {"", -1}, {image.substr(0, 40), -3},
      {settings_file_image(section.rect, section.settings, "Doc type"), -4},  // a data file
      {image.substr(0, 96), -7}, {image.substr(0, 219), -7}};
  for (const auto& [bytes, code] : rows) {
    file = std::tmpfile();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::rewind(file);
    settings_section read;
    EXPECT_EQ(read_settings_file(file, read), code) << bytes.size();
    std::fclose(file);
    EXPECT_EQ(settings_text(read.settings), settings_text(code == 1 ? section.settings : device_settings{}));
    EXPECT_EQ(read.rect[3], code == 1 ? 0x7fffffff : 0);
  }
}
