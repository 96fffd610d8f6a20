// Device block and settings block: byte images at the pinned offsets.
#include "model/device_block.h"

#include <gtest/gtest.h>

#include <bit>
#include <vector>

// On a little-endian host the pinned struct layout is the file image itself, which gives an
// expectation that does not come from the code under test.
static_assert(std::endian::native == std::endian::little);

namespace {

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

TEST(device_block, byte_images_are_little_endian_at_the_pinned_offsets) {
  std::vector<uint8_t> expected = pattern(device_block_size), out(device_block_size);
  device_block b;
  block_from_bytes(expected.data(), b);
  expected[174 + 255] = 0;  // the IBV text is terminated even when the file's is not
  EXPECT_EQ(raw(b), expected);
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

}  // namespace
