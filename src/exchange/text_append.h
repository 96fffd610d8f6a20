// Appending numbers to texts as printf's "%d" and "%02d" would write them, without printf's cost.
#pragma once

#include <charconv>
#include <cstdint>
#include <string>

inline void append_int(std::string& text, int64_t value) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  text.append(digits, end);
}

// "%02d": one leading zero for 0 to 9, everything else as "%d".
inline void append_02d(std::string& text, int64_t value) {
  if (value >= 0 && value < 10) text += '0';
  append_int(text, value);
}

// "%d:%02d" of a time of day.
inline void append_time(std::string& text, int64_t hour, int64_t minute) {
  append_int(text, hour);
  text += ':';
  append_02d(text, minute);
}

// A NUL-terminated text held in a fixed array that a hostile block may not terminate.
template <std::size_t size>
std::string bounded_text(const char (&chars)[size]) {
  std::size_t length = 0;
  while (length < size && chars[length] != '\0') ++length;
  return std::string(chars, length);
}

// "%#x": lower-case hexadecimal with "0x" before it, and a plain "0" for zero.
inline void append_hex(std::string& text, uint32_t value) {
  if (value != 0) text += "0x";
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, value, 16).ptr;
  text.append(digits, end);
}
