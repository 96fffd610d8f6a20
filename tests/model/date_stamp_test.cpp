// Date stamp packing and the time-zone-free calendar.
#include "model/date_stamp.h"

#include <gtest/gtest.h>


TEST(date_stamp, worked_example_packs_and_unpacks) {
  EXPECT_EQ(pack_date(1997, 5, 23, 1, 5, 1), 0x08A1BAAFu);
  EXPECT_EQ(pack_date(1997, 5, 23, 1, 5, 1), 144816815u);
  const date_stamp d = unpack_date(0x08A1BAAFu);
  EXPECT_EQ(d.year, 1997);
  EXPECT_EQ(d.month, 5);
  EXPECT_EQ(d.day, 23);
  EXPECT_EQ(d.hour, 1);
  EXPECT_EQ(d.minute, 5);
  EXPECT_EQ(d.set, 1);
  EXPECT_EQ(pack_date(d), 0x08A1BAAFu);
}

TEST(date_stamp, every_field_lands_in_its_own_bits) {
  // Extreme values of each field in turn; a wrong shift or mask shows up as a
  // neighbour picking up bits.
  const date_stamp cases[] = {
      {1950 + 127, 1, 1, 0, 0, 0}, {1950, 12, 1, 0, 0, 0}, {1950, 1, 31, 0, 0, 0},
      {1950, 1, 1, 23, 0, 0},      {1950, 1, 1, 0, 59, 0}, {1950, 1, 1, 0, 0, 1},
      {2077, 12, 31, 23, 59, 1},   {1950, 0, 0, 0, 0, 0},
  };
  for (const date_stamp& c : cases) {
    const uint32_t packed = pack_date(c);
    EXPECT_EQ(packed >> 28, 0u);
    const date_stamp back = unpack_date(packed);
    EXPECT_EQ(back.year, c.year);
    EXPECT_EQ(back.month, c.month);
    EXPECT_EQ(back.day, c.day);
    EXPECT_EQ(back.hour, c.hour);
    EXPECT_EQ(back.minute, c.minute);
    EXPECT_EQ(back.set, c.set);
  }
  EXPECT_EQ(pack_date(1950, 0, 0, 0, 59, 0), 59u << 21);
  EXPECT_EQ(pack_date(1950, 0, 0, 0, 0, 1), 1u << 27);
}

TEST(date_stamp, unpack_ignores_the_top_four_bits) {
  const date_stamp d = unpack_date(0xF0000000u | 0x08A1BAAFu);
  EXPECT_EQ(d.year, 1997);
  EXPECT_EQ(d.minute, 5);
  EXPECT_EQ(d.set, 1);
}

TEST(date_stamp, bytes_travel_least_significant_first) {
  int b0 = -1, b1 = -1, b2 = -1, b3 = -1;
  unpack_bytes(0x08A1BAAFu, b0, b1, b2, b3);
  EXPECT_EQ(b0, 0xAF);
  EXPECT_EQ(b1, 0xBA);
  EXPECT_EQ(b2, 0xA1);
  EXPECT_EQ(b3, 0x08);
  EXPECT_EQ(pack_bytes(b0, b1, b2, b3), 0x08A1BAAFu);
  unpack_bytes(0xFFFFFFFFu, b0, b1, b2, b3);
  EXPECT_EQ(b3, 255);
  EXPECT_EQ(pack_bytes(255, 255, 255, 255), 0xFFFFFFFFu);
  EXPECT_EQ(pack_bytes(1, 2, 3, 4), 0x04030201u);
}

TEST(civil_calendar, known_day_numbers) {
  EXPECT_EQ(days_from_civil(1970, 1, 1), 0);
  EXPECT_EQ(days_from_civil(1969, 12, 31), -1);
  EXPECT_EQ(days_from_civil(2000, 3, 1), 11017);
  EXPECT_EQ(days_from_civil(1997, 5, 22), 10003);
  EXPECT_EQ(days_from_civil(1900, 3, 1) - days_from_civil(1900, 2, 28), 1);  // 1900 not leap
  EXPECT_EQ(days_from_civil(2000, 3, 1) - days_from_civil(2000, 2, 28), 2);  // 2000 leap
  EXPECT_EQ(days_from_civil(1996, 3, 1) - days_from_civil(1996, 2, 28), 2);
  EXPECT_EQ(days_from_civil(1950, 1, 1), -7305);
}

TEST(civil_calendar, day_numbers_round_trip_over_centuries) {
  int64_t expected = days_from_civil(1600, 1, 1);
  for (int64_t n = expected; n < days_from_civil(2401, 1, 1); ++n) {
    int y = 0, m = 0, d = 0;
    civil_from_days(n, y, m, d);
    ASSERT_GE(m, 1);
    ASSERT_LE(m, 12);
    ASSERT_GE(d, 1);
    ASSERT_LE(d, 31);
    ASSERT_EQ(days_from_civil(y, m, d), n) << y << "-" << m << "-" << d;
  }
}

TEST(civil_calendar, out_of_range_fields_roll_over_like_mktime) {
  auto normalised = [](civil_time t) { return from_seconds(to_seconds(t)); };
  civil_time t = normalised({1997, 5, 32, 0, 0, 0});
  EXPECT_EQ(t.year, 1997);
  EXPECT_EQ(t.month, 6);
  EXPECT_EQ(t.day, 1);

  t = normalised({1997, 5, 22, 10, 70, 0});
  EXPECT_EQ(t.hour, 11);
  EXPECT_EQ(t.minute, 10);

  t = normalised({1997, 12, 30 + 6, 0, 0, 0});
  EXPECT_EQ(t.year, 1998);
  EXPECT_EQ(t.month, 1);
  EXPECT_EQ(t.day, 5);

  t = normalised({1997, 13, 1, 0, 0, 0});
  EXPECT_EQ(t.year, 1998);
  EXPECT_EQ(t.month, 1);

  t = normalised({1997, 0, 1, 0, 0, 0});
  EXPECT_EQ(t.year, 1996);
  EXPECT_EQ(t.month, 12);

  t = normalised({1997, 3, 0, 0, 0, 0});  // day 0 is the last of the month before
  EXPECT_EQ(t.month, 2);
  EXPECT_EQ(t.day, 28);

  t = normalised({1996, 2, 29, 23, 59, 60});
  EXPECT_EQ(t.month, 3);
  EXPECT_EQ(t.day, 1);
  EXPECT_EQ(t.hour, 0);
  EXPECT_EQ(t.minute, 0);
  EXPECT_EQ(t.second, 0);

  t = normalised({1997, 1, 1, 0, -1, 0});
  EXPECT_EQ(t.year, 1996);
  EXPECT_EQ(t.month, 12);
  EXPECT_EQ(t.day, 31);
  EXPECT_EQ(t.hour, 23);
  EXPECT_EQ(t.minute, 59);
}

TEST(civil_calendar, seconds_are_days_times_86400) {
  EXPECT_EQ(to_seconds({1970, 1, 1, 0, 0, 0}), 0);
  EXPECT_EQ(to_seconds({1997, 5, 22, 0, 0, 0}), int64_t{10003} * 86400);
  // Days of summer-time changes are still 24 hours long here.
  EXPECT_EQ(to_seconds({1997, 3, 31, 0, 0, 0}) - to_seconds({1997, 3, 30, 0, 0, 0}), 86400);
  EXPECT_EQ(to_seconds({1997, 10, 27, 0, 0, 0}) - to_seconds({1997, 10, 26, 0, 0, 0}), 86400);
  const civil_time t = from_seconds(-1);
  EXPECT_EQ(t.year, 1969);
  EXPECT_EQ(t.hour, 23);
  EXPECT_EQ(t.second, 59);
}
