// Reading and writing the settings document's file image.
#include "model/settings_file.h"

#include "model/little_endian.h"

settings_section new_settings_section() {
  settings_section section;
  section.rect = settings_window_first_rect;
  reset_settings(section.settings);
  return section;
}

bool read_settings_section(byte_reader& in, settings_section& section) {
  const uint8_t* bytes = in.take(settings_section_size);
  if (!bytes) return false;
  section.rect = {get_le<int32_t>(bytes), get_le<int32_t>(bytes + 4), get_le<int32_t>(bytes + 8),
                  get_le<int32_t>(bytes + 12)};
  settings_from_bytes(bytes + 16, section.settings);
  return true;
}

void write_settings_section(byte_writer& out, const settings_section& section) {
  uint8_t* bytes = out.room(settings_section_size);
  const int32_t rect[4] = {section.rect.left, section.rect.top, section.rect.right, section.rect.bottom};
  for (int i = 0; i < 4; ++i) put_le(bytes + 4 * i, rect[i]);
  settings_to_bytes(section.settings, bytes + 16);
}

int read_settings_file(byte_reader& in, settings_section& section) {
  const int header = read_doc_header(in, settings_doc_type_tag);
  if (header != 1) return header;
  return read_settings_section(in, section) ? 1 : -7;
}

void write_settings_file(byte_writer& out, const settings_section& section) {
  write_doc_header(out, settings_doc_type_tag);
  write_settings_section(out, section);
}
