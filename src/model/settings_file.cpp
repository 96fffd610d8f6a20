// Reading and writing the settings document's file image.
#include "model/settings_file.h"

#include <algorithm>

#include "model/little_endian.h"

settings_section new_settings_section() {
  settings_section section;
  section.rect = settings_window_first_rect;
  reset_settings(section.settings);
  return section;
}

int read_settings_section(std::FILE* file, settings_section& section) {
  uint8_t bytes[settings_section_size];
  if (std::fread(bytes, sizeof bytes, 1, file) != 1) return 0;
  section.rect = {get_le<int32_t>(bytes), get_le<int32_t>(bytes + 4), get_le<int32_t>(bytes + 8),
                  get_le<int32_t>(bytes + 12)};
  settings_from_bytes(bytes + 16, section.settings);
  return 1;
}

int write_settings_section(std::FILE* file, const settings_section& section) {
  uint8_t bytes[settings_section_size];
  const int32_t rect[4] = {section.rect.left, section.rect.top, section.rect.right, section.rect.bottom};
  for (int i = 0; i < 4; ++i) put_le(bytes + 4 * i, rect[i]);
  settings_to_bytes(section.settings, bytes + 16);
  return std::fwrite(bytes, sizeof bytes, 1, file) == 1 ? 1 : 0;
}

int read_settings_file(std::FILE* file, settings_section& section) {
  const int header = read_doc_header(file, settings_doc_type_tag);
  if (header != 1) return header;
  return read_settings_section(file, section) ? 1 : -7;
}

int write_settings_file(std::FILE* file, const settings_section& section) {
  return write_doc_header(file, settings_doc_type_tag) && write_settings_section(file, section) ? 1 : 0;
}
