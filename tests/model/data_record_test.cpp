// Record labels and dates, the time line, REM bits and cue counts.
#include "model/data_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "model/date_stamp.h"

namespace {

// Escaped so that the question marks cannot form a trigraph.
const std::string no_date = "?\?/?\?/?\?";

device_block night(int start_hour, int start_minute, int dur) {
  device_block b;
  reset_block(b);
  b.recstarth = start_hour;
  b.recstartm = start_minute;
  b.dur = dur;
  return b;
}

device_block dated_night(int year, int month, int day, int smoded, int start_hour, int start_minute, int dur) {
  device_block b = night(start_hour, start_minute, dur);
  b.tstamp = pack_date(year, month, day, 21, 15, 1);
  b.smoded = smoded;
  return b;
}

void set_all_rem(device_block& b) {
  for (uint8_t& byte : b.rem) byte = 0xFF;
}

void set_cue_period(device_block& b, int start_hour, int start_minute, int end_hour, int end_minute) {
  b.cstarth = start_hour;
  b.cstartm = start_minute;
  b.cendh = end_hour;
  b.cendm = end_minute;
}

}  // namespace

TEST(record_label, known_date_is_month_first_with_two_blanks) {
  EXPECT_EQ(record_label(dated_night(1997, 5, 22, 1, 1, 5, 96)), "05/23/97  1:05  480 minutes");
  EXPECT_EQ(record_label(dated_night(2003, 1, 2, 0, 23, 0, 0)), "01/02/03  23:00  0 minutes");
}

TEST(record_label, date_unknown_without_stamp_or_with_day_counter_of_seven_or_more) {
  EXPECT_EQ(record_label(night(1, 5, 96)), no_date + "  1:05  480 minutes");  // TSTAMP 0
  EXPECT_EQ(record_label(dated_night(1997, 5, 22, 7, 1, 5, 96)), no_date + "  1:05  480 minutes");
  EXPECT_EQ(record_label(dated_night(1997, 5, 22, 300, 22, 30, 1)), no_date + "  22:30  5 minutes");
}

TEST(record_label, day_counter_rolls_month_and_year) {
  EXPECT_EQ(record_label(dated_night(1997, 12, 30, 6, 23, 45, 128)), "01/05/98  23:45  640 minutes");
  EXPECT_EQ(record_label(dated_night(1996, 2, 27, 2, 0, 0, 1)), "02/29/96  0:00  5 minutes");
  EXPECT_EQ(record_label(dated_night(1997, 2, 27, 2, 0, 0, 1)), "03/01/97  0:00  5 minutes");
  EXPECT_EQ(record_label(dated_night(1999, 12, 31, 1, 0, 0, 1)), "01/01/00  0:00  5 minutes");
  // The counter is signed: a negative one still dates the record, backwards.
  EXPECT_EQ(record_label(dated_night(1998, 1, 1, -1, 0, 0, 1)), "12/31/97  0:00  5 minutes");
}

TEST(record_label, member_and_free_form_agree) {
  data_record r(dated_night(1997, 12, 30, 6, 23, 45, 128));
  EXPECT_EQ(r.label(), record_label(r.block));
  data_record fresh;
  EXPECT_EQ(fresh.label(), no_date + "  0:00  0 minutes");
}

TEST(record_times, end_crosses_midnight_and_month_through_the_calendar) {
  const record_times t = compute_record_times(dated_night(1997, 5, 31, 0, 23, 0, 128));
  ASSERT_TRUE(t.date_known);
  EXPECT_EQ(t.year, 1997);
  EXPECT_EQ(t.month, 5);
  EXPECT_EQ(t.day, 31);
  EXPECT_EQ(t.start_hour, 23);
  EXPECT_EQ(t.start_minute, 0);
  EXPECT_EQ(t.end_year, 1997);
  EXPECT_EQ(t.end_month, 6);
  EXPECT_EQ(t.end_day, 1);
  EXPECT_EQ(t.end_hour, 9);
  EXPECT_EQ(t.end_minute, 40);
  EXPECT_EQ(t.minutes, 640);

  const record_times year_end = compute_record_times(dated_night(1997, 12, 30, 1, 23, 55, 2));
  EXPECT_EQ(year_end.end_year, 1998);
  EXPECT_EQ(year_end.end_month, 1);
  EXPECT_EQ(year_end.end_day, 1);
  EXPECT_EQ(year_end.end_hour, 0);
  EXPECT_EQ(year_end.end_minute, 5);
}

TEST(record_times, unknown_date_wraps_the_end_into_the_day) {
  const record_times t = compute_record_times(night(23, 30, 20));
  EXPECT_FALSE(t.date_known);
  EXPECT_EQ(t.end_hour, 1);
  EXPECT_EQ(t.end_minute, 10);
  const record_times long_one = compute_record_times(night(10, 0, 300));  // 25 hours
  EXPECT_EQ(long_one.end_hour, 11);
  EXPECT_EQ(long_one.end_minute, 0);
}

TEST(record_times, hostile_values_do_not_overflow) {
  device_block b = dated_night(1997, 5, 22, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MAX);
  const record_times t = compute_record_times(b);
  EXPECT_TRUE(t.date_known);
  EXPECT_EQ(t.minutes, int64_t{INT32_MAX} * 5);
  b.smoded = 0;
  b.dur = INT32_MIN;
  EXPECT_EQ(compute_record_times(b).minutes, int64_t{INT32_MIN} * 5);
  b.tstamp = 0;
  const record_times unknown = compute_record_times(b);
  EXPECT_GE(unknown.end_hour, 0);
  EXPECT_LT(unknown.end_hour, 24);
  EXPECT_GE(unknown.end_minute, 0);
  EXPECT_LT(unknown.end_minute, 60);
  EXPECT_FALSE(record_label(b).empty());
}

TEST(time_line, record_window_is_640_minutes_from_the_start) {
  data_record r(night(23, 0, 128));
  EXPECT_EQ(r.record_window_end - r.record_start, 640 * 60);
  data_record early(night(0, 10, 128));
  EXPECT_EQ(r.record_start - early.record_start, (22 * 60 + 50) * 60);
}

TEST(time_line, wrapping_cue_period_keeps_start_and_moves_end_to_next_day) {
  device_block b = night(23, 0, 128);
  set_cue_period(b, 22, 0, 6, 0);
  data_record r(b);
  EXPECT_EQ(r.cue_start - r.record_start, -3600);     // 22:00 of the reference day
  EXPECT_EQ(r.cue_end - r.record_start, 7 * 3600);    // 06:00 of the day after
  for (int i = 0; i < 84; ++i) EXPECT_TRUE(r.bin_in_cue_period(i)) << i;  // 23:00 to 06:00
  for (int i = 84; i < 128; ++i) EXPECT_FALSE(r.bin_in_cue_period(i)) << i;
}

TEST(time_line, period_after_midnight_moves_to_the_next_day) {
  device_block b = night(23, 0, 128);
  set_cue_period(b, 1, 2, 2, 2);  // partly covered bins count on both edges
  data_record r(b);
  EXPECT_EQ(r.cue_start - r.record_start, 2 * 3600 + 120);
  EXPECT_FALSE(r.bin_in_cue_period(23));
  for (int i = 24; i <= 36; ++i) EXPECT_TRUE(r.bin_in_cue_period(i)) << i;
  EXPECT_FALSE(r.bin_in_cue_period(37));
}

TEST(time_line, period_ending_exactly_at_a_bin_start_excludes_that_bin) {
  device_block b = night(1, 0, 128);
  set_cue_period(b, 1, 0, 2, 0);
  data_record r(b);
  EXPECT_TRUE(r.bin_in_cue_period(0));
  EXPECT_TRUE(r.bin_in_cue_period(11));
  EXPECT_FALSE(r.bin_in_cue_period(12));
}

TEST(time_line, period_outside_the_window_stays_put) {
  device_block b = night(23, 0, 128);
  set_cue_period(b, 12, 0, 13, 0);
  data_record r(b);
  EXPECT_EQ(r.cue_start - r.record_start, -11 * 3600);
  for (int i = 0; i < 128; ++i) EXPECT_FALSE(r.bin_in_cue_period(i)) << i;
}

TEST(time_line, reset_cue_period_covers_the_whole_night) {
  device_block b = night(23, 0, 128);  // 12:00 to 11:59 from the reset values
  data_record r(b);
  EXPECT_LT(r.cue_end, r.cue_start);
  for (int i = 0; i < 128; ++i) EXPECT_TRUE(r.bin_in_cue_period(i)) << i;
}

TEST(time_line, member_uses_the_times_last_computed) {
  data_record r(night(23, 0, 128));
  set_cue_period(r.block, 12, 0, 13, 0);
  EXPECT_TRUE(r.bin_in_cue_period(0));  // still the reset period
  r.compute_time_line();
  EXPECT_FALSE(r.bin_in_cue_period(0));
}

TEST(rem_bits, least_significant_bit_first_and_out_of_range_is_false) {
  data_record r;
  r.block.rem[0] = 0x01;
  r.block.rem[1] = 0x02;
  r.block.rem[15] = 0x80;
  EXPECT_TRUE(r.rem_bit(0));
  EXPECT_FALSE(r.rem_bit(1));
  EXPECT_FALSE(r.rem_bit(7));
  EXPECT_FALSE(r.rem_bit(8));
  EXPECT_TRUE(r.rem_bit(9));
  EXPECT_TRUE(r.rem_bit(127));
  EXPECT_FALSE(r.rem_bit(126));
  set_all_rem(r.block);
  EXPECT_FALSE(r.rem_bit(128));
  EXPECT_FALSE(r.rem_bit(-1));
  EXPECT_FALSE(r.rem_bit(INT32_MIN));
  EXPECT_FALSE(r.rem_bit(INT32_MAX));
}

TEST(cue_counts, split_by_the_cue_period_within_the_duration) {
  device_block b = night(23, 0, 128);
  set_cue_period(b, 22, 0, 6, 0);
  set_all_rem(b);
  cue_counts c = data_record(b).count_cues();
  EXPECT_EQ(c.cues, 84);
  EXPECT_EQ(c.not_delivered, 44);

  b.dur = 90;
  c = count_block_cues(b);
  EXPECT_EQ(c.cues, 84);
  EXPECT_EQ(c.not_delivered, 6);

  b.rem[0] = 0;  // bins 0-7 without REM
  c = count_block_cues(b);
  EXPECT_EQ(c.cues, 76);
}

TEST(cue_counts, duration_beyond_128_counts_only_128_bins_and_negative_counts_none) {
  device_block b = night(23, 0, 200);
  set_all_rem(b);
  cue_counts c = count_block_cues(b);
  EXPECT_EQ(c.cues + c.not_delivered, 128);
  b.dur = INT32_MAX;
  c = count_block_cues(b);
  EXPECT_EQ(c.cues + c.not_delivered, 128);
  b.dur = -5;
  c = count_block_cues(b);
  EXPECT_EQ(c.cues + c.not_delivered, 0);
}

TEST(cue_counts, are_computed_from_the_block_not_from_stale_times) {
  data_record r(night(23, 0, 128));
  set_all_rem(r.block);
  set_cue_period(r.block, 12, 0, 13, 0);
  const cue_counts c = r.count_cues();
  EXPECT_EQ(c.cues, 0);
  EXPECT_EQ(c.not_delivered, 128);
}

TEST(data_record, reset_restores_block_counts_and_comment) {
  data_record r;
  r.block.mode = 4;
  r.block.dur = 77;
  r.counts[cawakes] = 3;
  r.set_comment("dreamt of the sea");
  r.reset();
  device_block fresh;
  reset_block(fresh);
  EXPECT_EQ(std::memcmp(&r.block, &fresh, sizeof fresh), 0);
  for (int32_t c : r.counts) EXPECT_EQ(c, 0);
  EXPECT_TRUE(r.comment.empty());
  EXPECT_EQ(r.comment_length(), 0);
}

TEST(data_record, comment_length_counts_the_nul_and_stops_at_an_embedded_one) {
  data_record r;
  r.set_comment("abc");
  EXPECT_EQ(r.comment_length(), 4);
  r.set_comment(std::string("ab\0cd", 5));
  EXPECT_EQ(r.comment, "ab");
  EXPECT_EQ(r.comment_length(), 3);
  r.destroy();
  EXPECT_EQ(r.comment_length(), 0);
}
