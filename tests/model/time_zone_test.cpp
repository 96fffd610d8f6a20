// Record dates and time lines do not depend on the local time zone or summer time.
#include "model/data_record.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "model/date_stamp.h"

namespace {

void set_tz(const std::optional<std::string>& value) {
#ifdef _WIN32
  const std::string setting = "TZ=" + value.value_or("");
  _putenv(setting.c_str());
  _tzset();
#else
  if (value) {
    setenv("TZ", value->c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
#endif
}

// Sets TZ for one test and puts the old value back.
class tz_guard {
 public:
  explicit tz_guard(const std::string& zone) {
    if (const char* old = std::getenv("TZ")) old_ = std::string(old);
    set_tz(zone);
  }
  ~tz_guard() { set_tz(old_); }
  tz_guard(const tz_guard&) = delete;
  tz_guard& operator=(const tz_guard&) = delete;

 private:
  std::optional<std::string> old_;
};

// Zones whose summer time starts or ends near 30 March, 6 April and 26 October 1997.
std::vector<std::string> zones() {
#ifdef _WIN32
  return {"GMT0BST", "EST5EDT", "AEST-10AEDT", "UTC0"};
#else
  return {"Europe/London", "America/New_York", "Australia/Sydney", "GMT0BST,M3.5.0/1,M10.5.0", "UTC0"};
#endif
}

device_block dated_night(int year, int month, int day, int smoded, int start_hour, int start_minute, int dur) {
  device_block b;
  reset_block(b);
  b.tstamp = pack_date(year, month, day, 20, 0, 1);
  b.smoded = smoded;
  b.recstarth = start_hour;
  b.recstartm = start_minute;
  b.dur = dur;
  return b;
}

std::string end_text(const record_times& t) {
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.end_year, t.end_month, t.end_day, t.end_hour,
                t.end_minute);
  return text;
}

class time_zone_test : public ::testing::TestWithParam<std::string> {};

}  // namespace

TEST_P(time_zone_test, dates_and_ends_across_summer_time_changes) {
  const tz_guard zone(GetParam());
  // Spring forward in Europe (30 March 1997) and autumn back in Australia.
  device_block b = dated_night(1997, 3, 29, 1, 0, 30, 128);
  EXPECT_EQ(record_label(b), "03/30/97  0:30  640 minutes");
  EXPECT_EQ(end_text(compute_record_times(b)), "1997-03-30 11:10");

  b = dated_night(1997, 3, 29, 1, 23, 0, 128);
  EXPECT_EQ(end_text(compute_record_times(b)), "1997-03-31 09:40");

  // Spring forward in America (6 April 1997).
  b = dated_night(1997, 4, 1, 5, 1, 55, 2);
  EXPECT_EQ(record_label(b), "04/06/97  1:55  10 minutes");
  EXPECT_EQ(end_text(compute_record_times(b)), "1997-04-06 02:05");

  // Autumn back in Europe and America, spring forward in Australia (26 October 1997).
  b = dated_night(1997, 10, 20, 6, 0, 0, 128);
  EXPECT_EQ(record_label(b), "10/26/97  0:00  640 minutes");
  EXPECT_EQ(end_text(compute_record_times(b)), "1997-10-26 10:40");

  b = dated_night(1997, 10, 25, 0, 22, 0, 128);
  EXPECT_EQ(end_text(compute_record_times(b)), "1997-10-26 08:40");

  b = dated_night(1997, 12, 30, 6, 23, 0, 20);
  EXPECT_EQ(record_label(b), "01/05/98  23:00  100 minutes");
  EXPECT_EQ(end_text(compute_record_times(b)), "1998-01-06 00:40");
}

TEST_P(time_zone_test, time_line_spans_640_minutes_at_any_start) {
  const tz_guard zone(GetParam());
  for (int hour = 0; hour < 24; ++hour) {
    // A cue period from an hour before the start to six hours after it, across
    // midnight for some starts: the first 72 bins are in it, the rest are not.
    device_block b;
    reset_block(b);
    b.recstarth = hour;
    b.recstartm = 30;
    b.cstarth = (hour + 23) % 24;
    b.cendh = (hour + 6) % 24;
    b.cstartm = b.cendm = 30;
    data_record r(b);
    EXPECT_EQ(r.record_window_end - r.record_start, 38400) << hour;
    for (int bin = 0; bin < 128; ++bin) EXPECT_EQ(r.bin_in_cue_period(bin), bin < 72) << hour << " " << bin;
  }
  device_block wrap;
  reset_block(wrap);
  wrap.recstarth = 23;
  wrap.cstarth = 22;
  wrap.cstartm = 0;
  wrap.cendh = 6;
  wrap.cendm = 0;
  for (uint8_t& byte : wrap.rem) byte = 0xFF;
  wrap.dur = 128;
  const cue_counts c = count_block_cues(wrap);
  EXPECT_EQ(c.cues, 84);
  EXPECT_EQ(c.not_delivered, 44);
}

INSTANTIATE_TEST_SUITE_P(zones, time_zone_test, ::testing::ValuesIn(zones()), [](const auto& info) {
  std::string name;
  for (char c : info.param) name += (std::isalnum(static_cast<unsigned char>(c)) ? c : '_');
  return name;
});

#ifndef _WIN32
// The zones above really do change the clock here; otherwise the tests prove little.
TEST(time_zone, test_zones_have_short_days) {
  const tz_guard zone("Europe/London");
  std::tm a{};
  a.tm_year = 97;
  a.tm_mon = 2;
  a.tm_mday = 30;
  a.tm_isdst = -1;
  std::tm b = a;
  b.tm_mday = 31;
  EXPECT_EQ(std::difftime(std::mktime(&b), std::mktime(&a)), 23 * 3600.0);
}
#endif
