// A settings file image built byte by byte from the field order, apart from the code that writes it.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include "model/device_block.h"

// The signed fields in file order, one every 4 bytes; TSTAMP follows at 100 and the checksum at 104.
inline int32_t device_settings::*const settings_fields[25] = {
    &device_settings::lead,        &device_settings::todd,         &device_settings::todh,
    &device_settings::todm,        &device_settings::tods,         &device_settings::cstarth,
    &device_settings::cstartm,     &device_settings::cstarth_edit, &device_settings::cstartm_edit,
    &device_settings::cendh,       &device_settings::cendm,        &device_settings::cendh_edit,
    &device_settings::cendm_edit,  &device_settings::delay,        &device_settings::dalarm,
    &device_settings::walarm,      &device_settings::wtimeh,       &device_settings::wtimem,
    &device_settings::wtimeh_edit, &device_settings::wtimem_edit,  &device_settings::type,
    &device_settings::rate,        &device_settings::intens,       &device_settings::cdur,
    &device_settings::sens};

// A different value in every field, each of its bytes telling the fields apart, every other one negative.
inline device_settings distinct_settings() {
  device_settings s{};
  for (uint32_t i = 0; i < 25; ++i)
    s.*settings_fields[i] = static_cast<int32_t>(0x80000000u * (i % 2) + 0x01020304u * (i + 1));
  s.tstamp = 0x0a1b2c3d;
  s.checksum = 0xbeef;
  return s;
}

// The 220-byte file: three tags, the window rectangle, the settings.
inline std::string settings_file_image(const int32_t rect[4], const device_settings& s,
                                       const char* type_tag = "Sdoc type") {
  std::string image(220, '\0');
  auto put = [&](int at, uint32_t value, int width) {
    for (int b = 0; b < width; ++b) image[static_cast<std::size_t>(at + b)] = static_cast<char>(value >> (8 * b));
  };
  const char* tags[] = {"NIGHTGLOW App", type_tag, "0.001"};
  for (std::size_t t = 0; t < 3; ++t) image.replace(32 * t, std::strlen(tags[t]), tags[t]);
  for (int r = 0; r < 4; ++r) put(96 + 4 * r, static_cast<uint32_t>(rect[r]), 4);
  for (int i = 0; i < 25; ++i) put(112 + 4 * i, static_cast<uint32_t>(s.*settings_fields[i]), 4);
  put(212, s.tstamp, 4);
  put(216, s.checksum, 2);
  return image;
}

// Field by field, so that a failure shows which differ.
inline std::string settings_text(const device_settings& s) {
  std::string text;
  for (auto field : settings_fields) text += std::to_string(s.*field) + " ";
  return text + std::to_string(s.tstamp) + " " + std::to_string(s.checksum);
}
