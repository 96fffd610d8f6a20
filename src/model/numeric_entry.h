// Typing rules of a bounded integer field: each digit or backspace is kept only while the value stays in range.
#pragma once

#include <string>
#include <string_view>

class numeric_entry {
 public:
  // An empty, too long or unusable format means "%d".
  numeric_entry(int minimum, int maximum, const char* format = nullptr);

  struct result {
    bool accepted;  // false: refused, nothing changed (the caller beeps)
    int value;      // the new value when accepted
  };

  // Applies one typed character; on acceptance the typed text becomes the formatted value.
  result type(int character);

  // Forgets the digits typed so far (the field gained or lost the focus).
  void clear_typed() { typed_.clear(); }

  std::string format_value(int value) const;
  const std::string& typed() const { return typed_; }
  const std::string& format() const { return format_; }
  int minimum() const { return minimum_; }
  int maximum() const { return maximum_; }

  // True for a printf format with exactly one int conversion (%d or %i, flags and width allowed).
  static bool is_int_format(const char* format);

  static constexpr size_t max_format_length = 15;
  static constexpr size_t max_typed_length = 255;

 private:
  result accept_text(const std::string& text);

  int minimum_;
  int maximum_;
  std::string format_;
  std::string typed_;
};

// Decimal value of a text as atoi reads it (leading blanks, a sign, digits up to the first other
// character); a magnitude beyond decimal_limit is held at decimal_limit instead of overflowing.
constexpr long long decimal_limit = 1000000000000LL;
long long decimal_value(std::string_view text);
