// The settings document's file: three tags, the Settings window's rectangle and the settings, 220 bytes.
#pragma once

#include <cstdint>
#include <cstdio>

#include "model/device_block.h"
#include "model/doc_file.h"
#include "model/window_rect.h"

// The Settings window's part of the file: where the window stood and what it held.
struct settings_section {
  window_rect rect;  // where the Settings window stood, in screen coordinates
  device_settings settings{};
};

constexpr long settings_section_size = 16 + static_cast<long>(device_settings_size);
constexpr long settings_file_size = doc_header_size + settings_section_size;
static_assert(settings_file_size == 220);

// Where a new document's Settings window stands: created at (100, 295) with the size 552 x 177.
constexpr window_rect settings_window_first_rect{100, 295, 652, 472};
// A new document's section: the window where it first opens, the reset settings.
settings_section new_settings_section();

// The section alone, little-endian. Reading is all or nothing: false with `section` as it was.
bool read_settings_section(byte_reader& in, settings_section& section);
void write_settings_section(byte_writer& out, const settings_section& section);

// The whole file. Reading gives 1, -1 ... -6 for the first tag that could not be read or
// did not match, or -7 when the section is short; on failure `section` is left as it was.
int read_settings_file(byte_reader& in, settings_section& section);
void write_settings_file(byte_writer& out, const settings_section& section);
