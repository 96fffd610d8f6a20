// Little-endian byte images of integers, whatever the host's byte order.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

// Writes the value's bytes, least significant first.
template <class T>
void put_le(uint8_t* out, T value) {
  const auto bits = static_cast<std::make_unsigned_t<T>>(value);
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(out, &bits, sizeof bits);  // one store where the host's order is the file's
  } else {
    for (std::size_t i = 0; i < sizeof(T); ++i) out[i] = static_cast<uint8_t>(bits >> (8 * i));
  }
}

// Reads a value stored least significant byte first; signed values are two's complement.
template <class T>
T get_le(const uint8_t* in) {
  using bits_type = std::make_unsigned_t<T>;
  bits_type bits = 0;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&bits, in, sizeof bits);
  } else {
    for (std::size_t i = 0; i < sizeof(T); ++i)
      bits = static_cast<bits_type>(bits | (static_cast<bits_type>(in[i]) << (8 * i)));
  }
  return static_cast<T>(bits);
}
