// The Data window in the running application: widgets and focus, downloads, switching records, drawing.
#include "../ui/emf_recording.h"
#include "datawin/record_browser_type.h"
#include "datawin/record_view_type.h"
#include "datawin/settings_view_type.h"
#include "test_app.h"
#include "ui/edit_text_type.h"
#include "ui/help_line_type.h"

namespace {

class data_window : public started_app {
 protected:
  data_win_type& w() const { return *data_win(); }
  data_window_state& shown_night() const { return model().image.data; }
  record_view_type* record_view() const { return static_cast<record_view_type*>(w().widgets.get(0)); }
  widget_type* settings_view() const { return w().widgets.get(14); }
  void key(WPARAM k) const { SendMessageA(w().window, WM_KEYDOWN, k, 0); }
  std::string comment() const { return title(w().comments->control); }
  // The shown record: "current/count DREAMS comment".
  std::string shown() const {
    return text_of("%d/%d %d %s", model().current, model().count(), shown_night().counts[dreams], comment().c_str());
  }
  std::vector<drawn_item> drawing(widget_type* widget, bool paper = false) const {
    return recorded(
        w(), [&](HDC hdc) { widget->draw(hdc); }, paper);
  }
  // Every drawn text of the widget, without its place, each followed by "|".
  std::string texts(widget_type* widget) const {
    std::string all;
    for (const std::string& s : shapes_of(drawing(widget)))
      if (s.rfind("text ", 0) == 0) all += s.substr(5, s.rfind(' ') - 5) + "|";
    return all;
  }
  // A night at 23:00 of 128 bins, cue period 22:00 to 6:00, REM in bins 0, 1 and 90.
  void show_night() const {
    device_block& b = shown_night().working_block;
    b.recstarth = 23, b.dur = 128, b.cstarth = 22, b.cendh = 6, b.cendm = 0, b.rem[0] = 3, b.rem[11] = 4;
    shown_night().no_record = 0;
  }
  int right() const { return record_view()->rectangle.right; }

  sim_engine engine{make_night(7, {2024, 3, 30, 7, 0, 0})};
};

TEST_F(data_window, eighteen_widgets_their_help_and_the_comments_box_focus) {
  widget_container& c = w().widgets;
  std::string places;
  for (int i = 0; i < c.count(); ++i) places += text_of("%d,%d|", c.get(i)->x, c.get(i)->y);
  auto after = [&](int i) { return c.get(i)->x + c.get(i)->get_width() + 25; };
  EXPECT_EQ(places, text_of("3,3|3,71|3,72|3,86|3,89|%d,89|%d,89|%d,89|3,105|%d,105|%d,105|"
                            "%d,105|3,121|3,155|3,159|3,194|10,198|220,198|",
                            after(4), after(5), after(6), after(8), after(9), after(10)));
  RECT client;
  GetClientRect(w().window, &client);
  EXPECT_EQ(right(), client.right - 3);

  auto help = [&] { return static_cast<help_line_type*>(c.get(2))->help_text; };
  EXPECT_EQ(c.focus_index, 4);
  EXPECT_EQ(help(), "Total number of dreams recalled");
  c.set_focus_index(10);
  EXPECT_EQ(help(), "Number of Awakenings Caused by Cues");
  SetWindowTextA(w().comments->control, "Flying");
  SendMessageA(w().window, WM_COMMAND, MAKEWPARAM(1000, EN_SETFOCUS), 0);
  EXPECT_EQ(c.focus_index, w().comments_index);
  EXPECT_EQ(help(), "");
  for (int id : {IDM_CUT, IDM_PASTE, IDM_CLEAR, IDM_SELECT_ALL}) EXPECT_TRUE(enabled(w().window, id)) << id;
  command(w().window, IDM_SELECT_ALL);
  command(w().window, IDM_CLEAR);
  EXPECT_EQ(comment(), "");
  SendMessageA(w().window, WM_CHAR, '\t', 0);  // Tab leaves the box for DREAMS again
  EXPECT_EQ(c.focus_index, 4);
  for (int id : {IDM_CUT, IDM_PASTE, IDM_CLEAR, IDM_SELECT_ALL}) EXPECT_FALSE(enabled(w().window, id)) << id;
}

TEST_F(data_window, downloads_append_nights_the_arrows_keep_each_journal_and_an_empty_mask_changes_nothing) {
  fake_port& port = use_fake_port(&engine);
  auto menus = [&] {
    std::string states;
    for (int id : {IDM_SHOW_RECORD, IDM_DELETE_RECORD, IDM_PLOT_RECORDS, IDM_EXPORT_DATABASE})
      states += enabled(w().window, id) ? 'E' : 'G';
    return states + " ";
  };
  std::string seen = menus();
  SendMessageA(w().window, WM_LBUTTONDOWN, 0, MAKELPARAM(100, 208));  // the Get button
  for (int night = 1; night <= 3; ++night) {
    if (night > 1) command(w().window, IDM_GET_DATA);
    seen += shown() + menus();
  }
  EXPECT_EQ(seen, "GGGG 0/1 0 GEEE 1/2 0 EEEE 2/3 0 EEEE ");
  const device_block& got = shown_night().working_block;
  EXPECT_TRUE(shown_night().no_record == 0 && got.tstamp == engine.block.tstamp && got.dur == engine.block.dur &&
              std::memcmp(got.rem, engine.block.rem, sizeof got.rem) == 0);
  EXPECT_EQ(app->status_window, nullptr);

  // Arrows move and wrap; a count and a comment typed into a night stay with it.
  seen.clear();
  for (const char* step : {"<", "2 night 1", ">", "3 night 2", ">", "1 night 0", "<", "<"}) {
    if (step[1]) {
      SendMessageA(w().window, WM_CHAR, static_cast<WPARAM>(step[0]), 0);
      SetWindowTextA(w().comments->control, step + 2);
    } else {
      key(*step == '<' ? VK_LEFT : VK_RIGHT);
      seen += shown() + "|";
    }
  }
  EXPECT_EQ(seen, "1/3 0 |2/3 0 |0/3 0 |2/3 3 night 2|1/3 2 night 1|");
  command(w().window, IDM_GET_DATA);  // the shown night keeps its edits, the new one starts empty
  const data_record& second = model().image.records[1];
  EXPECT_EQ(shown() + "|" + second.comment + text_of(" %d", second.counts[dreams]), "3/4 0 |night 1 2");
  key(VK_LEFT);
  engine.block = make_empty_night({2024, 3, 30, 7, 0, 0});
  command(w().window, IDM_GET_DATA);
  port.open_succeeds = false;
  command(w().window, IDM_GET_DATA);
  port.open_error = "Access denied";  // taken by another program
  command(w().window, IDM_GET_DATA);
  EXPECT_EQ(shown(), "2/4 3 night 2");
  ASSERT_EQ(io->boxes.size(), 3u);
  EXPECT_EQ(io->boxes[0].text, "There is no data in the Somnolux.  The current data will not be changed.");
  EXPECT_EQ(io->boxes[1].text, "Couldn't open serial port.") << "no reason given, no second line";
  EXPECT_EQ(io->boxes[2].text, "Couldn't open serial port.\nAccess denied");
}

TEST_F(data_window, typed_counts_start_afresh_on_every_night) {
  use_fake_port(&engine);
  command(w().window, IDM_GET_DATA);
  type_chars(w().window, "1");  // DREAMS has the focus
  command(w().window, IDM_GET_DATA);
  type_chars(w().window, "2");
  add_records();
  model().switch_to(0);
  type_chars(w().window, "3");
  EXPECT_EQ(text_of("%d %d %d", model().image.records[0].counts[dreams], model().image.records[1].counts[dreams],
                    shown_night().counts[dreams]),
            "1 2 3");
}

// Visible windows, so that they can be active and hold the keyboard.
using keyboard = app_fixture;

TEST_F(keyboard, the_window_that_started_a_download_or_upload_takes_the_keys_again_and_the_comments_box_its_own) {
  start_app("port = COM3\n", SW_SHOWNORMAL);
  sim_engine engine(make_night(3, {2024, 3, 30, 7, 0, 0}));
  use_fake_port(&engine);
  data_win_type& data = *data_win();
  SetActiveWindow(data.window);
  command(data.window, IDM_GET_DATA);
  EXPECT_EQ(app->status_window, nullptr);
  EXPECT_EQ(GetActiveWindow(), data.window);
  EXPECT_EQ(GetFocus(), data.window);
  SetActiveWindow(settings_win()->window);
  io->answers = {IDOK};
  command(settings_win()->window, IDM_SET_SETTINGS);
  EXPECT_EQ(GetActiveWindow(), settings_win()->window);
  // The comments box shows the focus: when the window is active again, the box has the keyboard.
  data.widgets.set_focus_index(data.comments_index);
  SetActiveWindow(data.window);
  EXPECT_EQ(GetFocus(), data.comments->control);
  SetActiveWindow(settings_win()->window);
  SetActiveWindow(data.window);
  EXPECT_EQ(GetFocus(), data.comments->control);
}

TEST_F(data_window, record_view_dates_and_ends_stay_put_under_summer_time_and_odd_modes_are_named_unknown) {
  _putenv("TZ=GMT0BST,M3.5.0/1,M10.5.0");  // summer time begins on 30 March 1997
  _tzset();
  const struct {
    uint32_t stamp;
    int smoded, hour, minute, dur, mode;
    const char* texts;
  } rows[] = {
      {pack_date(1997, 5, 23, 1, 5, 1), 1, 23, 50, 4, 3,
       "05/24/97 23:50|MODE: 3. Medium Sleep|END:|05/25/97 0:10|DURATION:|20 minutes|"},
      {pack_date(1997, 3, 28, 9, 0, 1), 1, 23, 0, 96, 1,
       "03/29/97 23:00|MODE: 1. Adjustable Sleep|END:|03/30/97 7:00|DURATION:|480 minutes|"},
      {pack_date(1997, 12, 30, 9, 0, 1), 6, 22, 5, 0, 0,
       "01/05/98 22:05|MODE: 0. Unknown Mode|END:|01/05/98 22:05|DURATION:|0 minutes|"},
      {pack_date(1997, 12, 30, 9, 0, 1), 7, 23, 50, 4, 5,
       "?\?/?\?/?\? 23:50|MODE: 5. Unknown Mode|END:|?\?/?\?/?\? 0:10|DURATION:|20 minutes|"},
      {0, 0, 23, 50, 4, 4, "?\?/?\?/?\? 23:50|MODE: 4. Heavy Sleep|END:|?\?/?\?/?\? 0:10|DURATION:|20 minutes|"},
  };
  for (const auto& row : rows) {
    device_block& b = shown_night().working_block;
    b.tstamp = row.stamp, b.smoded = row.smoded, b.recstarth = row.hour, b.recstartm = row.minute;
    b.dur = row.dur, b.mode = row.mode;
    shown_night().no_record = 0;
    const std::string all = texts(record_view());
    EXPECT_EQ(all.substr(14, all.find("CUE COUNT") - 14), row.texts);  // after "RECORD START:|"
  }
  _putenv("TZ=");
  _tzset();
}

TEST_F(data_window, record_view_empty_form_and_its_places_on_screen_and_paper) {
  const SIZE cue = text_size(w(), "CUE COUNT ("), nd = text_size(w(), "CUES NOT DELIVERED (");
  const strings shapes = shapes_of(drawing(record_view()));
  EXPECT_EQ(strings(shapes.begin(), shapes.begin() + 12),
            (strings{"text RECORD START: 3,0", "text MODE: 250,0", "text END: 62,11", "text DURATION: 227,11",
                     "text CUE COUNT ( 3,22", text_of("line %ld,26 %ld,33", 4 + cue.cx, 4 + cue.cx),
                     text_of("text ): %ld,22", 7 + cue.cx), "text CUES NOT DELIVERED ( 128,22",
                     text_of("line %ld,26 %ld,33", 129 + nd.cx, 129 + nd.cx), text_of("text ): %ld,22", 132 + nd.cx),
                     "text CUE PLOT: 303,22", text_of("line 8,52 %d,52", 8 + (right() - 13) / 128 * 128)}));
  EXPECT_EQ(shapes[13], "text HRS: 3,57");  // after the first tick
  show_night();
  // The values stand at their places unless their labels are wider in the font: then right after them.
  auto places = [&](bool paper) {
    const long start = std::max(paper ? 95L : 87L, 3 + text_size(w(), "RECORD START:", paper).cx + 4);
    const long duration = std::max(227L, start + text_size(w(), "?\?/?\?/?\? 23:00", paper).cx + 4);
    return std::pair{start, std::max(paper ? 289L : 285L, duration + text_size(w(), "DURATION:", paper).cx + 4)};
  };
  for (const bool paper : {false, true}) {
    const auto [start, minutes] = places(paper);
    const strings night = shapes_of(drawing(record_view(), paper));
    for (const std::string& text :
         {text_of("text ?\?/?\?/?\? 23:00 %ld,0", start), text_of("text 640 minutes %ld,11", minutes)})
      EXPECT_NE(std::find(night.begin(), night.end(), text), night.end()) << text;
  }
}

TEST_F(data_window, cue_bracket_marks_and_the_full_plot_box) {
  show_night();
  const int b = (right() - 13) / 128, x0 = 8, x128 = 8 + 128 * b;
  auto at = [&](double minutes) { return static_cast<int>(minutes / 640 * (x128 - x0) + x0); };
  auto upright = [](int x) { return text_of("line %d,37 %d,69", x, x); };
  auto pair = [](int from, int to) {
    return strings{text_of("line %d,37 %d,37", from, to), text_of("line %d,68 %d,68", from, to)};
  };
  auto join = [](strings a, const strings& b) { return a.insert(a.end(), b.begin(), b.end()), a; };
  const struct {
    int start, cue_start, cue_end;  // hhmm
    strings bracket;
    const char* marks;  // bins 0, 1 and 90: B black (a cue), G gray (not delivered)
    const char* counts;
  } rows[] = {
      // 22:00 lies before the night and 6:00 next morning in it: from the end line to the left end.
      {2300, 2200, 600, join({upright(at(420))}, pair(at(420), x0)), "BBG", "2 1"},
      {2000, 2300, 200, join({upright(at(180)), upright(at(360))}, pair(at(180), at(360))), "GGG",
       "0 3"},                                           // across midnight
      {2300, 1200, 1159, pair(x0, x128), "BBB", "3 0"},  // noon to 11:59 wraps around the whole night
  };
  for (const auto& row : rows) {
    device_block& blk = shown_night().working_block;
    blk.recstarth = row.start / 100, blk.cstarth = row.cue_start / 100, blk.cstartm = row.cue_start % 100;
    blk.cendh = row.cue_end / 100, blk.cendm = row.cue_end % 100;
    strings bracket, marks;
    std::string colours;
    std::string counts;  // cues, then not delivered
    for (const drawn_item& item : drawing(record_view())) {
      if (item.shape.find(",40 ") != std::string::npos) {
        marks.push_back(item.shape);
        colours += item.pen == gray ? 'G' : 'B';
      } else if (item.pen == gray && item.shape.rfind("line", 0) == 0) {
        bracket.push_back(item.shape);
      } else if (item.shape.rfind("text ): ", 0) == 0) {
        counts += (counts.empty() ? "" : " ") + item.shape.substr(8, item.shape.rfind(' ') - 8);
      }
    }
    EXPECT_EQ(strings(bracket.begin() + 1, bracket.end()), row.bracket) << row.start;  // after the legend stroke
    strings expected_marks;
    for (int bin : {0, 1, 90}) expected_marks.push_back(text_of("line %d,40 %d,48", 10 + b * bin, 10 + b * bin));
    EXPECT_EQ(marks, expected_marks);
    EXPECT_EQ(colours, row.marks) << row.start;
    EXPECT_EQ(counts, row.counts) << row.start;
  }
  const strings shapes = shapes_of(drawing(record_view()));
  EXPECT_EQ(strings(shapes.end() - 4, shapes.end()),
            (strings{text_of("rect %d,37 %d,70", right() - 20, right()), text_of("text Cue %d,38", right() - 19),
                     text_of("text plot %d,47", right() - 18), text_of("text full! %d,57", right() - 18)}));
}

TEST_F(data_window, browser_line_and_buttons_follow_the_records_and_the_settings_view_its_block) {
  std::string places;  // the settings view's empty form while no night is shown
  for (const std::string& shape : shapes_of(drawing(settings_view()))) places += shape.substr(shape.rfind(' ')) + "|";
  EXPECT_EQ(places, " 3,156| 118,156| 223,156| 303,156| 3,168| 123,168| 243,168| 3,180| 123,180| 243,180| 393,180|");
  EXPECT_EQ(texts(settings_view()),
            "CUE DURATION:|CUE INTENSITY:|CUE RATE:|CUE TYPE:|WAKE-ALARM:|WAKE-TIME:|"
            "DREAM-ALARM:|INITIAL DELAY:|SENSITIVITY:|CUE PERIOD START:|CUE PERIOD END:|");
  const struct {
    int records, current;
    const char* text;
    COLORREF show, remove, plot;
  } rows[] = {{0, -1, "No data records", gray, gray, gray},
              {1, 0, "Record 1 out of 1", gray, 0, 0},
              {3, 1, "Record 2 out of 3", 0, 0, 0}};
  for (const auto& row : rows) {
    add_records(row.records - model().count());
    model().switch_to(row.current);
    const std::vector<drawn_item> items = drawing(w().browser);
    EXPECT_EQ(shapes_of(items),
              (strings{"line 220,198 220,218", "round 225,198 270,218 18x18", items[2].shape,
                       "round 275,198 320,218 18x18", items[4].shape, "round 325,198 370,218 18x18", items[6].shape,
                       "line 375,198 375,218", text_of("text %s 380,201", row.text)}));
    EXPECT_EQ(std::vector<COLORREF>({items[1].pen, items[3].pen, items[5].pen}),
              std::vector<COLORREF>({row.show, row.remove, row.plot}));
  }
  device_block& b = shown_night().working_block;
  b.type = 7, b.walarm = 2, b.dalarm = -1, b.wtimeh = 8, b.wtimem = 5, b.cdur = 255;
  EXPECT_EQ(texts(settings_view()),
            "CUE DURATION: 255|CUE INTENSITY: 3|CUE RATE: 2|CUE TYPE: Unknown cue type|WAKE-ALARM: ON|"
            "WAKE-TIME: 8:05|DREAM-ALARM: OFF|INITIAL DELAY: 0|SENSITIVITY: 6|CUE PERIOD START: 12:00|"
            "CUE PERIOD END: 11:59|");
}

}  // namespace
