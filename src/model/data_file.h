// The byte image of a data document (".sl1"): header tags, the data window's section with its
// records, the plot window's section with its sums; read with every check, written byte for byte.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "model/byte_stream.h"
#include "model/data_record.h"
#include "model/device_block.h"
#include "model/window_rect.h"

using record_list = std::vector<data_record>;

// What the data window keeps besides its records: the working copy of the shown record.
struct data_window_state {
  device_block working_block{};
  int32_t counts[journal_count_total] = {};
  int32_t no_record = 1;
};

// The plot window's sums over the plotted records, bin by bin.
struct plot_sums {
  static constexpr int bins = bins_per_record;
  int32_t visible = 0;
  int32_t record_count = 0;
  int32_t max = 0;
  int32_t cues[bins] = {};
  int32_t not_delivered[bins] = {};
  int32_t combined[bins] = {};  // not stored: always cues + not delivered
};

constexpr int64_t plot_section_size = 16 + 3 * 4 + 2 * 4 * plot_sums::bins;  // 1052

bool read_window_rect(byte_reader& in, window_rect& rect);
void write_window_rect(byte_writer& out, const window_rect& rect);

// The data window's section after its rectangle: working block, counts, no-record flag,
// record count, records. A negative count, or one that the bytes left cannot hold, fails
// before anything is allocated for it, as does each comment length. All or nothing: false at
// the first short or impossible read with `state` and `records` left as they were.
bool read_data_window_body(byte_reader& in, data_window_state& state, record_list& records);
// False, with the section cut short, when a count or comment exceeds what the file can state.
bool write_data_window_body(byte_writer& out, const data_window_state& state, const record_list& records);

// The plot window's section after its rectangle: visible flag, record count, max and the two
// stored series; combined is recomputed. False at the first short read, sums untouched.
bool read_plot_body(byte_reader& in, plot_sums& sums);
void write_plot_body(byte_writer& out, const plot_sums& sums);

struct data_file_image {
  window_rect data_rect;
  data_window_state data;
  record_list records;
  window_rect plot_rect;
  plot_sums plot;
};

// 1, or the code of the first part that failed: -1 ... -6 the header tags, -7 the data
// window's section, -8 the plot window's section. On failure `image` is left as it was.
int read_data_file(byte_reader& in, data_file_image& image);
// False when a count or comment exceeds what the file can state; the bytes then written stop short.
bool write_data_file(byte_writer& out, const data_file_image& image);

// Where a new document's windows stand: created at (100, 25) and (200, 100) with the sizes
// 552 x 265 and 500 x 325, as GetWindowRect gives them back.
constexpr window_rect data_window_first_rect{100, 25, 652, 290};
constexpr window_rect plot_window_first_rect{200, 100, 700, 425};

// The image a new document saves: both windows where they first open, the reset block with
// no record shown, no records and no plot.
data_file_image new_data_file_image();

// What the windows hold right after reading a file, and so save again: the Data window shows
// the last record (its block and counts), or the reset block and zero counts when there is
// none, with the no-record flag as stored; the plot window is visible (1) or not (0).
void take_as_opened(data_file_image& image);
