// One night's record: file image, label, time line and cue counts.
#include "model/data_record.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "model/date_stamp.h"
#include "model/little_endian.h"

namespace {

constexpr int reference_year = 1997, reference_month = 5, reference_day = 22;
constexpr int64_t seconds_per_day = 86400;
constexpr int64_t record_window_seconds = int64_t{bins_per_record} * seconds_per_bin;  // 640 minutes

int64_t reference_time(int32_t hour, int32_t minute) {
  // Hours and minutes roll over from the reference day's midnight as the calendar would.
  static const int64_t midnight = to_seconds({reference_year, reference_month, reference_day, 0, 0, 0});
  return midnight + int64_t{hour} * 3600 + int64_t{minute} * 60;
}

// Moves a time of day by one day when that brings it into the record's window.
int64_t shift_into_window(int64_t t, int64_t start, int64_t end) {
  if (t < start && t + seconds_per_day >= start && t + seconds_per_day <= end) return t + seconds_per_day;
  if (t > end && t - seconds_per_day >= start && t - seconds_per_day <= end) return t - seconds_per_day;
  return t;
}

// "%02d/%02d/%02d  %d:%02d" or "??/??/??  %d:%02d"; the text of the label before the duration.
std::string start_text(const record_times& t) {
  char text[96];
  if (t.date_known) {
    std::snprintf(text, sizeof text, "%02d/%02d/%02d  %d:%02d", t.month, t.day, t.year % 100, t.start_hour,
                  t.start_minute);
  } else {
    std::snprintf(text, sizeof text, "?\?/?\?/?\?  %d:%02d", t.start_hour, t.start_minute);
  }
  return text;
}

}  // namespace

time_line make_time_line(const device_block& block) {
  time_line line;
  line.record_start = reference_time(block.recstarth, block.recstartm);
  line.record_window_end = line.record_start + record_window_seconds;
  line.cue_start =
      shift_into_window(reference_time(block.cstarth, block.cstartm), line.record_start, line.record_window_end);
  line.cue_end = shift_into_window(reference_time(block.cendh, block.cendm), line.record_start, line.record_window_end);
  return line;
}

bool block_rem_bit(const device_block& block, int bin) {
  if (bin < 0 || bin >= bins_per_record) return false;
  return (block.rem[bin / 8] >> (bin % 8)) & 1;
}

bool bin_in_cue_period(const time_line& line, int bin) {
  const int64_t s = line.record_start + int64_t{seconds_per_bin} * bin;
  if (line.cue_end >= line.cue_start) return line.cue_start < s + seconds_per_bin && line.cue_end > s;
  return line.cue_start < s + seconds_per_bin || line.cue_end > s;  // the period wraps past midnight
}

cue_counts count_block_cues(const device_block& block) {
  const time_line line = make_time_line(block);
  cue_counts counts;
  const int bins = std::clamp<int32_t>(block.dur, 0, bins_per_record);
  for (int i = 0; i < bins; ++i) {
    if (!block_rem_bit(block, i)) continue;
    if (bin_in_cue_period(line, i)) {
      ++counts.cues;
    } else {
      ++counts.not_delivered;
    }
  }
  return counts;
}

record_times compute_record_times(const device_block& block) {
  record_times t;
  t.start_hour = block.recstarth;
  t.start_minute = block.recstartm;
  t.minutes = int64_t{block.dur} * 5;
  t.date_known = block.smoded < 7 && block.tstamp != 0;
  if (t.date_known) {
    // Calendar arithmetic only: summer time neither moves the date nor the span.
    const date_stamp stamp = unpack_date(block.tstamp);
    const int64_t day_start = to_seconds({stamp.year, stamp.month, stamp.day + block.smoded, 0, 0, 0});
    const civil_time start_date = from_seconds(day_start);
    t.year = start_date.year;
    t.month = start_date.month;
    t.day = start_date.day;
    const int64_t end = day_start + int64_t{block.recstarth} * 3600 + int64_t{block.recstartm} * 60 + t.minutes * 60;
    const civil_time end_time = from_seconds(end);
    t.end_year = end_time.year;
    t.end_month = end_time.month;
    t.end_day = end_time.day;
    t.end_hour = end_time.hour;
    t.end_minute = end_time.minute;
  } else {
    int64_t minute_of_day = (int64_t{block.recstarth} * 60 + block.recstartm + t.minutes) % 1440;
    if (minute_of_day < 0) minute_of_day += 1440;
    t.end_hour = static_cast<int>(minute_of_day / 60);
    t.end_minute = static_cast<int>(minute_of_day % 60);
  }
  return t;
}

std::string record_label(const device_block& block) {
  const record_times t = compute_record_times(block);
  return start_text(t) + "  " + std::to_string(t.minutes) + " minutes";
}

std::string record_list_line(int position, const device_block& block) {
  return "#" + std::to_string(position + 1) + ":  " + record_label(block);
}

int32_t stored_comment_length(const std::string& comment) {
  if (comment.empty()) return 0;
  return static_cast<int32_t>(std::min<std::size_t>(comment.size() + 1, std::numeric_limits<int32_t>::max()));
}
