// The Plot window and the record dialogs: drawing read back from a metafile, the clipboard picture,
// the dialogs' templates and procedures, their modal runs, and deleting records.
#include "../ui/emf_recording.h"
#include "datawin/record_dialogs.h"
#include "dialog_driver.h"
#include "test_app.h"
#include "ui/edit_text_type.h"

namespace {

constexpr COLORREF gray = RGB(180, 180, 180);

class plot_window : public app_fixture {
 protected:
  void SetUp() override {
    app_fixture::SetUp();
    start_app();
  }
  plot_win_type& p() const { return *plot_win(); }
  // Nights at 23:00 with the cue period 22:00-06:00 (bins 0-83) and REM in the given bins.
  void add_night(int dur, std::initializer_list<int> rem) const {
    add_record();
    device_block& b = data_win()->records.back()->block;
    b.recstarth = 23, b.dur = dur, b.cstarth = 22, b.cstartm = 0, b.cendh = 6, b.cendm = 0;
    for (int bin : rem) b.rem[bin / 8] |= static_cast<uint8_t>(1 << (bin % 8));
  }
  // The plot area is the client area less 45 by 35 pixels.
  void size_client(int width, int height) const {
    for (int i = 0; i < 2; ++i) {  // a second time when the menu bar changed its lines
      RECT c{}, r = rect_of(p().window);
      GetClientRect(p().window, &c);
      SetWindowPos(p().window, nullptr, 0, 0, r.right - r.left + width - c.right, r.bottom - r.top + height - c.bottom,
                   SWP_NOMOVE | SWP_NOZORDER);
    }
  }
  std::vector<drawn_item> drawing() const {
    return record_drawing([&](HDC hdc) { p().draw(hdc); });
  }
  int text_width(const std::string& text) const {
    HDC dc = GetDC(p().window);
    const HGDIOBJ old = SelectObject(dc, p().display_font);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(p().window, dc);
    return size.cx;
  }
  // Two nights plotted in a plot area of 256 x 100 pixels: x of bin i is 34 + 2i, y of v is 116 - 50v.
  void plot_two_nights() const {
    add_night(96, {10, 11, 100});  // 100 lies beyond DUR
    add_night(200, {11, 90, 127});  // 90 and 127 after 06:00: not delivered
    size_client(299, 136);
    p().build_plot({0, 1});
  }
};

void click(HWND dialog, int id) { SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0); }

// The corners of the gray path drawn, the legend's stroke left out.
std::string gray_corners(const std::vector<drawn_item>& items) {
  std::vector<POINT> path;
  for (const drawn_item& item : items) {
    POINT from{}, to{};
    if (item.pen != gray || std::sscanf(item.shape.c_str(), "line %ld,%ld %ld,%ld", &from.x, &from.y, &to.x, &to.y) != 4 ||
        from.y == 7)
      continue;
    for (const POINT& at : path.empty() ? std::vector<POINT>{from, to} : std::vector<POINT>{to}) {
      const size_t n = path.size();
      if (n >= 1 && path[n - 1].x == at.x && path[n - 1].y == at.y) continue;
      if (n >= 2 && ((path[n - 2].x == at.x && path[n - 1].x == at.x) || (path[n - 2].y == at.y && path[n - 1].y == at.y)))
        path.pop_back();
      path.push_back(at);
    }
  }
  std::string out;
  for (const POINT& at : path) out += text_of("%ld,%ld ", at.x, at.y);
  return out;
}

TEST_F(plot_window, series_are_step_outlines_of_the_sums_under_a_title_and_legend) {
  plot_two_nights();
  EXPECT_TRUE(IsWindowVisible(p().window));
  EXPECT_EQ(text_of("%d %d %d%d%d", p().record_count, p().max, p().cues[11], p().cues_not_delivered[90], p().combined[11]),
            "2 2 212");
  const struct {
    series_choice shown;  // max stays 2 until the next plotting
    const char* corners;
  } rows[] = {{{{1, 0, 0}, {1, 0, 0}}, "34,116 54,116 54,66 56,66 56,16 58,16 58,116 290,116 "},
              {{{0, 1, 0}, {0, 1, 0}}, "34,116 214,116 214,66 216,66 216,116 288,116 288,66 290,66 "}};
  for (const auto& row : rows) {
    p().series = row.shown;
    EXPECT_EQ(gray_corners(drawing()), row.corners);
  }
  p().series = {};
  std::string top, expected = "text 2 record(s)     Max = 2 35,2|";
  for (const drawn_item& item : drawing()) {
    const std::string& shape = item.shape;
    if (shape.ends_with(",2") || (shape.rfind("line", 0) == 0 && shape.ends_with(",7")))
      top += shape.substr(0, shape[0] == 'l' ? shape.find(' ', 5) : std::string::npos) + (item.pen == gray ? "G|" : "|");
  }
  int x = 35 + text_width("2 record(s)     Max = 2") + 20;
  for (const char* name : {"Cues", "Cues ND", "Combined"}) {
    expected += text_of("text %s %d,2|line %d,7%s|", name, x, x + text_width(name) + 2, name[4] == ' ' ? "G" : "");
    x += text_width(name) + 2 + 60;
  }
  EXPECT_EQ(top, expected);
}

TEST_F(plot_window, hour_ticks_follow_the_width_and_count_labels_the_max) {
  const struct {
    int width, long_ticks, short_ticks;
  } widths[] = {{214, 11, 0}, {215, 22, 0}, {374, 22, 0}, {375, 22, 106}};
  for (const auto& row : widths) {
    size_client(row.width + 43, 136);  // the foot of the axis at 118
    int long_ticks = 0, short_ticks = 0;
    for (const std::string& shape : shapes_of(drawing())) {
      long_ticks += shape.find(",118 ") != std::string::npos && shape.find(",122") != std::string::npos;
      short_ticks += shape.find(",118 ") != std::string::npos && shape.find(",121") != std::string::npos;
    }
    EXPECT_EQ(text_of("%d %d", long_ticks, short_ticks), text_of("%d %d", row.long_ticks, row.short_ticks)) << row.width;
  }
  const struct {
    int max;
    const char* labels;
    int top;  // y of the highest label
  } maxima[] = {{10, "0 1 2 3 4 5 6 7 8 9 10", 10}, {50, "0 5 10 15 20 25 30 35 40 45 50", 10}, {51, "0 10 20 30 40 50", 12}};
  for (const auto& row : maxima) {
    p().max = row.max;
    std::string seen, last;
    for (const std::string& shape : shapes_of(drawing()))
      if (shape.rfind("text ", 0) == 0 && std::atoi(shape.c_str() + shape.rfind(' ') + 1) < 33) {  // left of the axis
        last = shape;
        seen += (seen.empty() ? "" : " ") + shape.substr(5, shape.find(' ', 5) - 5);
      }
    EXPECT_EQ(seen, row.labels);
    const std::string highest = seen.substr(seen.rfind(' ') + 1);
    EXPECT_EQ(last, text_of("text %s %d,%d", highest.c_str(), 26 - text_width(highest), row.top));
  }

  size_client(299, 136);
  p().max = 0;  // no series shown: the axes, the frame, 22 hour ticks, the 0 tick and the title
  p().series.show[0] = p().series.show[1] = p().series.show[2] = 0;
  std::string texts;
  int lines = 0;
  for (const std::string& shape : shapes_of(drawing())) {
    lines += shape.rfind("line", 0) == 0;
    texts += shape.rfind("text", 0) == 0 ? shape.substr(5, shape.rfind(' ') - 5) + "|" : "";
  }
  EXPECT_EQ(text_of("%d ", lines) + texts, "27 HRS:|1|2|3|4|5|6|7|8|9|10|0|0 record(s)     Max = 0|");
}

TEST_F(plot_window, copy_plot_puts_a_bitmap_of_the_client_area_on_the_clipboard_and_a_double_click_asks_again) {
  plot_two_nights();
  command(p().window, IDM_COPY);
  ASSERT_TRUE(OpenClipboard(nullptr));
  BITMAP picture{};
  EXPECT_NE(GetObjectA(GetClipboardData(CF_BITMAP), sizeof picture, &picture), 0);
  CloseClipboard();
  EXPECT_EQ(text_of("%ldx%ld", picture.bmWidth, picture.bmHeight), "299x136");

  app->on_dialog = []() -> INT_PTR { return 1; };
  SendMessageA(p().window, WM_LBUTTONDBLCLK, 0, MAKELPARAM(50, 50));
  command(p().window, IDM_PLOT_RECORDS);
  command(data_win()->window, IDM_PLOT_RECORDS);
  EXPECT_EQ(app->dialog_owners, (std::vector<HWND>{p().window, p().window, data_win()->window}));
  EXPECT_EQ(app->dialogs.back(), "plot_records_dlog");
}

TEST_F(plot_window, record_dialogs_match_their_templates_and_their_procedures_keep_the_choices) {
  record_dialog_state& state = record_dialogs;
  state.show_lines = state.plot_lines = {"#1:  one", "#2:  two", "#3:  three"};
  state.selected_record = 1;
  state.plot_series = {{1, 0, 1}, {1, 0, 0}};
  HWND show = CreateDialogParamA(GetModuleHandleA(nullptr), "show_record_dlog", nullptr, show_record_proc, 0);
  HWND plot = CreateDialogParamA(GetModuleHandleA(nullptr), "plot_records_dlog", nullptr, plot_records_proc, 0);
  ASSERT_TRUE(show && plot);
  EXPECT_EQ(describe(show), "Show Record without system menu\n0 Button 1 OK\n1 Button 0 Cancel\n2 ListBox 1 \n"
                            "-1 Static 0 Select a data record:\n");
  EXPECT_EQ(describe(plot), "Plot Records without system menu\n0 Button 1 OK\n1 Button 0 Cancel\n2 ListBox 9 \n"
                            "-1 Static 0 Select one or more data records:\n-1 Static 0 Plot:\n-1 Static 0 Color:\n"
                            "3 Button 3 Cues\n4 Button 4 Black\n5 Button 4 Gray\n6 Button 3 Cues ND\n7 Button 4 Black\n"
                            "8 Button 4 Gray\n9 Button 3 Combined\n10 Button 4 Black\n11 Button 4 Gray\n"
                            "12 Button 0 Select All\n");
  for (HWND list : {GetDlgItem(show, 2), GetDlgItem(plot, 2)})  // the border is drawn sunken in a dialog
    EXPECT_EQ(text_of("%lx %lx", static_cast<long>(GetWindowLongPtrA(list, GWL_STYLE) & (WS_TABSTOP | LBS_NOINTEGRALHEIGHT)),
                      static_cast<long>(GetWindowLongPtrA(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)), "10100 200");
  auto buttons = [&] {
    std::string out;
    for (int id = 3; id <= 11; ++id) out += IsDlgButtonChecked(plot, id) == BST_CHECKED ? '1' : '0';
    return out;
  };
  EXPECT_EQ(text_of("%d ", static_cast<int>(SendDlgItemMessageA(show, 2, LB_GETCURSEL, 0, 0))) + buttons(), "1 101010110");
  SendDlgItemMessageA(show, 2, LB_SETCURSEL, 2, 0);
  show_record_proc(show, WM_COMMAND, MAKEWPARAM(2, LBN_SELCHANGE), 0);
  EXPECT_EQ(state.selected_record, 1);  // only OK or a double click take the selection
  show_record_proc(show, WM_COMMAND, MAKEWPARAM(2, LBN_DBLCLK), 0);
  EXPECT_EQ(state.selected_record, 2);

  for (int id : {5, 4, 8, 10, 11, 6}) click(plot, id);  // radio buttons move within their group only
  EXPECT_EQ(buttons(), "110101101");
  SendDlgItemMessageA(plot, 2, LB_SETSEL, TRUE, 1);
  press(plot, IDC_RECORD_OK);
  EXPECT_EQ(state.plot_selection, std::vector<int>{1});
  press(plot, IDC_PLOT_SELECT_ALL);
  press(plot, IDC_RECORD_OK);
  EXPECT_EQ(state.plot_selection, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(text_of("%d%d%d %d%d%d", state.plot_series.show[0], state.plot_series.show[1], state.plot_series.show[2],
                    state.plot_series.colour[0], state.plot_series.colour[1], state.plot_series.colour[2]),
            "111 011");
  DestroyWindow(show);
  DestroyWindow(plot);
  state = {};
}

TEST_F(plot_window, modal_record_dialogs_switch_records_plot_the_chosen_ones_and_never_open_twice) {
  for (int i = 0; i < 5; ++i) add_night(96, {static_cast<int>(10 + i)});
  data_win_type& w = *data_win();
  w.current_index = 2;
  w.load_record(2);
  SendMessageA(w.window, WM_CHAR, '6', 0);  // an edit of record 3 that the switch keeps
  int selected = -1;
  dialog_driver show{"Show Record", {[&](HWND d) {
                                       selected = static_cast<int>(SendDlgItemMessageA(d, 2, LB_GETCURSEL, 0, 0));
                                       w.show_record();  // already open: returns at once
                                       SendDlgItemMessageA(d, 2, LB_SETCURSEL, 4, 0);
                                       SendMessageA(d, WM_COMMAND, MAKEWPARAM(2, LBN_DBLCLK), 0);
                                     }}};
  EXPECT_TRUE(show.drive([&] { command(w.window, IDM_SHOW_RECORD); }));
  EXPECT_EQ(text_of("%d %d %d", selected, w.current_index, w.records[2]->counts[dreams]), "2 4 6");

  HWND owner = nullptr;
  dialog_driver cancel{"Plot Records", {[&](HWND d) {
                                          owner = GetWindow(d, GW_OWNER);
                                          click(d, 3);  // Cues off, then Cancel
                                          press(d, IDC_PLOT_SELECT_ALL);
                                          press(d, IDC_RECORD_CANCEL);
                                        }}};
  EXPECT_TRUE(cancel.drive([&] { SendMessageA(p().window, WM_LBUTTONDBLCLK, 0, 0); }));
  EXPECT_EQ(owner, p().window);
  EXPECT_EQ(text_of("%d %d", p().series.show[0], p().record_count), "1 0");
  dialog_driver plot{"Plot Records", {[&](HWND d) {
                                        w.plot_records();  // already open: returns at once
                                        click(d, 6);  // Cues ND off
                                        press(d, IDC_PLOT_SELECT_ALL);
                                        press(d, IDC_RECORD_OK);
                                      }}};
  EXPECT_TRUE(plot.drive([&] { command(w.window, IDM_PLOT_RECORDS); }));
  EXPECT_EQ(text_of("%d %d %d %d", p().series.show[1], p().record_count, p().max, p().cues[14]), "0 5 1 1");
  EXPECT_TRUE(IsWindowVisible(p().window));
  EXPECT_EQ(app->dialogs.size(), 3u);
}

TEST_F(plot_window, delete_record_asks_then_shows_the_one_before_and_the_last_one_clears_the_plot) {
  const struct {
    int records, current, answer;
    const char* after;  // current/count DREAMS shown, no-record flag, plot shown
  } rows[] = {{3, 0, IDOK, "0/2 2 0 plot"}, {3, 1, IDOK, "0/2 1 0 plot"}, {3, 2, IDOK, "1/2 2 0 plot"},
              {1, 0, IDOK, "-1/0 0 1 hidden"}, {2, 1, IDCANCEL, "1/2 2 0 plot"}};
  for (const auto& row : rows) {
    data_win()->records.clear();
    for (int i = 1; i <= row.records; ++i) {
      add_night(96, {10});
      data_win()->records.back()->counts[dreams] = i;  // record i shows i dreams
    }
    data_win_type& w = *data_win();
    w.no_record = 0;
    w.current_index = row.current;
    w.load_record(row.current);
    p().build_plot({0});
    app->answers = {row.answer};
    app->boxes.clear();
    command(w.window, IDM_DELETE_RECORD);
    ASSERT_EQ(app->boxes.size(), 1u);
    EXPECT_EQ(app->boxes[0].text + "|" + app->boxes[0].caption,
              "Are you sure you want to permanently delete this record?|Delete Record?");
    EXPECT_EQ(text_of("%d/%d %d %d %s", w.current_index, w.record_count(), w.counts[dreams], w.no_record,
                      IsWindowVisible(p().window) ? "plot" : "hidden"),
              row.after);
  }
  EXPECT_EQ(p().record_count, 1);  // not cleared while records remain
}

}  // namespace
