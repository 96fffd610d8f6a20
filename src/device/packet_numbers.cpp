// Numbers on the line: the reader of the download and the writer of the upload.
#include "device/packet_numbers.h"

#include <cstdio>
#include <cstring>

namespace {

// Bytes that make up a number token: printable and not white space.
bool is_token_byte(uint8_t c) { return c > 0x20 && c < 0x7f; }

int digit_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

// The longest valid prefix read as C's %i reads it: sign, then 0x for hexadecimal,
// a leading 0 for octal, else decimal. Overlong values wrap modulo 2^32.
int32_t convert_number(const char* token) {
  const char* p = token;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  unsigned base = 10;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && digit_value(p[2]) < 16) {
    base = 16;
    p += 2;
  } else if (p[0] == '0') {
    base = 8;
  }
  uint32_t value = 0;
  for (; *p; ++p) {
    const unsigned d = static_cast<unsigned>(digit_value(*p));
    if (d >= base) break;
    value = value * base + d;
  }
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

}  // namespace

int32_t parse_number(const uint8_t* reply, int length, int& position, bool& error, uint16_t* sum) {
  error = false;
  if (position < 0) position = 0;
  while (position < length && !is_token_byte(reply[position])) ++position;
  if (position >= length) {
    error = true;
    return 0;
  }
  // Tokens longer than 255 characters are cut; the rest of such a token is skipped.
  char token[256];
  int size = 0;
  while (position < length && is_token_byte(reply[position])) {
    if (size < 255) token[size++] = static_cast<char>(reply[position]);
    ++position;
  }
  if (position >= length) {  // no separator: the number may not be complete
    error = true;
    return 0;
  }
  token[size] = '\0';
  const int32_t value = convert_number(token);
  if (sum) *sum = static_cast<uint16_t>(*sum + static_cast<uint32_t>(value));
  return value;
}

bool append_number(int32_t value, bool hexadecimal, bool end_of_line, char* text, int capacity, uint16_t* sum) {
  char item[24];
  const int size =
      hexadecimal ? std::snprintf(item, sizeof item, "%#x%c", static_cast<unsigned>(value), end_of_line ? '\r' : ' ')
                  : std::snprintf(item, sizeof item, "%d%c", static_cast<int>(value), end_of_line ? '\r' : ' ');
  const std::size_t used = std::strlen(text);
  if (size < 0 || used + static_cast<std::size_t>(size) >= static_cast<std::size_t>(capacity)) return false;
  std::memcpy(text + used, item, static_cast<std::size_t>(size) + 1);
  if (sum) *sum = static_cast<uint16_t>(*sum + static_cast<uint32_t>(value));
  return true;
}
