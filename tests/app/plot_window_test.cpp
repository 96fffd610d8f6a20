// The Plot window: the summed nights' outlines, the time axis, the record dialogs and deleting records.
#include "test_app.h"

namespace {

class plot_window : public started_app {
 protected:
  plot_win_type& p() const { return *plot_win(); }
  plot_sums& sums() const { return model().image.plot; }
  // A night at 23:00 with the cue period 22:00-06:00 (bins 0-83) and REM in the given bins.
  void add_night(int dur, std::initializer_list<int> rem) const {
    device_block b = reset_device_block();
    b.recstarth = 23, b.dur = dur, b.cstarth = 22, b.cstartm = 0, b.cendh = 6, b.cendm = 0;
    for (int bin : rem) b.rem[bin / 8] |= static_cast<uint8_t>(1 << (bin % 8));
    model().append_night(b);
  }
  std::vector<drawn_item> drawing() const {
    return record_drawing([&](HDC hdc) { p().draw(hdc); });
  }
  std::string title_line() const {
    for (const std::string& text : texts_of(drawing()))
      if (text.find(" record(s) ") != std::string::npos) return text;
    return "";
  }
};

// The corners of the path drawn in gray, the legend's stroke at y 7 left out.
std::string gray_corners(const std::vector<drawn_item>& items) {
  std::vector<std::pair<long, long>> path;
  long x1, y1, x2, y2;
  for (const drawn_item& item : items) {
    if (item.pen != gray || !line_of(item, x1, y1, x2, y2) || y1 == 7) continue;
    if (path.empty()) path.push_back({x1, y1});
    const size_t n = path.size();
    if (path[n - 1] == std::pair{x2, y2}) continue;
    if (n >= 2 && ((path[n - 2].first == x2 && path[n - 1].first == x2) ||
                   (path[n - 2].second == y2 && path[n - 1].second == y2)))
      path.pop_back();  // the same upright or level goes on
    path.push_back({x2, y2});
  }
  std::string out;
  for (const auto& [x, y] : path) out += text_of("%ld,%ld ", x, y);
  return out;
}

TEST_F(plot_window, series_are_step_outlines_of_the_summed_nights) {
  add_night(96, {10, 11, 100});       // 100 lies beyond DUR
  add_night(200, {11, 90, 127});      // 90 and 127 lie after 06:00: not delivered
  size_client(p().window, 299, 136);  // x of bin i is 34 + 2i, y of v is 116 - 50v at max 2
  p().build_plot({0, 1});
  EXPECT_TRUE(IsWindowVisible(p().window));
  const std::string cues = "34,116 54,116 54,66 56,66 56,16 58,16 58,116 ",
                    late = "214,66 216,66 216,116 288,116 288,66 290,66 ";
  const std::pair<series_choice, std::string> rows[] = {{{{1, 0, 0}, {1, 0, 0}}, cues + "290,116 "},
                                                        {{{0, 1, 0}, {0, 1, 0}}, "34,116 214,116 " + late},
                                                        {{{0, 0, 1}, {0, 0, 1}}, cues + "214,116 " + late}};
  for (const auto& [shown, corners] : rows) {
    p().series = shown;
    EXPECT_EQ(gray_corners(drawing()), corners);
  }
}

TEST_F(plot_window, hour_ticks_stand_evenly_along_the_time_axis_with_each_hour_labelled_under_its_tick) {
  for (const auto& [width, per_hour] : {std::pair{240, 1}, {300, 2}, {430, 12}}) {  // hours, halves, bins
    size_client(p().window, width, 136);
    const std::vector<drawn_item> items = drawing();
    std::vector<long> ticks;  // the uprights hanging from the axis' foot: the lowest tops drawn
    long foot = 0, x1, y1, x2, y2;
    for (const drawn_item& item : items)
      if (line_of(item, x1, y1, x2, y2) && x1 == x2 && y2 > y1) foot = std::max(foot, y1);
    for (const drawn_item& item : items)
      if (line_of(item, x1, y1, x2, y2) && x1 == x2 && y2 > y1 && y1 == foot) ticks.push_back(x1);
    ASSERT_EQ(ticks.size(), std::size_t(127 / (12 / per_hour) + 1)) << width;
    for (std::size_t i = 2; i < ticks.size(); ++i)
      EXPECT_NEAR(ticks[i] - ticks[i - 1], ticks[1] - ticks[0], 1) << width << " tick " << i;
    int hour = 0;
    for (const drawn_item& item : items)
      if (item.box.top >= foot && std::isdigit(static_cast<unsigned char>(texts_of({item})[0][0]))) {
        const long under = ticks.at(std::size_t(++hour * per_hour));
        EXPECT_EQ(texts_of({item})[0], std::to_string(hour)) << width;
        EXPECT_TRUE(item.box.left <= under && under <= item.box.right) << width << " hour " << hour;
      }
    EXPECT_EQ(hour, 10) << width;
  }
}

TEST_F(plot_window, plot_records_plots_the_chosen_records_in_the_chosen_colours) {
  for (int i = 0; i < 5; ++i) add_night(96, {10 + i});
  data_win_type& w = *data_win();
  // Each run: the series' boxes and colours clicked, the records chosen, then OK or Cancel.
  const struct {
    std::vector<int> clicks, records;
    int button;
    bool gray_drawn;
    const char* title;
  } rows[] = {
      {{IDC_PLOT_ND, IDC_PLOT_COMBINED, IDC_PLOT_CUES_GRAY}, {1, 3}, IDC_RECORD_OK, true, "2 record(s)     Max = 1"},
      {{IDC_PLOT_CUES_BLACK}, {}, IDC_RECORD_CANCEL, true, "2 record(s)     Max = 1"},
      {{IDC_PLOT_CUES_BLACK}, {0, 1, 2, 3, 4}, IDC_RECORD_OK, false, "5 record(s)     Max = 1"},
      {{IDC_PLOT_CUES}, {}, IDC_RECORD_OK, false, "5 record(s)     Max = 0"},  // nothing shown: rescaled
  };
  for (const auto& row : rows) {
    p().hide();
    dialog_driver run{"Plot Records", {[&](HWND d) {
                        w.plot_records();  // already open: returns at once
                        for (int id : row.clicks) SendDlgItemMessageA(d, id, BM_CLICK, 0, 0);
                        for (int line : row.records) SendDlgItemMessageA(d, IDC_RECORD_LIST, LB_SETSEL, TRUE, line);
                        press(d, row.button);
                      }}};
    EXPECT_TRUE(run.drive([&] { command(w.window, IDM_PLOT_RECORDS); }));
    EXPECT_EQ(IsWindowVisible(p().window) != 0, row.button == IDC_RECORD_OK && !row.records.empty());
    EXPECT_EQ(!gray_corners(drawing()).empty(), row.gray_drawn) << row.title;
    EXPECT_EQ(title_line(), row.title);
  }
}

TEST_F(plot_window, escape_closes_the_record_dialogs_and_changes_nothing) {
  add_records(2);
  for (const auto& [caption, id] : {std::pair{"Show Record", IDM_SHOW_RECORD}, {"Plot Records", IDM_PLOT_RECORDS}}) {
    dialog_driver cancelled{caption, {escape}};  // a second step would find it still open
    EXPECT_TRUE(cancelled.drive([&] { command(data_win()->window, id); })) << caption;
  }
  EXPECT_EQ(text_of("%d %d %d", model().current, sums().record_count, IsWindowVisible(p().window)), "1 0 0");
}

TEST_F(plot_window, delete_record_asks_then_shows_the_one_before_and_the_last_one_clears_the_plot) {
  const struct {
    int records, current, answer;
    const char* after;  // current/count, DREAMS shown (night i has i), plot
  } rows[] = {{3, 0, IDOK, "0/2 2 shown 1"},
              {3, 1, IDOK, "0/2 1 shown 1"},
              {3, 2, IDOK, "1/2 2 shown 1"},
              {1, 0, IDOK, "-1/0 0 hidden 0"},
              {2, 1, IDCANCEL, "1/2 2 shown 1"}};
  for (const auto& row : rows) {
    app->create_data_doc();
    for (int i = 1; i <= row.records; ++i) add_night(96, {10}), model().image.data.counts[dreams] = i;
    model().switch_to(row.current);
    p().build_plot({0});
    io->answers = {row.answer};
    command(data_win()->window, IDM_DELETE_RECORD);
    EXPECT_EQ(io->boxes.back().caption, "Delete Record?");
    EXPECT_EQ(text_of("%d/%d %d %s %d", model().current, model().count(), model().image.data.counts[dreams],
                      IsWindowVisible(p().window) ? "shown" : "hidden", sums().record_count),
              row.after);
  }
}

}  // namespace
