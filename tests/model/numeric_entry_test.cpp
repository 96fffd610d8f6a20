// Accepting and refusing typed characters in a bounded integer field.
#include "model/numeric_entry.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

// Types the characters and returns the value after each one, or -1 for a refusal.
std::vector<int> type_all(numeric_entry& entry, const std::string& keys) {
  std::vector<int> results;
  for (char key : keys) {
    auto result = entry.type(static_cast<unsigned char>(key));
    results.push_back(result.accepted ? result.value : -1);
  }
  return results;
}

TEST(numeric_entry, digits_build_the_value_until_it_leaves_the_range) {
  numeric_entry entry(1, 255);
  EXPECT_EQ(type_all(entry, "02556"), (std::vector<int>{-1, 2, 25, 255, -1}));
  EXPECT_EQ(entry.typed(), "255");
}

TEST(numeric_entry, a_fresh_field_starts_from_the_first_digit) {
  numeric_entry entry(0, 99);
  type_all(entry, "10");
  entry.clear_typed();
  EXPECT_EQ(type_all(entry, "3"), (std::vector<int>{3}));
}

TEST(numeric_entry, backspace_refuses_a_value_below_the_minimum) {
  numeric_entry entry(1, 255);
  type_all(entry, "5");
  EXPECT_FALSE(entry.type(8).accepted);
  EXPECT_EQ(entry.typed(), "5");
}

TEST(numeric_entry, backspace_to_nothing_is_zero_when_zero_is_allowed) {
  numeric_entry entry(0, 60);
  type_all(entry, "5");
  EXPECT_EQ(type_all(entry, "\b\b"), (std::vector<int>{0, 0}));
  EXPECT_EQ(entry.typed(), "0");
  entry.clear_typed();
  EXPECT_FALSE(entry.type(8).accepted);
}

TEST(numeric_entry, leading_zeros_vanish_under_plain_format) {
  numeric_entry entry(0, 99);
  EXPECT_EQ(type_all(entry, "007"), (std::vector<int>{0, 0, 7}));
  EXPECT_EQ(entry.typed(), "7");
}

TEST(numeric_entry, two_digit_format_keeps_its_zero_and_appends_to_it) {
  numeric_entry entry(0, 59, "%02d");
  EXPECT_EQ(type_all(entry, "539"), (std::vector<int>{5, 53, -1}));
  EXPECT_EQ(entry.typed(), "53");
  numeric_entry minutes(0, 59, "%02d");
  EXPECT_EQ(type_all(minutes, "60"), (std::vector<int>{6, -1}));
  EXPECT_EQ(minutes.typed(), "06");
}

TEST(numeric_entry, everything_but_digits_and_backspace_is_refused) {
  numeric_entry entry(-100, 100);
  type_all(entry, "4");
  EXPECT_EQ(type_all(entry, "a -+.\t\r"), (std::vector<int>(7, -1)));
  EXPECT_EQ(entry.typed(), "4");
  EXPECT_FALSE(entry.type(0x1b).accepted);
  EXPECT_FALSE(entry.type(200).accepted);
}

TEST(numeric_entry, endless_digits_neither_overflow_nor_grow_without_bound) {
  numeric_entry entry(0, INT_MAX);
  for (int i = 0; i < 400; i++) entry.type('9');
  EXPECT_LE(entry.typed().size(), numeric_entry::max_typed_length);
  EXPECT_EQ(entry.typed(), "999999999");  // a tenth nine would pass the int range
  numeric_entry widest(INT_MIN, INT_MAX);
  for (char key : std::string("2147483647")) widest.type(key);
  EXPECT_EQ(widest.typed(), "2147483647");
  EXPECT_FALSE(widest.type('0').accepted);
}

TEST(numeric_entry, unusable_formats_fall_back_to_plain_decimal) {
  EXPECT_EQ(numeric_entry(0, 9, nullptr).format(), "%d");
  EXPECT_EQ(numeric_entry(0, 9, "").format(), "%d");
  EXPECT_EQ(numeric_entry(0, 9, "%s").format(), "%d");
  EXPECT_EQ(numeric_entry(0, 9, "%d %d").format(), "%d");
  EXPECT_EQ(numeric_entry(0, 9, "%").format(), "%d");
  EXPECT_EQ(numeric_entry(0, 9, "%ld").format(), "%d");
  EXPECT_EQ(numeric_entry(0, 9, "%d  many many words").format(), "%d");  // longer than 15
  EXPECT_EQ(numeric_entry(0, 9, "%3d%%").format_value(7), "  7%");
  EXPECT_EQ(numeric_entry(0, 9, "%02d").format_value(5), "05");
}

TEST(numeric_entry, decimal_value_reads_like_atoi_and_saturates) {
  EXPECT_EQ(decimal_value(""), 0);
  EXPECT_EQ(decimal_value("  42x7"), 42);
  EXPECT_EQ(decimal_value("-17"), -17);
  EXPECT_EQ(decimal_value("+8"), 8);
  EXPECT_EQ(decimal_value("99999999999999999999"), decimal_limit);
  EXPECT_EQ(decimal_value("-99999999999999999999"), -decimal_limit);
}

}  // namespace
