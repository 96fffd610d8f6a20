// Device block and settings block: reset values, byte images, settings copy, names.
#include "model/device_block.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Read back independently of the code under test, at the offsets of the file format.
int32_t le32(const std::vector<uint8_t>& bytes, std::size_t offset) {
  return static_cast<int32_t>(bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) |
                              (static_cast<uint32_t>(bytes[offset + 3]) << 24));
}
int le16(const std::vector<uint8_t>& bytes, std::size_t offset) { return bytes[offset] | (bytes[offset + 1] << 8); }

std::vector<uint8_t> image_of(const device_block& block) {
  std::vector<uint8_t> bytes(device_block_size, 0xEE);
  block_to_bytes(block, bytes.data());
  return bytes;
}

std::vector<uint8_t> image_of(const device_settings& settings) {
  std::vector<uint8_t> bytes(device_settings_size, 0xEE);
  settings_to_bytes(settings, bytes.data());
  return bytes;
}

// Every i32 field gets a different value whose four bytes also differ, so a
// swapped field, a shifted offset or a byte-order slip shows up.
int32_t distinct(int k) { return static_cast<int32_t>(0x01020304u + 0x10101010u * static_cast<uint32_t>(k % 15)) + k; }

device_block distinct_block() {
  device_block b;
  reset_block(b);
  int32_t* fields[] = {&b.packv,  &b.somnv,     &b.todd,      &b.todh,  &b.todm,   &b.tods,  &b.cstarth,
                       &b.cstartm, &b.cendh,    &b.cendm,     &b.smoded, &b.recstarth, &b.recstartm, &b.delay,
                       &b.delayp, &b.dalarm,    &b.mode,      &b.dur,   &b.walarm, &b.wtimeh, &b.wtimem,
                       &b.type,   &b.rate,      &b.intens,    &b.cdur,  &b.sens};
  int k = 1;
  for (int32_t* f : fields) *f = distinct(k++);
  for (int32_t& e : b.extra) e = distinct(k++);
  for (int i = 0; i < 16; ++i) b.rem[i] = static_cast<uint8_t>(0xA0 + i);
  b.tstamp = 0x8765ABCDu;
  b.checksum = 0xBEEF;
  std::strcpy(b.ibv, "IB v2.10");
  b.pad[0] = 0;
  b.pad[1] = 0;
  return b;
}

}  // namespace

TEST(device_block, reset_values_at_their_file_offsets) {
  device_block b;
  std::memset(&b, 0x5A, sizeof b);
  reset_block(b);
  const std::vector<uint8_t> bytes = image_of(b);
  const std::pair<std::size_t, int32_t> expected[] = {
      {0, 0},   {4, 0},   {8, 0},   {12, 0},  {16, 0},   {20, 0},  {24, 12}, {28, 0},  {32, 11},
      {36, 59}, {40, 0},  {44, 0},  {48, 0},  {52, 0},   {56, 0},  {60, 0},  {64, 1},  {68, 0},
      {88, 0},  {92, 8},  {96, 30}, {100, 2}, {104, 2},  {108, 3}, {112, 10}, {164, 6}, {168, 0},
  };
  for (const auto& [offset, value] : expected) EXPECT_EQ(le32(bytes, offset), value) << "offset " << offset;
  for (std::size_t i = 72; i < 88; ++i) EXPECT_EQ(bytes[i], 0) << i;        // REM bits
  for (std::size_t i = 116; i < 164; ++i) EXPECT_EQ(bytes[i], 0) << i;      // the twelve extra values
  for (std::size_t i = 172; i < 432; ++i) EXPECT_EQ(bytes[i], 0) << i;      // checksum, IBV, padding
  EXPECT_STREQ(b.ibv, "");
}

TEST(device_block, image_puts_every_field_at_its_offset_little_endian) {
  const device_block b = distinct_block();
  const std::vector<uint8_t> bytes = image_of(b);
  const std::pair<std::size_t, int32_t device_block::*> fields[] = {
      {0, &device_block::packv},      {4, &device_block::somnv},     {8, &device_block::todd},
      {12, &device_block::todh},      {16, &device_block::todm},     {20, &device_block::tods},
      {24, &device_block::cstarth},   {28, &device_block::cstartm},  {32, &device_block::cendh},
      {36, &device_block::cendm},     {40, &device_block::smoded},   {44, &device_block::recstarth},
      {48, &device_block::recstartm}, {52, &device_block::delay},    {56, &device_block::delayp},
      {60, &device_block::dalarm},    {64, &device_block::mode},     {68, &device_block::dur},
      {88, &device_block::walarm},    {92, &device_block::wtimeh},   {96, &device_block::wtimem},
      {100, &device_block::type},     {104, &device_block::rate},    {108, &device_block::intens},
      {112, &device_block::cdur},     {164, &device_block::sens},
  };
  for (const auto& [offset, field] : fields) EXPECT_EQ(le32(bytes, offset), b.*field) << "offset " << offset;
  for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(le32(bytes, 116 + 4 * i), b.extra[i]) << "extra " << i;
  EXPECT_EQ(bytes[72], 0xA0);
  EXPECT_EQ(bytes[87], 0xAF);
  EXPECT_EQ(static_cast<uint32_t>(le32(bytes, 168)), 0x8765ABCDu);
  EXPECT_EQ(bytes[168], 0xCD);  // least significant byte first
  EXPECT_EQ(le16(bytes, 172), 0xBEEF);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[174])), "IB v2.10");
  EXPECT_EQ(bytes[430], 0);
  EXPECT_EQ(bytes[431], 0);
}

TEST(device_block, any_image_survives_a_round_trip_except_the_last_ibv_byte) {
  std::vector<uint8_t> in(device_block_size);
  for (std::size_t i = 0; i < in.size(); ++i) in[i] = static_cast<uint8_t>(i * 7 + 3);
  device_block b;
  block_from_bytes(in.data(), b);
  const std::vector<uint8_t> out = image_of(b);
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (i == 174 + 255) continue;
    EXPECT_EQ(out[i], in[i]) << "byte " << i;
  }
  EXPECT_EQ(out[174 + 255], 0);
  EXPECT_EQ(b.packv, le32(in, 0));
  EXPECT_EQ(b.tstamp, static_cast<uint32_t>(le32(in, 168)));
  EXPECT_EQ(b.checksum, le16(in, 172));
}

TEST(device_block, unterminated_ibv_is_terminated_after_255_characters) {
  std::vector<uint8_t> in(device_block_size, 0);
  std::memset(&in[174], 'A', 256);
  device_block b;
  block_from_bytes(in.data(), b);
  EXPECT_EQ(std::strlen(b.ibv), 255u);
  EXPECT_EQ(b.ibv[254], 'A');
}

TEST(device_settings, reset_values_at_their_file_offsets) {
  device_settings s;
  std::memset(&s, 0x5A, sizeof s);
  reset_settings(s);
  const std::vector<uint8_t> bytes = image_of(s);
  const int32_t expected[] = {1, 0, 0, 0, 0, 12, 0, 12, 0, 11, 59, 11, 59, 0, 0, 0, 8, 30, 8, 30, 2, 2, 3, 10, 6, 0};
  for (std::size_t i = 0; i < std::size(expected); ++i) EXPECT_EQ(le32(bytes, 4 * i), expected[i]) << "offset " << 4 * i;
  for (std::size_t i = 104; i < 108; ++i) EXPECT_EQ(bytes[i], 0) << i;
}

TEST(device_settings, image_round_trips_with_every_field_distinct) {
  device_settings s;
  int32_t* fields[] = {&s.lead,   &s.todd,         &s.todh,         &s.todm,   &s.tods,       &s.cstarth,
                       &s.cstartm, &s.cstarth_edit, &s.cstartm_edit, &s.cendh,  &s.cendm,      &s.cendh_edit,
                       &s.cendm_edit, &s.delay,     &s.dalarm,       &s.walarm, &s.wtimeh,     &s.wtimem,
                       &s.wtimeh_edit, &s.wtimem_edit, &s.type,      &s.rate,   &s.intens,     &s.cdur,
                       &s.sens};
  int k = 1;
  for (int32_t* f : fields) *f = distinct(k++);
  s.tstamp = 0x08A1BAAFu;
  s.checksum = 0x1234;
  s.pad[0] = s.pad[1] = 0;
  const std::vector<uint8_t> bytes = image_of(s);
  // Fields are laid out in declaration order, four bytes apart.
  for (std::size_t i = 0; i < std::size(fields); ++i) EXPECT_EQ(le32(bytes, 4 * i), *fields[i]) << "offset " << 4 * i;
  EXPECT_EQ(le32(bytes, 56), s.dalarm);  // DALARM before WALARM here, unlike the block
  EXPECT_EQ(le32(bytes, 60), s.walarm);
  EXPECT_EQ(le32(bytes, 96), s.sens);
  EXPECT_EQ(static_cast<uint32_t>(le32(bytes, 100)), 0x08A1BAAFu);
  EXPECT_EQ(le16(bytes, 104), 0x1234);

  device_settings back;
  std::memset(&back, 0x77, sizeof back);
  settings_from_bytes(bytes.data(), back);
  EXPECT_EQ(image_of(back), bytes);
  EXPECT_EQ(back.sens, s.sens);
  EXPECT_EQ(back.checksum, 0x1234);
}

TEST(device_settings, copy_from_block_fills_both_pairs_and_keeps_the_rest) {
  const device_block b = distinct_block();
  device_settings s;
  reset_settings(s);
  s.todd = 41;
  s.todh = 42;
  s.todm = 43;
  s.tods = 44;
  s.tstamp = 0x0101u;
  s.checksum = 77;
  copy_block_settings(b, s);
  EXPECT_EQ(s.lead, 1);
  EXPECT_EQ(s.todd, 41);
  EXPECT_EQ(s.todh, 42);
  EXPECT_EQ(s.todm, 43);
  EXPECT_EQ(s.tods, 44);
  EXPECT_EQ(s.tstamp, 0x0101u);
  EXPECT_EQ(s.checksum, 77);
  EXPECT_EQ(s.cstarth, b.cstarth);
  EXPECT_EQ(s.cstarth_edit, b.cstarth);
  EXPECT_EQ(s.cstartm, b.cstartm);
  EXPECT_EQ(s.cstartm_edit, b.cstartm);
  EXPECT_EQ(s.cendh, b.cendh);
  EXPECT_EQ(s.cendh_edit, b.cendh);
  EXPECT_EQ(s.cendm, b.cendm);
  EXPECT_EQ(s.cendm_edit, b.cendm);
  EXPECT_EQ(s.wtimeh, b.wtimeh);
  EXPECT_EQ(s.wtimeh_edit, b.wtimeh);
  EXPECT_EQ(s.wtimem, b.wtimem);
  EXPECT_EQ(s.wtimem_edit, b.wtimem);
  EXPECT_EQ(s.delay, b.delay);
  EXPECT_EQ(s.dalarm, b.dalarm);
  EXPECT_EQ(s.walarm, b.walarm);
  EXPECT_EQ(s.type, b.type);
  EXPECT_EQ(s.rate, b.rate);
  EXPECT_EQ(s.intens, b.intens);
  EXPECT_EQ(s.cdur, b.cdur);
  EXPECT_EQ(s.sens, b.sens);
}

TEST(device_block, display_names) {
  EXPECT_STREQ(mode_name(1), "Adjustable Sleep");
  EXPECT_STREQ(mode_name(2), "Light Sleep");
  EXPECT_STREQ(mode_name(3), "Medium Sleep");
  EXPECT_STREQ(mode_name(4), "Heavy Sleep");
  EXPECT_STREQ(mode_name(0), "Unknown Mode");
  EXPECT_STREQ(mode_name(5), "Unknown Mode");
  EXPECT_FALSE(mode_known(0));
  EXPECT_TRUE(mode_known(4));
  EXPECT_FALSE(mode_known(5));

  EXPECT_STREQ(cue_type_name(0), "0: External trigger pulse only");
  EXPECT_STREQ(cue_type_name(1), "1: Light only, both eyes at once");
  EXPECT_STREQ(cue_type_name(2), "2: Light only, alternating eyes");
  EXPECT_STREQ(cue_type_name(3), "3: Sound only");
  EXPECT_STREQ(cue_type_name(4), "4: Light and Sound, both eyes at once");
  EXPECT_STREQ(cue_type_name(5), "5: Light and Sound, alternating eyes");
  EXPECT_STREQ(cue_type_name(-1), "Unknown cue type");
  EXPECT_STREQ(cue_type_name(6), "Unknown cue type");

  EXPECT_STREQ(alarm_text(1), "ON");
  EXPECT_STREQ(alarm_text(255), "ON");
  EXPECT_STREQ(alarm_text(0), "OFF");
  EXPECT_STREQ(alarm_text(-1), "OFF");
}
