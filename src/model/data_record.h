// One night: a device block, the seven dream-journal counts and a comment.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "model/device_block.h"

class data_win_type;  // the Data window holding the record list (not owned)

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

class data_record {
 public:
  data_record();
  explicit data_record(const device_block& block);
  virtual ~data_record();

  // Block to its reset values, counts to 0, comment dropped.
  virtual void reset();
  // Kept for the slot order; the comment is a std::string, so this only empties it.
  virtual void destroy();
  // Block, seven counts, comment length (with its NUL), comment bytes. A hostile
  // file (negative, huge or overlong length, short read) fails with false and no
  // giant allocation; the record is then left as it was.
  virtual bool read(std::FILE* file);
  virtual bool write(std::FILE* file) const;
  // "05/23/97  1:05  480 minutes", or "??/??/??  1:05  480 minutes" without a date.
  virtual std::string label() const;
  // Fills the four derived times on the reference day.
  virtual void compute_time_line();
  virtual bool rem_bit(int bin) const;
  // Uses the derived times as last computed by compute_time_line.
  virtual bool bin_in_cue_period(int bin) const;

  // Cue and not-delivered counts over the first min(DUR, 128) bins; computes
  // the time line afresh from the block, whatever the derived times hold.
  cue_counts count_cues() const;

  // The same read when the file is known to hold no more than bytes_left further bytes:
  // a record or comment that would need more fails before anything is allocated for it.
  // On success bytes_left is reduced by the bytes read.
  bool read_within(std::FILE* file, int64_t& bytes_left);
  // Bytes of a record without a comment: block, seven counts, comment length.
  static constexpr int64_t min_file_size = device_block_size + 4 * journal_count_total + 4;

  // Comment length as stored in files: bytes including the NUL, 0 for none.
  int32_t comment_length() const;
  // Stops at an embedded NUL, as the stored text would.
  void set_comment(const std::string& text) { comment = text.c_str(); }

  data_win_type* owner = nullptr;
  device_block block{};
  int32_t counts[journal_count_total] = {};
  std::string comment;  // no embedded NUL

  // Derived, never stored: seconds on the common time line.
  int64_t record_start = 0;
  int64_t record_window_end = 0;
  int64_t cue_start = 0;
  int64_t cue_end = 0;
};

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
