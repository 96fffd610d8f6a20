// Typing rules of a bounded integer field.
#include "model/numeric_entry.h"

#include <algorithm>
#include <cstdio>

numeric_entry::numeric_entry(int minimum, int maximum, const char* format)
    : minimum_(minimum), maximum_(maximum), format_(is_int_format(format) ? format : "%d") {}

bool numeric_entry::is_int_format(const char* format) {
  if (format == nullptr || format[0] == '\0') return false;
  std::string text(format);
  if (text.size() > max_format_length) return false;
  int conversions = 0;
  for (size_t i = 0; i < text.size(); i++) {
    if (text[i] != '%') continue;
    i++;
    if (i < text.size() && text[i] == '%') continue;
    while (i < text.size() && std::string("-+ 0#").find(text[i]) != std::string::npos) i++;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') i++;
    if (i >= text.size() || (text[i] != 'd' && text[i] != 'i')) return false;
    conversions++;
  }
  return conversions == 1;
}

std::string numeric_entry::format_value(int value) const {
  char buffer[64];
  int length = std::snprintf(buffer, sizeof buffer, format_.c_str(), value);
  if (length < 0) return std::string();
  return std::string(buffer);
}

numeric_entry::result numeric_entry::accept_text(const std::string& text) {
  long long value = decimal_value(text);
  if (value < minimum_ || value > maximum_) return {false, 0};
  typed_ = format_value(static_cast<int>(value));
  return {true, static_cast<int>(value)};
}

numeric_entry::result numeric_entry::type(int character) {
  if (character == 8) {
    if (typed_.empty()) return {false, 0};
    return accept_text(typed_.substr(0, typed_.size() - 1));
  }
  if (character >= '0' && character <= '9') {
    if (typed_.size() >= max_typed_length) return {false, 0};
    return accept_text(typed_ + static_cast<char>(character));
  }
  return {false, 0};
}

long long decimal_value(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) i++;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    i++;
  }
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; i++)
    value = std::min(value * 10 + (text[i] - '0'), decimal_limit);
  return negative ? -value : value;
}
