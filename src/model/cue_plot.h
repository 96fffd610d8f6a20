// Cues per bin summed over chosen nights, the plot's vertical scale and the marks of its count axis.
#pragma once

#include <cstdint>
#include <vector>

#include "model/data_file.h"

// The plot's three series, in drawing and legend order.
enum plot_series { cues_series, not_delivered_series, combined_series, series_total };

// Which series the plot shows and in which colour: the choices of the Plot Records dialog.
struct series_choice {
  bool show[series_total] = {true, true, true};   // drawn and counted in max
  bool gray[series_total] = {false, true, false};  // drawn gray, else black
};

// The names of the series in the legend: "Cues", "Cues ND", "Combined".
extern const char* const series_names[series_total];

// Adds one night: every bin below DUR (at most 128) whose REM bit is set adds 1 to cues when it
// lies in the night's cue period, else to not delivered. Combined is left for the caller.
void add_night_cues(const device_block& block, plot_sums& sums);

// The plot of the records at the given positions, in the given order: cues and not delivered
// summed, combined their sum, record count the number of records summed, max over the shown
// series. Positions outside the list are passed over. The visible flag stays 0.
plot_sums sum_cues(const record_list& records, const std::vector<int>& positions, const series_choice& choice);

// Largest bin value of the shown series; 0 when none is shown or all are 0 or below.
int32_t shown_max(const plot_sums& sums, const series_choice& choice);

// The 128 values of one series.
const int32_t* series_values(const plot_sums& sums, int series);

// One row of the count axis with the ticks and the label drawn there. The values 0 ... max lie
// at rise = (v * height) / max pixels above the axis' foot (all at 0 when max is 0).
struct count_mark {
  int32_t rise = 0;
  bool tens = false;    // a multiple of 10: the long tick in the 2-pixel pen
  bool fives = false;   // another multiple of 5: the long tick in the 1-pixel pen
  bool others = false;  // any other value: the short tick
  int32_t label = -1;   // the value written beside the row; -1 for none
};

// The marks of the values 0 ... max, from the foot up: every multiple of 10 is labelled, the
// other multiples of 5 while max is 50 or less, the rest while max is 10 or less. When more
// values than rows share a row, the row is drawn once with the largest of its labels, which is
// at least as wide as the others and would cover them; so a large max costs no more than the
// height of the window. Nothing for a negative max.
// With a label spacing, labels stand at least that many rows apart: when the rule above would
// crowd them, only multiples of the smallest of 10, 20, 50, 100, 200, ... that keeps them apart are
// labelled (the ticks stay as they are).
std::vector<count_mark> count_axis_marks(int32_t max, int32_t height, int32_t label_spacing = 0);
