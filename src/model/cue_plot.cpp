// Cue sums over chosen nights and the marks of the plot's count axis.
#include "model/cue_plot.h"

#include <algorithm>
#include <bit>

const char* const series_names[series_total] = {"Cues", "Cues ND", "Combined"};

void add_night_cues(const device_block& block, plot_sums& sums) {
  const int bins = std::clamp<int32_t>(block.dur, 0, bins_per_record);
  if (bins == 0) return;
  const time_line line = make_time_line(block);
  // Only the set REM bits cost anything: most bins of a night hold none.
  for (int byte = 0; byte * 8 < bins; ++byte) {
    for (unsigned bits = block.rem[byte]; bits != 0; bits &= bits - 1) {
      const int bin = byte * 8 + std::countr_zero(bits);
      if (bin >= bins) break;
      ++(bin_in_cue_period(line, bin) ? sums.cues : sums.not_delivered)[bin];
    }
  }
}

plot_sums sum_cues(const record_list& records, const std::vector<int>& positions, const series_choice& choice) {
  plot_sums sums;
  for (const int position : positions) {
    if (position < 0 || static_cast<std::size_t>(position) >= records.size()) continue;
    add_night_cues(records[static_cast<std::size_t>(position)].block, sums);
    ++sums.record_count;
  }
  for (int i = 0; i < plot_sums::bins; ++i) sums.combined[i] = sums.cues[i] + sums.not_delivered[i];
  sums.max = shown_max(sums, choice);
  return sums;
}

int32_t shown_max(const plot_sums& sums, const series_choice& choice) {
  int32_t max = 0;
  for (int s = 0; s < series_total; ++s) {
    if (!choice.show[s]) continue;
    const int32_t* values = series_values(sums, s);
    max = std::max(max, *std::max_element(values, values + plot_sums::bins));
  }
  return max;
}

const int32_t* series_values(const plot_sums& sums, int series) {
  return series == cues_series ? sums.cues : series == not_delivered_series ? sums.not_delivered : sums.combined;
}

namespace {

// The labels' step for the spacing: 1 while every value may be labelled, else the smallest of
// 10, 20, 50, 100, ... (never finer than the rule's) whose labels stand `spacing` rows apart.
int64_t label_step(int64_t max, int64_t rows, int64_t spacing) {
  const int64_t fine = max <= 10 ? 1 : max <= 50 ? 5 : 10;
  if (spacing <= 0 || rows <= 0 || fine * rows >= spacing * max) return 1;
  for (int64_t decade = 10;; decade *= 10) {
    for (const int64_t step : {decade, 2 * decade, 5 * decade}) {
      if (step * rows >= spacing * max || step >= max) return step;
    }
  }
}

}  // namespace

std::vector<count_mark> count_axis_marks(int32_t max, int32_t height, int32_t label_spacing) {
  std::vector<count_mark> marks;
  if (max < 0) return marks;
  if (max == 0) {
    count_mark zero;
    zero.tens = true;
    zero.label = 0;
    marks.push_back(zero);
    return marks;
  }
  // The values on row k (rise k, or -k for a negative height) are those v with
  // floor(v * rows / max) = k: from ceil(k * max / rows) to the next row's first value - 1.
  const int64_t m = max, rows = height < 0 ? -int64_t{height} : height;
  const int64_t step = label_step(m, rows, label_spacing);
  auto first = [&](int64_t k) { return rows == 0 ? (k == 0 ? 0 : m + 1) : (k * m + rows - 1) / rows; };
  for (int64_t k = 0;; ++k) {
    const int64_t low = first(k), high = std::min(first(k + 1) - 1, m);
    if (low > m) break;
    if (high < low) continue;  // more rows than values: none lands here
    int64_t tens = high - high % 10, fives = high - high % 5, other = high % 5 == 0 ? high - 1 : high;
    if (fives % 10 == 0) fives -= 5;
    count_mark mark;
    mark.rise = static_cast<int32_t>(height < 0 ? -k : k);
    mark.tens = tens >= low;
    mark.fives = fives >= low;
    mark.others = other >= low;
    int64_t label = mark.tens ? tens : -1;
    if (mark.fives && max <= 50) label = std::max(label, fives);
    if (mark.others && max <= 10) label = std::max(label, other);
    if (step > 1) label = high - high % step >= low ? high - high % step : -1;  // crowded: every step only
    mark.label = static_cast<int32_t>(label);
    marks.push_back(mark);
  }
  return marks;
}
