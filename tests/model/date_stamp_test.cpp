// Date stamp packing and the time-zone-free calendar.
#include "model/date_stamp.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

auto fields(const date_stamp& d) { return std::tuple(d.year, d.month, d.day, d.hour, d.minute, d.set); }

}  // namespace

TEST(date_stamp, every_field_lands_in_its_own_bits_and_comes_back) {
  EXPECT_EQ(pack_date(1997, 5, 23, 1, 5, 1), 0x08A1BAAFu);  // 144,816,815
  // Extreme values of each field in turn: a wrong shift or mask shows as a neighbour picking up bits.
  const date_stamp cases[] = {{1997, 5, 23, 1, 5, 1}, {2077, 1, 1, 0, 0, 0},    {1950, 12, 1, 0, 0, 0},
                              {1950, 1, 31, 0, 0, 0}, {1950, 1, 1, 23, 0, 0},   {1950, 1, 1, 0, 59, 0},
                              {1950, 1, 1, 0, 0, 1},  {2077, 12, 31, 23, 59, 1}};
  for (const date_stamp& c : cases) {
    const uint32_t packed = pack_date(c);
    EXPECT_EQ(packed >> 28, 0u);
    EXPECT_EQ(fields(unpack_date(packed | 0xF0000000u)), fields(c));  // the top four bits are not looked at
  }
}

TEST(civil_calendar, day_numbers_follow_the_gregorian_leap_rules) {
  EXPECT_EQ(days_from_civil(1970, 1, 1), 0);
  EXPECT_EQ(days_from_civil(1997, 5, 22), 10003);
  EXPECT_EQ(days_from_civil(1900, 3, 1) - days_from_civil(1900, 2, 28), 1);
  EXPECT_EQ(days_from_civil(2000, 3, 1) - days_from_civil(2000, 2, 28), 2);
  for (int64_t n = days_from_civil(1600, 1, 1); n < days_from_civil(2401, 1, 1); ++n) {
    int y = 0, m = 0, d = 0;
    civil_from_days(n, y, m, d);
    ASSERT_TRUE(m >= 1 && m <= 12 && d >= 1 && d <= 31) << n;
    ASSERT_EQ(days_from_civil(y, m, d), n) << y << "-" << m << "-" << d;
  }
}
