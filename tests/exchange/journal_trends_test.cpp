// Journal trends: nights and settings groups, their text, the chart's columns, labels and axes.
#include "exchange/journal_trends.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "sample_nights.h"

namespace {

// A night of the block with DREAMS, LUCID DREAMS, DREAM CUES and CUE AWAKENINGS as given.
data_record night(const device_block& block, int32_t dreams, int32_t lucid, int32_t dream_cues, int32_t awakenings) {
  data_record record = new_record(block);
  record.counts[journal_count::dreams] = dreams;
  record.counts[journal_count::ldreams] = lucid;
  record.counts[journal_count::dcues] = dream_cues;
  record.counts[journal_count::cawakes] = awakenings;
  record.counts[journal_count::rtlds] = 99;  // counts the trends do not show
  return record;
}

device_block with(device_block block, int32_t device_block::*field, int32_t value) {
  block.*field = value;
  return block;
}

// dated_night: 05/24/97, 20 cues, CDUR 10 and TYPE 7; long_night: no date, 1 cue and 1 not
// delivered, TYPE 2.
const trend_settings type7 = settings_of(dated_night()), type2 = settings_of(long_night()),
                     cdur20 = settings_of(with(dated_night(), &device_block::cdur, 20)),
                     hostile = settings_of(with(long_night(), &device_block::sens, -1));

const std::vector<data_record> document = {
    night(dated_night(), 3, 1, 2, 1),
    night(long_night(), 2, 0, 4, 2),
    night(with(dated_night(), &device_block::cdur, 20), 5, 3, 1, 0),
    night(dated_night(), 1, 0, 0, 1),
    night(long_night(), 0, 1, 0, 0),
    night(with(long_night(), &device_block::sens, -1), INT32_MIN, INT32_MIN, INT32_MAX, -1),
    night(with(long_night(), &device_block::sens, -1), INT32_MIN, INT32_MIN, INT32_MAX, -1),
};

// "position date dreams/lucid/dream cues/awakenings cues/not delivered", "*" for a change.
std::string night_line(const trend_night& n) {
  return std::to_string(n.position) + " " + n.date + " " + std::to_string(n.dreams) + "/" + std::to_string(n.lucid) +
         "/" + std::to_string(n.dream_cues) + "/" + std::to_string(n.awakenings) + " " + std::to_string(n.cues.cues) +
         "/" + std::to_string(n.cues.not_delivered) + (n.settings_changed ? " *" : "");
}

struct group_sums {
  trend_settings settings;
  int64_t nights, lucid, with_lucid, dreams, dream_cues, awakenings, cues;
  bool operator==(const group_sums&) const = default;
};

TEST(journal_trends, chosen_nights_and_their_settings_groups) {
  const int64_t big = int64_t{INT32_MIN} * 2;
  const struct {
    std::vector<int> positions;
    std::vector<std::string> nights;
    std::vector<group_sums> groups;
  } cases[] = {
      // The two groups at 0.50 keep the order in which they first appear.
      {{0, 1, 2, 3, 4},
       {"1 05/24/97 3/1/2/1 20/0", "2 ?\?/?\?/?\? 2/0/4/2 1/1 *", "3 05/24/97 5/3/1/0 20/0 *",
        "4 05/24/97 1/0/0/1 20/0 *", "5 ?\?/?\?/?\? 0/1/0/0 1/1 *"},
       {{cdur20, 1, 3, 1, 5, 1, 0, 20}, {type7, 2, 1, 1, 4, 2, 2, 40}, {type2, 2, 1, 1, 2, 4, 2, 2}}},
      // Document order, each once, positions outside the list passed over; no change between
      // chosen nights of the same settings.
      {{3, 0, 3, 99, -1}, {"1 05/24/97 3/1/2/1 20/0", "4 05/24/97 1/0/0/1 20/0"}, {{type7, 2, 1, 1, 4, 2, 2, 40}}},
      {{}, {}, {}},
      // Hostile counts are summed as they are, in 64 bits.
      {{4, 5, 6},
       {"5 ?\?/?\?/?\? 0/1/0/0 1/1", "6 ?\?/?\?/?\? -2147483648/-2147483648/2147483647/-1 1/1 *",
        "7 ?\?/?\?/?\? -2147483648/-2147483648/2147483647/-1 1/1"},
       {{type2, 1, 1, 1, 0, 0, 0, 1}, {hostile, 2, big, 0, big, int64_t{INT32_MAX} * 2, -2, 2}}},
  };
  for (const auto& c : cases) {
    const journal_trends trends = compute_trends(document, c.positions);
    std::vector<std::string> nights;
    for (const trend_night& n : trends.nights) nights.push_back(night_line(n));
    std::vector<group_sums> groups;
    for (const trend_group& g : trends.groups)
      groups.push_back(
          {g.settings, g.nights, g.lucid, g.nights_with_lucid, g.dreams, g.dream_cues, g.awakenings, g.cues});
    EXPECT_EQ(nights, c.nights) << testing::PrintToString(c.positions);
    EXPECT_TRUE(groups == c.groups) << testing::PrintToString(c.positions);
  }
  EXPECT_EQ(compute_trends(document).nights.size(), document.size()) << "every night";
}

TEST(journal_trends, text_bytes) {
  const std::string nights_header =
      "NIGHT\tDATE\tDREAMS\tLUCID\tDREAM CUES\tAWAKENINGS\tCUES\tCUES ND\tCDUR\tINTENS\tRATE\tTYPE\tDELAY\tSENS\r\n";
  const std::string groups_header =
      "CDUR\tINTENS\tRATE\tTYPE\tDELAY\tSENS\tNIGHTS\tLUCID PER NIGHT\tNIGHTS WITH LUCID\tDREAM CUES PER NIGHT\t"
      "AWAKENINGS PER NIGHT\tCUES PER NIGHT\r\n";
  EXPECT_EQ(trends_text(compute_trends(document, {0, 1, 3})),
            nights_header +
                "1\t05/24/97\t3\t1\t2\t1\t20\t0\t10\t3\t2\t7\t0\t6\r\n"
                "2\t?\?/?\?/?\?\t2\t0\t4\t2\t1\t1\t10\t3\t2\t2\t0\t6\r\n"
                "4\t05/24/97\t1\t0\t0\t1\t20\t0\t10\t3\t2\t7\t0\t6\r\n"
                "\r\n" +
                groups_header +
                "10\t3\t2\t7\t0\t6\t2\t0.50\t1\t1.00\t1.00\t20.0\r\n"
                "10\t3\t2\t2\t0\t6\t1\t0.00\t0\t4.00\t2.00\t1.0\r\n");
  EXPECT_EQ(trends_text(compute_trends({})), nights_header + "\r\n" + groups_header);
}

TEST(journal_trends, chart_columns_share_nights_when_they_do_not_fit) {
  journal_trends trends;
  for (int i = 0; i < 7; ++i) {
    trend_night n;
    n.date = "d" + std::to_string(i);
    n.lucid = i, n.dreams = 2 * i, n.cues.cues = 10;
    n.settings_changed = i == 4;
    trends.nights.push_back(n);
  }
  const struct {
    int width;
    std::vector<int> counts;    // nights per column
    std::vector<double> lucid;  // mean per column
    std::string marks;          // "*" where a column starts a change of settings
  } cases[] = {
      {21, {1, 1, 1, 1, 1, 1, 1}, {0, 1, 2, 3, 4, 5, 6}, "....*.."},  // 7 fit exactly
      {20, {2, 2, 2, 1}, {0.5, 2.5, 4.5, 6}, "..*."},                 // 6 fit: pairs, the last alone
      {0, {7}, {3}, "*"},
  };
  for (const auto& c : cases) {
    std::vector<int> counts;
    std::vector<double> lucid;
    std::string marks;
    int next = 0;
    for (const trend_column& column : chart_columns(trends, c.width)) {
      EXPECT_EQ(column.first_night, next) << c.width;
      EXPECT_EQ(column.date, trends.nights[static_cast<std::size_t>(next)].date);
      EXPECT_DOUBLE_EQ(column.dreams, 2 * column.lucid);
      EXPECT_DOUBLE_EQ(column.cues, 10);
      next += column.night_count;
      counts.push_back(column.night_count);
      lucid.push_back(column.lucid);
      marks += column.settings_changed ? '*' : '.';
    }
    EXPECT_EQ(counts, c.counts) << c.width;
    EXPECT_EQ(lucid, c.lucid) << c.width;
    EXPECT_EQ(marks, c.marks) << c.width;
  }
  EXPECT_TRUE(chart_columns(journal_trends{}, 300).empty());
}

TEST(journal_trends, date_labels_are_thinned_until_none_overlap) {
  const std::pair<int, int> cases[] = {{3, 40}, {3, 41}, {44, 40}, {43, 40}, {100, 40}, {1, 0}, {0, 40}, {7, -3}};
  for (const auto& [column, label] : cases) {
    const int step = label_step(column, label);
    const int pitch = std::max(column, 1);
    ASSERT_GE(step, 1);
    // Labels centred step columns apart leave the gap between them, and one column less would not.
    EXPECT_GE(int64_t{step} * pitch - label, trend_label_gap) << column << " " << label;
    EXPECT_TRUE(step == 1 || int64_t{step - 1} * pitch - label < trend_label_gap) << column << " " << label;
  }
  EXPECT_EQ(label_step(1, INT_MAX), INT_MAX) << "held at the largest step";
}

TEST(journal_trends, value_axes_take_the_finest_step_that_leaves_room_for_labels) {
  const struct {
    double max;
    int pixels, gap;
    int64_t top, step;
  } cases[] = {
      {4, 200, 20, 4, 1},   {37.5, 300, 18, 40, 5}, {37.5, 100, 18, 40, 10}, {40, 100, 18, 40, 10},
      {3, 10, 20, 5, 5},    {0, 200, 20, 1, 1},     {-5, 200, 20, 1, 1},     {NAN, 200, 20, 1, 1},
      {10, -5, 20, 10, 10}, {0.2, 200, 0, 1, 1},    {1e30, 100, 20, 0, 0},  // a hostile file's count: held finite
  };
  for (const auto& c : cases) {
    const trend_axis axis = value_axis(c.max, c.pixels, c.gap);
    if (c.step == 0) {
      EXPECT_TRUE(axis.top >= 4'000'000'000'000'000'000 && axis.step > 0 && axis.top % axis.step == 0) << c.max;
      continue;
    }
    EXPECT_EQ(axis.top, c.top) << c.max << " over " << c.pixels;
    EXPECT_EQ(axis.step, c.step) << c.max << " over " << c.pixels;
  }
}

}  // namespace
