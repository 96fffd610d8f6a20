// Cue sums over chosen nights, max over the shown series, and the count axis marks against the plain loop.
#include "model/cue_plot.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// 23:00 for `dur` bins, cue period 22:00-06:00 (bins 0-83), REM in the given bins.
std::unique_ptr<data_record> night(int dur, std::initializer_list<int> rem) {
  device_block b;
  reset_block(b);
  b.recstarth = 23, b.dur = dur, b.cstarth = 22, b.cstartm = 0, b.cendh = 6, b.cendm = 0;
  for (int bin : rem) b.rem[bin / 8] |= static_cast<uint8_t>(1 << (bin % 8));
  return std::make_unique<data_record>(b);
}

TEST(cue_plot, sums_count_each_night_once_per_bin_and_max_follows_the_shown_series) {
  record_list records;
  records.push_back(night(96, {10, 11, 100}));  // 100 lies beyond DUR
  records.push_back(night(200, {11, 90, 127}));  // 90 and 127 after 06:00: not delivered
  records.push_back(night(0, {5}));
  const plot_sums one = sum_cues(records, {0}, {});
  EXPECT_EQ(std::to_string(one.record_count) + " " + std::to_string(one.max) + " " + std::to_string(one.cues[10]) +
                std::to_string(one.cues[11]) + std::to_string(one.cues[100]),
            "1 1 110");
  const struct {
    series_choice choice;
    int max;
  } rows[] = {{{}, 2}, {{{1, 0, 0}}, 2}, {{{0, 1, 0}}, 1}, {{{0, 0, 1}}, 2}, {{{0, 0, 0}}, 0}};
  for (const auto& row : rows) {
    const plot_sums sums = sum_cues(records, {2, 0, 1, 7, -1}, row.choice);  // 7 and -1 are no records
    EXPECT_EQ(sums.max, row.max);
    EXPECT_EQ(sums.record_count, 3);
    std::string bins;
    for (int i : {10, 11, 90, 127}) bins += std::to_string(sums.cues[i]) + std::to_string(sums.not_delivered[i]) +
                                           std::to_string(sums.combined[i]) + " ";
    EXPECT_EQ(bins, "101 202 011 011 ");
  }
}

std::string text_of(const std::vector<count_mark>& marks) {
  std::string out;
  for (const count_mark& m : marks)
    out += std::to_string(m.rise) + (m.tens ? "T" : "") + (m.fives ? "F" : "") + (m.others ? "O" : "") +
           std::to_string(m.label) + " ";
  return out;
}

// The marks as drawing every value 0 ... max in turn gives them, rows merged the same way.
std::vector<count_mark> plain_marks(int32_t max, int32_t height) {
  std::vector<count_mark> marks;
  for (int64_t v = 0; v <= max; ++v) {
    const auto rise = static_cast<int32_t>(max < 1 ? 0 : v * height / max);
    if (marks.empty() || marks.back().rise != rise) marks.push_back({rise});
    count_mark& m = marks.back();
    (v % 10 == 0 ? m.tens : v % 5 == 0 ? m.fives : m.others) = true;
    if (v % 10 == 0 || (v % 5 == 0 && max <= 50) || max <= 10) m.label = static_cast<int32_t>(v);
  }
  return marks;
}

TEST(cue_plot, count_axis_marks_are_those_of_the_plain_loop_with_shared_rows_drawn_once) {
  for (const auto& [max, height] : {std::pair{0, 100}, {-3, 100}, {10, 100}, {50, 100}, {51, 100}, {57, 20},
                                    {1000, 99}, {12345, 7}, {99, 0}, {40, -30}, {7, 3}})
    EXPECT_EQ(text_of(count_axis_marks(max, height)), text_of(plain_marks(max, height))) << max << " over " << height;
  EXPECT_EQ(count_axis_marks(INT32_MAX, 500).size(), 501u);  // a hostile max costs one mark a row
}

}  // namespace
