// The Data window: the help line, the cue plot, the record browser and counts typed between downloads.
#include "../exchange/sample_nights.h"
#include "datawin/record_browser_type.h"
#include "test_app.h"

namespace {

class data_window : public started_app {
 protected:
  data_win_type& w() const { return *data_win(); }
  int dreams_of(int record) const { return model().image.records[static_cast<std::size_t>(record)].counts[dreams]; }
  sim_engine engine{make_night(7, {2024, 3, 30, 7, 0, 0})};
};

TEST_F(data_window, each_count_shows_its_own_help) {
  const std::pair<const char*, const char*> fields[] = {
      {"DREAMS:", "dreams recalled"},   {"LUCID DREAMS:", "lucid dreams recalled"},
      {"RTLDs:", "Reality Test"},       {"QLDs:", "Cued"},
      {"WILDs:", "Wake Initiated"},     {"DREAM CUES:", "Seen in Dreams"},
      {"CUE AWAKENINGS:", "Awakenings"}};
  for (const auto& [label, help] : fields) {
    int index = -1;
    for (int i = 0; i < w().widgets.count(); ++i)
      if (w().widgets.get(i)->text == label) index = i;
    ASSERT_GE(index, 0) << label;
    w().widgets.set_focus_index(index);
    EXPECT_NE(w().help->help_text.find(help), std::string::npos) << label << ": " << w().help->help_text;
  }
}

TEST_F(data_window, cue_bracket_spans_the_columns_of_the_cue_period_and_a_long_night_fills_the_plot) {
  for (const device_block& night : {dated_night(), long_night()}) {
    model().append_night(night);
    long x0 = LONG_MAX, x128 = 0, top = LONG_MAX, x1, y1, x2, y2;  // the axis; the bracket's upper edge
    std::vector<std::pair<long, long>> bracket;
    const auto items = record_drawing([&](HDC hdc) { w().widgets.get(0)->draw(hdc); });
    for (const drawn_item& item : items) {
      if (!line_of(item, x1, y1, x2, y2) || y1 != y2) continue;
      if (item.pen != gray && x2 - x1 > x128 - x0) x0 = x1, x128 = x2;
      if (item.pen == gray && y1 < top) top = y1, bracket.clear();
      if (item.pen == gray && y1 == top) bracket.push_back(std::minmax(x1, x2));
    }
    const long column = (x128 - x0) / bins_per_record;
    for (int bin = 0; bin < bins_per_record; ++bin) {
      const long left = x0 + column * bin, right = left + column;
      bool covered = false;
      for (const auto& [from, to] : bracket) covered |= left < to && right > from;
      EXPECT_EQ(covered, bin_in_cue_period(make_time_line(night), bin)) << night.dur << " bin " << bin;
    }
    const strings texts = texts_of(items);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "full!"), night.dur > bins_per_record) << night.dur;
  }
}

TEST_F(data_window, browser_line_and_buttons_follow_the_records) {
  const struct {
    int records, current;
    const char* line;
    std::vector<COLORREF> buttons;  // Show, Delete, Plot: gray when they cannot act
  } rows[] = {{0, -1, "No data records", {gray, gray, gray}},
              {1, 0, "Record 1 out of 1", {gray, 0, 0}},
              {3, 1, "Record 2 out of 3", {0, 0, 0}},
              {3, 0, "Record 1 out of 3", {0, 0, 0}}};
  for (const auto& row : rows) {
    add_records(row.records - model().count());
    model().switch_to(row.current);
    std::vector<COLORREF> buttons;
    std::string line;
    for (const drawn_item& item : record_drawing([&](HDC hdc) { w().browser->draw(hdc); })) {
      if (item.shape.rfind("round", 0) == 0) buttons.push_back(item.pen);
      if (item.shape.rfind("text Record", 0) == 0 || item.shape.rfind("text No", 0) == 0)
        line = item.shape.substr(5, item.shape.rfind(' ') - 5);
    }
    EXPECT_EQ(line, row.line);
    EXPECT_EQ(buttons, row.buttons) << row.line;
  }
}

TEST_F(data_window, typed_counts_start_afresh_on_every_night) {
  use_fake_port(&engine);
  const std::pair<std::function<void()>, const char*> steps[] = {
      {[&] { command(w().window, IDM_GET_DATA); }, "1"},  // DREAMS has the focus
      {[&] { command(w().window, IDM_GET_DATA); }, "2"},
      {[&] { add_records(); }, "3"},
      {[&] { model().switch_to(0); }, "4"},
      {[&] { key_down(w().window, VK_RIGHT); }, "5"}};
  for (const auto& [show_another, digit] : steps) {
    show_another();
    type_chars(w().window, digit);
  }
  model().store();
  EXPECT_EQ(text_of("%d %d %d", dreams_of(0), dreams_of(1), dreams_of(2)), "4 5 3");
}

}  // namespace
