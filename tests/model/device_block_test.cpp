// Device block and settings block: reset values and byte images.
#include "model/device_block.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// On a little-endian host the pinned struct layout is the file image itself, which
// gives an expectation that does not come from the code under test.
static_assert(std::endian::native == std::endian::little);

template <class T>
std::vector<uint8_t> raw(const T& value) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(&value);
  return {bytes, bytes + sizeof value};
}

// No zero byte and no two neighbours alike, so a lost, moved or swapped field shows.
std::vector<uint8_t> pattern(std::size_t size) {
  std::vector<uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 7 % 251 + 1);
  return bytes;
}

std::vector<uint8_t> zero_image_with(std::size_t size, std::initializer_list<std::pair<int, int32_t>> values) {
  std::vector<uint8_t> bytes(size, 0);
  for (auto [offset, value] : values) std::memcpy(&bytes[static_cast<std::size_t>(offset)], &value, 4);
  return bytes;
}

}  // namespace

// The settings' reset values show in the upload example and the settings window's report.
TEST(device_block, reset_values_at_their_offsets) {
  device_block b;
  std::memset(&b, 0x5A, sizeof b);
  reset_block(b);
  // clang-format off
  EXPECT_EQ(raw(b), zero_image_with(device_block_size, {{24, 12}, {32, 11}, {36, 59}, {64, 1}, {92, 8}, {96, 30},
                                                        {100, 2}, {104, 2}, {108, 3}, {112, 10}, {164, 6}}));
  // clang-format on
}

TEST(device_block, byte_images_are_little_endian_at_the_pinned_offsets) {
  const std::vector<uint8_t> in = pattern(device_block_size);
  device_block b;
  block_from_bytes(in.data(), b);
  std::vector<uint8_t> expected = in;
  expected[174 + 255] = 0;  // the IBV text is terminated even when the file's is not
  EXPECT_EQ(raw(b), expected);
  EXPECT_EQ(std::strlen(b.ibv), 255u);
  std::vector<uint8_t> out(device_block_size, 0);
  block_to_bytes(b, out.data());
  EXPECT_EQ(out, expected);

  const std::vector<uint8_t> settings_in = pattern(device_settings_size);
  device_settings s;
  settings_from_bytes(settings_in.data(), s);
  EXPECT_EQ(raw(s), settings_in);
  out.assign(device_settings_size, 0);
  settings_to_bytes(s, out.data());
  EXPECT_EQ(out, settings_in);
}
