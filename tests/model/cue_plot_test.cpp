// Cue sums over chosen nights, max over the shown series, and the count axis marks against the plain loop.
#include "model/cue_plot.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(cue_plot, sums_skip_missing_positions_and_max_follows_the_shown_series_only) {
  record_list records;
  for (const auto& [bins_8_to_15, bins_88_to_95] : {std::pair<uint8_t, uint8_t>{0x0C, 0x44}, {0x18, 0x40}}) {
    // 23:00, 94 bins, cue period 22:00-06:00 (bins 0-83): bin 90 is not delivered, 94 and 100 lie at or beyond DUR
    records.emplace_back();
    device_block& b = records.back().block;
    b.recstarth = 23, b.dur = 94, b.cstarth = 22, b.cstartm = 0, b.cendh = 6, b.cendm = 0;
    b.rem[1] = bins_8_to_15, b.rem[11] = bins_88_to_95, b.rem[12] = 0x10;
  }
  for (const auto& [choice, max] : {std::pair<series_choice, int>{{}, 2}, {{{0, 1, 0}}, 1}, {{{0, 0, 0}}, 0}}) {
    const plot_sums sums = sum_cues(records, {1, 0, 2, -1}, choice);  // 2 and -1 are no records
    std::string bins;
    for (int i : {10, 11, 12, 90, 94, 100})
      bins +=
          std::to_string(sums.cues[i]) + std::to_string(sums.not_delivered[i]) + std::to_string(sums.combined[i]) + " ";
    EXPECT_EQ(std::to_string(sums.record_count) + " " + std::to_string(sums.max) + " " + bins,
              "2 " + std::to_string(max) + " 101 202 101 011 000 000 ");
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
  // clang-format off
  for (const auto& [max, height] : {std::pair{0, 100}, {-3, 100}, {10, 100}, {50, 100}, {51, 100}, {57, 20},
                                    {1000, 99}, {12345, 7}, {99, 0}, {40, -30}, {7, 3}})
    // clang-format on
    EXPECT_EQ(text_of(count_axis_marks(max, height)), text_of(plain_marks(max, height))) << max << " over " << height;
  EXPECT_EQ(count_axis_marks(INT32_MAX, 500).size(), 501u);  // a hostile max costs one mark a row
}

TEST(cue_plot, crowded_count_labels_keep_their_spacing_at_round_steps) {
  // clang-format off
  for (const auto& [max, height, step] : {std::tuple{10, 240, 1}, {60, 240, 10}, {1000, 240, 50},
                                          {99999, 240, 5000}, {99999, 60, 20000}, {INT32_MAX, 240, 200000000}}) {
    // clang-format on
    std::vector<int32_t> rises, labels;
    for (const count_mark& mark : count_axis_marks(max, height, 12))
      if (mark.label >= 0) rises.push_back(mark.rise), labels.push_back(mark.label);
    ASSERT_GE(labels.size(), 2u) << max;
    for (std::size_t i = 0; i < labels.size(); ++i) {
      EXPECT_EQ(labels[i] % step, 0) << max << ": " << labels[i];
      if (i > 0) {
        EXPECT_GE(rises[i] - rises[i - 1], 12) << max << ": " << labels[i];
      }
    }
  }
}

}  // namespace
