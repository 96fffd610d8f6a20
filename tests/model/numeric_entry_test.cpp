// Accepting and refusing typed characters in a bounded integer field.
#include "model/numeric_entry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(numeric_entry, each_key_is_kept_only_while_the_value_stays_in_range) {
  struct typing_case {
    int minimum, maximum;
    const char* format;
    std::string keys;
    std::vector<int> values;  // after each key; -1 for a refusal
    std::string typed;
  } const cases[] = {
      {1, 255, nullptr, "02556", {-1, 2, 25, 255, -1}, "255"},
      {1, 255, nullptr, "5\b", {5, -1}, "5"},  // backspace to 0 is below the minimum
      {0, 99, nullptr, "007", {0, 0, 7}, "7"},  // leading zeros vanish
      {0, 59, "%02d", "539", {5, 53, -1}, "53"},
      {0, 999, "%3d", "73", {7, 73}, " 73"},
      {-100, 100, nullptr, "4a -+.\t\r\x1b\xc8", {4, -1, -1, -1, -1, -1, -1, -1, -1, -1}, "4"},
  };
  for (const typing_case& c : cases) {
    numeric_entry entry(c.minimum, c.maximum, c.format);
    std::vector<int> values;
    for (char key : c.keys) {
      const numeric_entry::result result = entry.type(static_cast<unsigned char>(key));
      values.push_back(result.accepted ? result.value : -1);
    }
    EXPECT_EQ(values, c.values) << c.keys;
    EXPECT_EQ(entry.typed(), c.typed) << c.keys;
  }
}

}  // namespace
