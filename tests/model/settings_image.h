// A settings file image built byte by byte from the field offsets, apart from the code that writes it.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include "model/device_block.h"

struct settings_field {
  int32_t device_settings::*member;
  int offset;
};

// The signed fields with their offsets in the file's settings block; TSTAMP follows at 100,
// the checksum at 104 and two bytes of padding at 106.
inline const settings_field settings_fields[] = {
    {&device_settings::lead, 0},           {&device_settings::todd, 4},
    {&device_settings::todh, 8},           {&device_settings::todm, 12},
    {&device_settings::tods, 16},          {&device_settings::cstarth, 20},
    {&device_settings::cstartm, 24},       {&device_settings::cstarth_edit, 28},
    {&device_settings::cstartm_edit, 32},  {&device_settings::cendh, 36},
    {&device_settings::cendm, 40},         {&device_settings::cendh_edit, 44},
    {&device_settings::cendm_edit, 48},    {&device_settings::delay, 52},
    {&device_settings::dalarm, 56},        {&device_settings::walarm, 60},
    {&device_settings::wtimeh, 64},        {&device_settings::wtimem, 68},
    {&device_settings::wtimeh_edit, 72},   {&device_settings::wtimem_edit, 76},
    {&device_settings::type, 80},          {&device_settings::rate, 84},
    {&device_settings::intens, 88},        {&device_settings::cdur, 92},
    {&device_settings::sens, 96},
};

// A different value in every field, each byte of it telling the field apart, some negative.
inline device_settings distinct_settings() {
  device_settings s{};
  int i = 0;
  for (const settings_field& f : settings_fields) {
    s.*f.member = static_cast<int32_t>(0x80000000u * (i % 2) + 0x01020304u * static_cast<uint32_t>(i + 1));
    ++i;
  }
  s.tstamp = 0x0a1b2c3d;
  s.checksum = 0xbeef;
  return s;
}

inline void put_bytes(std::string& image, int offset, uint32_t value, int width) {
  for (int b = 0; b < width; ++b) image[static_cast<std::size_t>(offset + b)] = static_cast<char>(value >> (8 * b));
}

// The whole file: the three tags, the window rectangle and the settings.
inline std::string settings_file_image(const int32_t rect[4], const device_settings& s,
                                       const char* type_tag = "Sdoc type") {
  std::string image(220, '\0');
  const char* tags[] = {"NIGHTGLOW App", type_tag, "0.001"};
  for (int t = 0; t < 3; ++t) std::memcpy(&image[static_cast<std::size_t>(32 * t)], tags[t], std::strlen(tags[t]));
  for (int r = 0; r < 4; ++r) put_bytes(image, 96 + 4 * r, static_cast<uint32_t>(rect[r]), 4);
  for (const settings_field& f : settings_fields) put_bytes(image, 112 + f.offset, static_cast<uint32_t>(s.*f.member), 4);
  put_bytes(image, 112 + 100, s.tstamp, 4);
  put_bytes(image, 112 + 104, s.checksum, 2);
  return image;
}

// Field by field, so that a failure names what differs.
inline std::string settings_fields_text(const device_settings& s) {
  std::string text;
  for (const settings_field& f : settings_fields) text += std::to_string(s.*f.member) + " ";
  return text + std::to_string(s.tstamp) + " " + std::to_string(s.checksum);
}
