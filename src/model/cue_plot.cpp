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
    if (choice.show[s] != 1) continue;
    const int32_t* values = series_values(sums, s);
    max = std::max(max, *std::max_element(values, values + plot_sums::bins));
  }
  return max;
}

const int32_t* series_values(const plot_sums& sums, int series) {
  return series == cues_series ? sums.cues : series == not_delivered_series ? sums.not_delivered : sums.combined;
}

std::vector<count_mark> count_axis_marks(int32_t max, int32_t height) {
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
    mark.label = static_cast<int32_t>(label);
    marks.push_back(mark);
  }
  return marks;
}
