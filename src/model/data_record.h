// One night: a device block, the seven dream-journal counts and a comment.
#pragma once

#include <cstdint>
#include <string>

#include "model/device_block.h"

// The seven journal counts, in file and export order.
enum journal_count { dreams, ldreams, rtlds, qlds, wilds, dcues, cawakes, journal_count_total };

struct cue_counts {
  int cues = 0;           // REM bins inside the cue period
  int not_delivered = 0;  // REM bins outside it
};

// The four derived times of a night, in seconds on one calendar day (22 May 1997)
// without a time zone, so that only times of day and differences matter.
struct time_line {
  int64_t record_start = 0;
  int64_t record_window_end = 0;  // record start + 640 minutes
  int64_t cue_start = 0;
  int64_t cue_end = 0;
};

// The same computations on a bare block, for views that hold a block, not a record.
time_line make_time_line(const device_block& block);
bool block_rem_bit(const device_block& block, int bin);  // false outside 0-127
bool bin_in_cue_period(const time_line& line, int bin);
cue_counts count_block_cues(const device_block& block);

// One night: the downloaded block, the journal counts the user typed and the comment.
struct data_record {
  device_block block = reset_device_block();
  int32_t counts[journal_count_total] = {};
  std::string comment;  // no embedded NUL
};

// A new night of the given block: no journal counts, no comment.
inline data_record new_record(const device_block& block) { return {block, {}, {}}; }

// Bytes of a stored record without a comment: block, seven counts, comment length.
constexpr int64_t record_fixed_size = device_block_size + 4 * journal_count_total + 4;
// Comment length as stored in files: bytes including the NUL, 0 for none.
int32_t stored_comment_length(const std::string& comment);

// Record date and times, shared by the label, the record view and the reports.
struct record_times {
  bool date_known = false;
  int year = 0, month = 0, day = 0;  // start date, when known
  int start_hour = 0, start_minute = 0;
  int end_year = 0, end_month = 0, end_day = 0;  // end date, when known
  int end_hour = 0, end_minute = 0;
  int64_t minutes = 0;  // DUR x 5
};
record_times compute_record_times(const device_block& block);
std::string record_label(const device_block& block);
// A line of the record lists in the Show, Plot and Export dialogs: "#%d:  " with the 0-based
// list position shown from 1, then the record's label.
std::string record_list_line(int position, const device_block& block);
