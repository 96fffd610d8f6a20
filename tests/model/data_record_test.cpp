// Records: labels, dates and ends under summer-time zones, the time line, cue counts.
#include "model/data_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <tuple>
#include <vector>

#include "model/date_stamp.h"

namespace {

// Local time zone for the tests below; null goes back to the system's.
void use_zone(const char* zone) {
#ifdef _WIN32
  _putenv(("TZ=" + std::string(zone ? zone : "")).c_str());
  _tzset();
#else
  zone ? setenv("TZ", zone, 1) : unsetenv("TZ");
  tzset();
#endif
}

// Summer time starts or ends on 30 March 1997 in Europe, 6 April in America and 26 October
// in all three. The rules are spelled out, so no zone database is needed.
const char* const zones[] = {"GMT0BST,M3.5.0/1,M10.5.0", "EST5EDT,M4.1.0,M10.5.0", "AEST-10AEDT,M10.5.0,M3.5.0/3"};

device_block night(int start_hour, int start_minute, int dur, uint32_t tstamp = 0, int smoded = 0) {
  device_block b;
  reset_block(b);
  b.recstarth = start_hour, b.recstartm = start_minute, b.dur = dur, b.tstamp = tstamp, b.smoded = smoded;
  return b;
}

device_block with_cue_period(device_block b, int start, int end) {  // hhmm
  b.cstarth = start / 100, b.cstartm = start % 100, b.cendh = end / 100, b.cendm = end % 100;
  return b;
}

std::string end_text(const record_times& t) {
  char text[64];  // the date is 0000-00-00 when unknown
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.end_year, t.end_month, t.end_day, t.end_hour,
                t.end_minute);
  return text;
}

}  // namespace

TEST(data_record, label_date_and_end_do_not_move_with_summer_time) {
  struct dated_case {
    int year, month, day, smoded, hour, minute, dur;  // year 0: no date stamp
    const char* label;
    const char* end;
  } const cases[] = {
      {1997, 5, 22, 1, 1, 5, 96, "05/23/97  1:05  480 minutes", "1997-05-23 09:05"},
      {1997, 12, 30, 6, 23, 45, 128, "01/05/98  23:45  640 minutes", "1998-01-06 10:25"},
      {1996, 2, 27, 2, 0, 0, 1, "02/29/96  0:00  5 minutes", "1996-02-29 00:05"},
      {1998, 1, 1, -1, 0, 0, 1, "12/31/97  0:00  5 minutes", "1997-12-31 00:05"},  // the counter is signed
      {1997, 3, 29, 1, 0, 30, 128, "03/30/97  0:30  640 minutes", "1997-03-30 11:10"},
      {1997, 10, 20, 6, 0, 0, 128, "10/26/97  0:00  640 minutes", "1997-10-26 10:40"},
      {0, 0, 0, 0, 1, 5, 96, "?\?/?\?/?\?  1:05  480 minutes", "0000-00-00 09:05"},
      {0, 0, 0, 0, INT32_MAX, INT32_MAX, INT32_MIN, "?\?/?\?/?\?  2147483647:2147483647  -10737418240 minutes",
       "0000-00-00 22:27"},
  };
  for (const char* zone : zones) {
    use_zone(zone);
    for (const dated_case& c : cases) {
      const uint32_t stamp = c.year ? pack_date(c.year, c.month, c.day, 21, 15, 1) : 0;
      const device_block b = night(c.hour, c.minute, c.dur, stamp, c.smoded);
      EXPECT_EQ(record_label(b), c.label) << zone;
      EXPECT_EQ(end_text(compute_record_times(b)), c.end) << zone << " " << c.label;
    }
  }
  use_zone(nullptr);
}

TEST(data_record, time_line_spans_640_minutes_and_places_the_cue_period) {
  struct line_case {
    int start, cue_start, cue_end;  // hhmm
    int first_in, end_in;           // bins [first, end) are in the cue period, the others not
  };
  std::vector<line_case> cases = {
      {2300, 2200, 600, 0, 84},    // wraps midnight: the start stays before the record, the end moves a day on
      {2300, 102, 202, 24, 37},    // after midnight: the whole period moves; partly covered bins count
      {100, 100, 200, 0, 12},      // ending exactly where a bin starts leaves that bin out
      {2300, 1200, 1300, 0, 0},    // outside the night
      {2300, 1200, 1159, 0, 128},  // the reset period covers every night
      {30, 2500, 2600, 6, 18},     // hours past 23 come back a day when that brings them into the night
  };
  // An hour before the start to six hours after it, across midnight for some starts.
  for (int h = 0; h < 24; ++h)
    cases.push_back({h * 100 + 30, (h + 23) % 24 * 100 + 30, (h + 6) % 24 * 100 + 30, 0, 72});
  for (const char* zone : zones) {
    use_zone(zone);
    for (const line_case& c : cases) {
      const time_line r =
          make_time_line(with_cue_period(night(c.start / 100, c.start % 100, 128), c.cue_start, c.cue_end));
      EXPECT_EQ(r.record_window_end - r.record_start, 640 * 60) << zone;
      for (int bin = 0; bin < 128; ++bin) {
        EXPECT_EQ(bin_in_cue_period(r, bin), bin >= c.first_in && bin < c.end_in)
            << zone << " start " << c.start << " cue " << c.cue_start << " bin " << bin;
      }
    }
  }
  use_zone(nullptr);
}

TEST(data_record, cue_counts_split_rem_bins_by_the_cue_period_within_the_duration) {
  data_record r = new_record(with_cue_period(night(23, 0, 0), 2200, 600));
  std::fill(std::begin(r.block.rem), std::end(r.block.rem), 0xFF);
  for (auto [dur, first_byte, cues, not_delivered] :
       {std::tuple{128, 0xFF, 84, 44}, {90, 0x00, 76, 6}, {INT32_MAX, 0xFF, 84, 44}, {-5, 0xFF, 0, 0}}) {
    r.block.dur = dur;
    r.block.rem[0] = static_cast<uint8_t>(first_byte);
    const cue_counts counts = count_block_cues(r.block);
    EXPECT_EQ(std::pair(counts.cues, counts.not_delivered), std::pair(cues, not_delivered)) << dur;
  }
}
