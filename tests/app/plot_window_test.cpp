// The Plot window and the record dialogs: drawing read back from a metafile, the clipboard picture,
// the dialogs' modal runs from their templates, and deleting records.
#include "../ui/emf_recording.h"
#include "dialog_driver.h"
#include "test_app.h"

namespace {

void click(HWND dialog, int id) { SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0); }

class plot_window : public started_app {
 protected:
  plot_win_type& p() const { return *plot_win(); }
  plot_sums& sums() const { return model().image.plot; }
  // A night at 23:00 with the cue period 22:00-06:00 (bins 0-83) and REM in the given bins, shown.
  void add_night(int dur, std::initializer_list<int> rem) const {
    device_block b = reset_device_block();
    b.recstarth = 23, b.dur = dur, b.cstarth = 22, b.cstartm = 0, b.cendh = 6, b.cendm = 0;
    for (int bin : rem) b.rem[bin / 8] |= static_cast<uint8_t>(1 << (bin % 8));
    model().append_night(b);
  }
  // The plot area is the client area less 43 by 36 pixels.
  void size_client(int width, int height) const { ::size_client(p().window, width, height); }
  strings shapes() const {
    return shapes_of(record_drawing([&](HDC hdc) { p().draw(hdc); }));
  }
};

// The corners of the path drawn in gray, the legend's stroke at y 7 left out.
std::string gray_corners(const std::vector<drawn_item>& items) {
  std::vector<std::pair<long, long>> path;
  for (const drawn_item& item : items) {
    long x1, y1, x2, y2;
    if (item.pen != gray || std::sscanf(item.shape.c_str(), "line %ld,%ld %ld,%ld", &x1, &y1, &x2, &y2) != 4 || y1 == 7)
      continue;
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

TEST_F(plot_window, series_are_step_outlines_of_the_summed_nights_and_copy_plot_takes_the_client_area) {
  add_night(96, {10, 11, 100});   // 100 lies beyond DUR
  add_night(200, {11, 90, 127});  // 90 and 127 lie after 06:00: not delivered
  size_client(299, 136);          // x of bin i is 34 + 2i, y of v is 116 - 50v at max 2
  p().build_plot({0, 1});
  EXPECT_TRUE(IsWindowVisible(p().window));
  const std::pair<series_choice, const char*> rows[] = {
      // max stays 2 until the next plotting
      {{{1, 0, 0}, {1, 0, 0}}, "34,116 54,116 54,66 56,66 56,16 58,16 58,116 290,116 "},
      {{{0, 1, 0}, {0, 1, 0}}, "34,116 214,116 214,66 216,66 216,116 288,116 288,66 290,66 "},
      {{{0, 0, 1}, {0, 0, 1}},
       "34,116 54,116 54,66 56,66 56,16 58,16 58,116 214,116 214,66 216,66 216,116 288,116 "
       "288,66 290,66 "}};
  for (const auto& [shown, corners] : rows) {
    p().series = shown;
    EXPECT_EQ(gray_corners(record_drawing([&](HDC hdc) { p().draw(hdc); })), corners);
  }
  command(p().window, IDM_COPY);
  ASSERT_TRUE(OpenClipboard(nullptr));
  BITMAP picture{};
  EXPECT_NE(GetObjectA(GetClipboardData(CF_BITMAP), sizeof picture, &picture), 0);
  CloseClipboard();
  EXPECT_EQ(text_of("%ldx%ld", picture.bmWidth, picture.bmHeight), "299x136");
}

TEST_F(plot_window, hour_ticks_follow_the_width_count_labels_the_max_and_an_empty_plot_keeps_axes_and_title) {
  const int widths[][3] = {{214, 11, 0}, {215, 22, 0}, {374, 22, 0}, {375, 22, 106}};  // 5- and 4-pixel ticks
  for (const auto& [width, long_ticks, short_ticks] : widths) {
    size_client(width + 43, 136);  // the axis' foot at y 118
    int ticks[2] = {};
    for (const std::string& shape : shapes())
      for (int i : {0, 1}) ticks[i] += shape.find(",118 ") != std::string::npos && shape.ends_with(i ? ",121" : ",122");
    EXPECT_EQ(text_of("%d %d", ticks[0], ticks[1]), text_of("%d %d", long_ticks, short_ticks)) << width;
  }
  const std::pair<int, const char*> maxima[] = {
      {10, "0 1 2 3 4 5 6 7 8 9 10 "}, {50, "0 5 10 15 20 25 30 35 40 45 50 "}, {51, "0 10 20 30 40 50 "}};
  for (const auto& [max, labels] : maxima) {
    sums().max = max;
    std::string seen;
    for (const std::string& shape : shapes())  // labels left of the axis, which stands at x 33
      if (shape.rfind("text ", 0) == 0 && std::atoi(shape.c_str() + shape.rfind(' ') + 1) < 33)
        seen += shape.substr(5, shape.find(' ', 5) - 5) + " ";
    EXPECT_EQ(seen, labels);
  }
  size_client(299, 136);
  sums().max = 0;
  p().series.show[0] = p().series.show[1] = p().series.show[2] = false;
  std::string texts;
  int lines = 0;
  for (const std::string& shape : shapes()) {
    lines += shape.rfind("line", 0) == 0;
    texts += shape.rfind("text", 0) == 0 ? shape.substr(5, shape.rfind(' ') - 5) + "|" : "";
  }
  EXPECT_EQ(text_of("%d ", lines) + texts,  // axes and frame, 22 hour ticks, the 0 tick
            "27 HRS:|1|2|3|4|5|6|7|8|9|10|0|0 record(s)     Max = 0|");
  EXPECT_EQ(shapes().back(), "text 0 record(s)     Max = 0 35,2");
}

TEST_F(plot_window, record_dialogs_switch_records_and_plot_the_chosen_ones_and_never_open_twice) {
  for (int i = 0; i < 5; ++i) add_night(96, {10 + i});
  data_win_type& w = *data_win();
  model().switch_to(2);
  SendMessageA(w.window, WM_CHAR, '6', 0);  // an edit of record 3, kept by the switch
  std::string seen;
  dialog_driver show{"Show Record", {[&](HWND d) {
                       char line[64] = "";
                       SendDlgItemMessageA(d, 2, LB_GETTEXT, 4, reinterpret_cast<LPARAM>(line));
                       seen = describe(d) + line + std::to_string(SendDlgItemMessageA(d, 2, LB_GETCURSEL, 0, 0));
                       w.show_record();  // already open: returns at once
                       SendDlgItemMessageA(d, 2, LB_SETCURSEL, 4, 0);
                       SendMessageA(d, WM_COMMAND, MAKEWPARAM(2, LBN_DBLCLK), 0);
                     }}};
  EXPECT_TRUE(show.drive([&] { command(w.window, IDM_SHOW_RECORD); }));
  EXPECT_EQ(seen,
            "Show Record without system menu\n0 Button 1 OK\n1 Button 0 Cancel\n2 ListBox 1 \n"
            "-1 Static 0 Select a data record:\n#5:  ?\?/?\?/?\?  23:00  480 minutes2");
  EXPECT_EQ(text_of("%d %d", model().current, model().image.records[2].counts[dreams]), "4 6");

  auto state = [&](HWND d) {  // owner, check boxes and radio buttons 3 ... 11, selected lines
    std::string out = GetWindow(d, GW_OWNER) == p().window ? "plot " : "data ";
    for (int id = 3; id <= 11; ++id) out += IsDlgButtonChecked(d, id) == BST_CHECKED ? '1' : '0';
    return out + text_of(" %d|", static_cast<int>(SendDlgItemMessageA(d, 2, LB_GETSELCOUNT, 0, 0)));
  };
  p().series = {{1, 0, 1}, {1, 0, 0}};
  bool data_held = false;  // the Plot window's dialog keeps the records still under it
  dialog_driver cancel{"Plot Records", {[&](HWND d) {
                         data_held = !IsWindowEnabled(w.window);
                         seen = describe(d) + state(d);
                         for (int id : {5, 4, 8, 10, 11, 6}) click(d, id);  // radios within their group
                         press(d, IDC_PLOT_SELECT_ALL);
                         seen += state(d);
                         press(d, IDC_RECORD_CANCEL);
                       }}};
  EXPECT_TRUE(cancel.drive([&] { SendMessageA(p().window, WM_LBUTTONDBLCLK, 0, 0); }));
  EXPECT_TRUE(data_held && IsWindowEnabled(w.window));
  EXPECT_EQ(seen,
            "Plot Records without system menu\n0 Button 1 OK\n1 Button 0 Cancel\n2 ListBox 9 \n"
            "-1 Static 0 Select one or more data records:\n-1 Static 0 Plot:\n-1 Static 0 Color:\n"
            "3 Button 3 Cues\n4 Button 4 Black\n5 Button 4 Gray\n6 Button 3 Cues ND\n7 Button 4 Black\n"
            "8 Button 4 Gray\n9 Button 3 Combined\n10 Button 4 Black\n11 Button 4 Gray\n12 Button 0 Select All\n"
            "plot 101010110 0|plot 110101101 5|");
  dialog_driver ok{"Plot Records", {[&](HWND d) {
                     w.plot_records();  // already open: returns at once
                     seen = state(d);   // as before Cancel
                     click(d, 6);
                     click(d, 8);
                     for (int line : {1, 3}) SendDlgItemMessageA(d, 2, LB_SETSEL, TRUE, line);
                     seen += state(d);
                     press(d, IDC_RECORD_OK);
                   }}};
  EXPECT_TRUE(ok.drive([&] { command(w.window, IDM_PLOT_RECORDS); }));
  EXPECT_EQ(seen + text_of("%d %d %d%d%d", sums().record_count, sums().max, sums().cues[11], sums().cues[12],
                           sums().cues[13]),
            "data 101010110 0|data 101101110 2|2 1 101");
  EXPECT_EQ(text_of("%d%d%d", p().series.gray[0], p().series.gray[1], p().series.gray[2]), "110");
  dialog_driver none{"Plot Records", {[&](HWND d) {  // no series and no record: the scale follows
                       for (int id : {3, 6, 9}) click(d, id);
                       press(d, IDC_RECORD_OK);
                     }}};
  EXPECT_TRUE(none.drive([&] { command(p().window, IDM_PLOT_RECORDS); }));
  EXPECT_EQ(text_of("%d %d", sums().record_count, sums().max), "2 0");
  EXPECT_EQ(io->dialogs.size(), 4u);
}

TEST_F(plot_window, delete_record_asks_then_shows_the_one_before_and_the_last_one_clears_the_plot) {
  const struct {
    int records, current, answer;
    const char* after;  // current/count, DREAMS shown (record i has i), no-record flag, plot
  } rows[] = {{3, 0, IDOK, "0/2 2 0 shown 1"},
              {3, 1, IDOK, "0/2 1 0 shown 1"},
              {3, 2, IDOK, "1/2 2 0 shown 1"},
              {1, 0, IDOK, "-1/0 0 1 hidden 0"},
              {2, 1, IDCANCEL, "1/2 2 0 shown 1"}};
  for (const auto& row : rows) {
    app->create_data_doc();
    data_window_state& shown = model().image.data;
    for (int i = 1; i <= row.records; ++i) {
      add_night(96, {10});
      shown.counts[dreams] = i;
    }
    model().switch_to(row.current);
    p().build_plot({0});
    io->answers = {row.answer};
    io->boxes.clear();
    command(data_win()->window, IDM_DELETE_RECORD);
    ASSERT_EQ(io->boxes.size(), 1u);
    EXPECT_EQ(io->boxes[0].text + "|" + io->boxes[0].caption,
              "Are you sure you want to permanently delete this record?|Delete Record?");
    EXPECT_EQ(text_of("%d/%d %d %d %s %d", model().current, model().count(), shown.counts[dreams], shown.no_record,
                      IsWindowVisible(p().window) ? "shown" : "hidden", sums().record_count),
              row.after);
  }
}

}  // namespace
