// Cue sums over chosen nights, max over the shown series, and the count axis marks against the plain loop.
#include "model/cue_plot.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "count max" and "bin:cues/not delivered" of some bins; "!" where combined is not their sum.
std::string text_of(const plot_sums& sums) {
  std::string out = std::to_string(sums.record_count) + " " + std::to_string(sums.max);
  for (int i : {2, 10, 11, 12, 90, 100})
    out += " " + std::to_string(i) + ":" + std::to_string(sums.cues[i]) + "/" + std::to_string(sums.not_delivered[i]) +
           (sums.combined[i] == sums.cues[i] + sums.not_delivered[i] ? "" : "!");
  return out;
}

TEST(cue_plot, sums_skip_missing_positions_and_max_follows_the_shown_series_only) {
  record_list records;
  for (const auto& [bins_8_to_15, bins_88_to_95] : {std::pair{0x0C, 4}, {0x0C, 0}, {0x18, 0}}) {
    records.push_back(std::make_unique<data_record>());  // 23:00, 96 bins, cue period 22:00-06:00 (bins 0-83)
    device_block& b = records.back()->block;
    b.recstarth = 23, b.dur = 96, b.cstarth = 22, b.cstartm = 0, b.cendh = 6, b.cendm = 0;
    b.rem[0] = 4, b.rem[1] = static_cast<uint8_t>(bins_8_to_15), b.rem[11] = static_cast<uint8_t>(bins_88_to_95);
    b.rem[12] = 0x10;  // bin 100, beyond DUR
  }
  const std::pair<series_choice, const char*> rows[] = {
      {{}, "3 3"}, {{{0, 1, 0}}, "3 1"}, {{{0, 0, 1}}, "3 3"}, {{{0, 0, 0}}, "3 0"}};
  for (const auto& [choice, counts] : rows)  // 3 and -1 are no records
    EXPECT_EQ(text_of(sum_cues(records, {2, 0, 1, 3, -1}, choice)),
              counts + std::string(" 2:3/0 10:2/0 11:3/0 12:1/0 90:0/1 100:0/0"));
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
