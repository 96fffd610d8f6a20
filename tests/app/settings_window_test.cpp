// The Settings window: the form as drawn, the keyboard walk and typing, reset, upload, copy from a record, .sl2 files.
#include <ctime>

#include "device/test_link.h"
#include "model/settings_image.h"
#include "test_app.h"
#include "ui/choice_field_type.h"
#include "ui/help_line_type.h"
#include "ui/emf_recording.h"
#include "ui/time_field_type.h"
#include "ui/ui_effects.h"

namespace {

using strings = std::vector<std::string>;

// No beeps or pauses while it lives; refused keys are counted.
struct quiet_effects {
  static inline int beeps = 0;
  ui_effects saved = current_ui_effects();
  quiet_effects() {
    beeps = 0;
    current_ui_effects() = {[] { ++beeps; }, [](int) {}, [](HMENU, POINT, HWND) {}};
  }
  ~quiet_effects() { current_ui_effects() = saved; }
};

// The link on the simulator's engine; it notes the status window while the upload waits.
struct status_link : test_link {
  status_link(test_app& app, sim_engine& engine) : test_link(app, &engine), app(app) {}
  void sleep_ticks(int ticks) override {
    test_link::sleep_ticks(ticks);
    if (app.status_window)
      status = title(app.status_window->window) + " | " + app.status_window->text;
  }
  test_app& app;
  std::string status;
};

class settings_window : public app_fixture {
 protected:
  void SetUp() override {
    app_fixture::SetUp();
    start_app();
  }
  // WM_CHAR for each key, with Shift held or not.
  void type(const std::string& keys, bool shift = false) const {
    BYTE saved[256], held[256];
    GetKeyboardState(saved);
    std::memcpy(held, saved, sizeof held);
    held[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(held);
    for (char key : keys)
      SendMessageA(settings_win()->window, WM_CHAR, static_cast<BYTE>(key), 1);
    SetKeyboardState(saved);
  }
  void click(int x, int y) const {
    SendMessageA(settings_win()->window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  }
  // The focused widget's index, with h or m for the part of a time field.
  std::string focus() const {
    const widget_container& widgets = settings_win()->widgets;
    if (widgets.focus_index < 0)
      return "none";
    auto* time = dynamic_cast<time_field_type*>(widgets.focused());
    return std::to_string(widgets.focus_index) + (time ? (time->focused_part == 0 ? "h" : "m") : "");
  }
  std::string help() const { return static_cast<help_line_type*>(settings_win()->widgets.get(0))->help_text; }

  quiet_effects effects;
};

struct form_values {
  int cdur, intens, rate, type, wake_h, wake_m, delay, sens, start_h, start_m, end_h, end_m;
};

// A text measured in the window's display font.
SIZE text_size(settings_win_type& w, const std::string& text) {
  HDC hdc = GetDC(w.window);
  HGDIOBJ old = SelectObject(hdc, w.display_font);
  SIZE size{};
  GetTextExtentPoint32A(hdc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(hdc, old);
  ReleaseDC(w.window, hdc);
  return size;
}

// The texts of the form where its geometry puts them, measured in the window's display font.
strings expected_texts(settings_win_type& w, const form_values& v, const std::string& help) {
  auto width = [&](const std::string& t) { return static_cast<int>(text_size(w, t).cx); };
  strings out;
  auto text = [&](const std::string& t, int x, int y) { out.push_back(text_of("text %s %d,%d", t.c_str(), x, y)); };
  // Each gives the right edge of what it drew.
  auto numeric = [&](const std::string& label, int x, int y, int box, int value) {
    text(label, x, y);
    text(std::to_string(value), x + width(label) + 6, y);
    return x + width(label) + 3 + box;
  };
  auto time = [&](const std::string& label, int x, int y, int hour, int minute) {
    const int hours_right = numeric(label, x, y, 20, hour);
    text(":", hours_right + 2, y);
    text(text_of("%02d", minute), hours_right + 5 + 3, y);
    return hours_right + 5 + 20;
  };
  auto check_box = [&](const std::string& label, int x, int y) {
    text(label, x + 21, y);
    return x + width(label) + 23;
  };
  text("HELP:", 3, 0);
  text(help, 3 + width("HELP:") + 2, 0);
  int x = numeric("CUE DURATION:", 3, 17, 30, v.cdur) + 25;
  x = numeric("CUE INTENSITY:", x, 17, 12, v.intens) + 25;
  numeric("CUE RATE:", x, 17, 12, v.rate);
  text("CUE TYPE:", 3, 33);
  text(cue_type_name(v.type), 3 + width("CUE TYPE:") + 5, 33);
  x = check_box("WAKE-ALARM ON", 3, 55) + 25;
  x = time("WAKE-TIME:", x, 55, v.wake_h, v.wake_m) + 25;
  check_box("DREAM ALARM ON", x, 55);
  x = numeric("INITIAL DELAY:", 3, 75, 20, v.delay) + 3;
  numeric("x10 minutes         SENSITIVITY:", x, 75, 20, v.sens);
  x = time("CUE PERIOD START:", 3, 90, v.start_h, v.start_m) + 25;
  time("CUE PERIOD END:", x, 90, v.end_h, v.end_m);
  return out;
}

// The texts drawn, without the buttons' labels, and the separators and buttons.
std::pair<strings, strings> drawn_form(settings_win_type& w) {
  strings texts, frame;
  for (const std::string& shape : shapes_of(record_drawing([&](HDC hdc) { w.draw(hdc); }))) {
    if (shape.rfind("text Set Somnolux", 0) == 0 || shape.rfind("text Reset Settings", 0) == 0 ||
        shape.rfind("line 3,", 0) == 0 || shape.rfind("round", 0) == 0)
      frame.push_back(shape);
    else if (shape.rfind("text", 0) == 0)
      texts.push_back(shape);
  }
  return {texts, frame};
}

TEST_F(settings_window, the_form_draws_defaults_and_edited_values_where_the_font_puts_them) {
  settings_win_type& w = *settings_win();
  const char* duration_help = "Number of flashes and/or beeps per cue (1-255)";
  EXPECT_EQ(drawn_form(w).first, expected_texts(w, {10, 3, 2, 2, 8, 30, 0, 6, 12, 0, 11, 59}, duration_help));

  RECT client;
  GetClientRect(w.window, &client);
  const long r = client.right - 3;
  strings frame = {text_of("line 3,14 %ld,14", r), text_of("line 3,51 %ld,51", r), text_of("line 3,72 %ld,72", r),
                   text_of("line 3,106 %ld,106", r)};
  for (const auto& [label, left, right] : {std::tuple<std::string, int, int>{"Set Somnolux Settings", 90, 240},
                                           {"Reset Settings", 290, 390}}) {
    const SIZE size = text_size(w, label);  // centred in the button
    frame.push_back(text_of("round %d,110 %d,130 18x18", left, right));
    frame.push_back(text_of("text %s %ld,%ld", label.c_str(), left + (right - left - size.cx) / 2, 110 + (20 - size.cy) / 2));
  }
  device_settings& s = w.settings;
  s.cdur = 255, s.intens = 6, s.rate = 1, s.type = 5, s.walarm = 1, s.dalarm = 1, s.delay = 60, s.sens = 10;
  s.wtimeh_edit = 23, s.wtimem_edit = 5, s.cstarth_edit = 0, s.cstartm_edit = 0, s.cendh_edit = 9, s.cendm_edit = 9;
  s.wtimeh = s.cstarth = s.cendh = 1;  // the sent pairs are not what the form shows
  const auto [texts, drawn_frame] = drawn_form(w);
  EXPECT_EQ(texts, expected_texts(w, {255, 6, 1, 5, 23, 5, 60, 10, 0, 0, 9, 9}, duration_help));
  EXPECT_EQ(drawn_frame, frame);
}

TEST_F(settings_window, on_paper_sensitivity_and_the_minutes_move_right_and_come_back_after) {
  settings_win_type& w = *settings_win();
  auto x_of = [](const strings& shapes, const std::string& start) {
    for (const std::string& shape : shapes)
      if (shape.rfind("text " + start + " ", 0) == 0)
        return std::atoi(shape.substr(shape.rfind(' ') + 1).c_str());
    return -1000;
  };
  const strings screen = drawn_form(w).first;
  w.printing = 1;
  const strings paper = shapes_of(record_drawing([&](HDC hdc) {
    w.printer_dc = hdc;
    w.draw(hdc);
  }));
  w.printing = 0;
  w.printer_dc = nullptr;
  // SENSITIVITY by 2; the minutes of WAKE-TIME, CUE PERIOD START and END by 5, 10 and 13.
  for (const auto& [text, shift] : {std::pair<std::string, int>{"x10 minutes         SENSITIVITY:", 2},
                                    {"30", 5}, {"00", 10}, {"59", 13}, {"CUE DURATION:", 0}})
    EXPECT_EQ(x_of(paper, text) - x_of(screen, text), shift) << text;
  EXPECT_EQ(drawn_form(w).first, screen);
}

TEST_F(settings_window, tab_walks_the_fields_and_time_parts_with_their_help_and_wraps_both_ways) {
  const char* wake = "The time the Somnolux will deliver the Wake-up Alarm, if set ON (24 hour time)";
  const char* start = "Start time of period in which Somnolux will deliver cues if it detects REM sleep (24 hour time)";
  const char* end = "End time of period in which Somnolux will deliver cues if it detects REM sleep (24 hour time)";
  const char* duration = "Number of flashes and/or beeps per cue (1-255)";
  const std::pair<const char*, const char*> forwards[] = {
      {"2", duration},
      {"3", "Relative intensity of cue flashes and beeps (1-6)"},
      {"4", "Rate of cue flashes or beeps (1-6 per second)"},
      {"7", ""}, {"8h", wake}, {"8m", wake}, {"9", ""},
      {"11", "Tens of minutes delay that must expire before Somnolux gives cues (0-60)"},
      {"12", "Adjusts sensitivity of Somnolux to detect REM sleep (1-10)"},
      {"13h", start}, {"13m", start}, {"14h", end}, {"14m", end}, {"2", duration}};
  strings seen, expected, backwards;
  for (const auto& [at, text] : forwards) {
    EXPECT_EQ(help(), text) << at;
    seen.push_back(focus());
    expected.push_back(at);
    type("\t");
  }
  EXPECT_EQ(seen, expected);
  for (int i = 0; i < 14; ++i) {
    type("\t", true);
    backwards.push_back(focus());
  }
  // From CUE INTENSITY, where the walk above ended.
  EXPECT_EQ(backwards, (strings{"2", "14m", "14h", "13m", "13h", "12", "11", "9", "8m", "8h", "7", "4", "3", "2"}));
  type("\r\r");  // Enter is Tab
  EXPECT_EQ(focus(), "4");
  SendMessageA(settings_win()->window, WM_KEYDOWN, VK_RIGHT, 0);  // arrows do nothing
  SendMessageA(settings_win()->window, WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(focus(), "4");
}

TEST_F(settings_window, typing_fills_the_bound_settings_and_out_of_range_keys_beep_keeping_the_value) {
  device_settings& s = settings_win()->settings;
  struct row {
    const char* keys;
    int32_t device_settings::*field;
    int value, beeps;
  };
  const row rows[] = {
      {"300", &device_settings::cdur, 30, 1},      // fresh focus replaces 10; 300 is too much
      {"\t7", &device_settings::intens, 3, 1},
      {"\t\t\t24", &device_settings::wtimeh_edit, 2, 1},
      {"\t60", &device_settings::wtimem_edit, 6, 1},
      {"\t ", &device_settings::dalarm, 1, 0},     // the space ticks DREAM ALARM ON
      {"\t61", &device_settings::delay, 6, 1},
      {"\t011", &device_settings::sens, 1, 2},
      {"\t\t99", &device_settings::cstartm_edit, 9, 1},
      {"\t05", &device_settings::cendh_edit, 5, 0},
      {"\t\tx-", &device_settings::cdur, 30, 2},    // wrapped back to CUE DURATION
  };
  for (const row& r : rows) {
    quiet_effects::beeps = 0;
    type(r.keys);
    EXPECT_EQ(s.*r.field, r.value) << r.keys;
    EXPECT_EQ(quiet_effects::beeps, r.beeps) << r.keys;
  }
  EXPECT_EQ(s.wtimeh, 8);  // the sent pair waits for the upload
  type("\t7", true);  // back to the minutes of CUE PERIOD END
  EXPECT_EQ(s.cendm_edit, 7);

  // The mouse: the wake alarm's square, the cue type's popup, the help emptied.
  click(10, 60);
  EXPECT_EQ(s.walarm, 1);
  const RECT box = static_cast<choice_field_type*>(settings_win()->widgets.get(5))->box_rect();
  click(box.left + 2, box.top + 2);
  EXPECT_EQ(focus() + "|" + help(), "5|");
  command(settings_win()->window, IDM_POPUP_BASE + 3);
  EXPECT_EQ(s.type, 3);
  click(540, 100);
  EXPECT_EQ(focus(), "none");
}

TEST_F(settings_window, reset_asks_and_on_ok_brings_back_every_default_including_the_edit_copies) {
  settings_win_type& w = *settings_win();
  device_settings defaults;
  reset_settings(defaults);
  EXPECT_EQ(settings_fields_text(w.settings), settings_fields_text(defaults));
  w.settings = distinct_settings();
  app->answers = {IDCANCEL, IDOK};
  command(w.window, IDM_RESET_SETTINGS);
  EXPECT_EQ(settings_fields_text(w.settings), settings_fields_text(distinct_settings()));
  click(340, 120);  // the Reset Settings button
  EXPECT_EQ(settings_fields_text(w.settings), settings_fields_text(defaults));
  ASSERT_EQ(app->boxes.size(), 2u);
  for (const box_record& box : app->boxes)
    EXPECT_EQ(box.caption + "|" + box.text,
              "Reset Deafults?|This will overwrite the current Somnolux settings.  Are you sure you want to proceed?");
}

// Seconds since midnight.
int day_seconds(int hour, int minute, int second) { return hour * 3600 + minute * 60 + second; }

// The clock and stamp of the settings come from one local time between the two readings.
void expect_pc_clock(const device_settings& s, std::time_t before, std::time_t after) {
  const std::tm b = *std::localtime(&before), a = *std::localtime(&after);
  const int low = day_seconds(b.tm_hour, b.tm_min, b.tm_sec), high = day_seconds(a.tm_hour, a.tm_min, a.tm_sec);
  const int clock = day_seconds(s.todh, s.todm, s.tods);
  EXPECT_TRUE(low <= high ? clock >= low && clock <= high : clock >= low || clock <= high) << clock;
  EXPECT_EQ(s.todd, 0);
  const date_stamp stamp = unpack_date(s.tstamp);
  EXPECT_EQ(stamp.set, 1);
  EXPECT_TRUE(stamp.year == a.tm_year + 1900 || stamp.year == b.tm_year + 1900) << stamp.year;
  EXPECT_TRUE(stamp.day == a.tm_mday || stamp.day == b.tm_mday) << stamp.day;
  EXPECT_EQ(stamp.hour * 60 + stamp.minute, s.todh * 60 + s.todm);
}

TEST_F(settings_window, upload_asks_then_sends_the_edits_with_the_pc_clock_and_keeps_them_when_refused) {
  sim_engine engine(distinct_block());
  auto* link = new status_link(*app, engine);
  app->link.reset(link);
  settings_win_type& w = *settings_win();
  type("20");  // CUE DURATION has the focus
  w.settings.sens = 9, w.settings.wtimeh_edit = 6, w.settings.wtimem_edit = 45, w.settings.cstarth_edit = 3;
  app->answers = {IDCANCEL};
  command(w.window, IDM_SET_SETTINGS);
  EXPECT_TRUE(link->writes.empty());
  EXPECT_EQ(w.settings.wtimeh, 8);

  app->answers = {IDOK};
  std::time_t before = std::time(nullptr);
  click(150, 120);  // the Set Somnolux Settings button
  std::time_t after = std::time(nullptr);
  ASSERT_EQ(engine.upload_count(), 1);
  const device_settings& got = engine.last_upload();
  EXPECT_EQ(std::vector<int>({got.cdur, got.sens, got.wtimeh, got.wtimem, got.cstarth, got.cendh, got.type}),
            (std::vector<int>{20, 9, 6, 45, 3, 11, 2}));
  expect_pc_clock(got, before, after);
  EXPECT_EQ(settings_fields_text(w.settings), settings_fields_text(got));  // sent pairs, stamp and checksum kept
  EXPECT_EQ(link->status, "Status | Setting Somnolux...");
  EXPECT_EQ(app->status_window, nullptr);
  ASSERT_EQ(app->boxes.size(), 2u);
  EXPECT_EQ(app->boxes[1].caption + "|" + app->boxes[1].text,
            "Set Somnolux?|This will overwrite the current settings in the Somnolux.  Are you sure you want to proceed?");

  engine.faults.refuse_upload = true;
  link->writes.clear();
  w.settings.cdur = 33, w.settings.cendm_edit = 7;
  before = std::time(nullptr);
  command(w.window, IDM_SET_SETTINGS);
  after = std::time(nullptr);
  EXPECT_EQ(app->boxes.back().text, "Couldn't set Somnolux settings.");
  EXPECT_EQ(app->status_window, nullptr);
  expect_pc_clock(w.settings, before, after);  // nothing rolled back
  EXPECT_EQ(w.settings.cendm, 7);
  sim_engine replay(distinct_block());  // a box that takes what the first refused shows what was sent
  replay.receive(link->all_written());
  ASSERT_EQ(replay.upload_count(), 1);
  EXPECT_EQ(replay.last_upload().cdur, 33);
  EXPECT_EQ(settings_fields_text(replay.last_upload()), settings_fields_text(w.settings));
}

TEST_F(settings_window, copy_data_settings_asks_and_takes_the_current_records_settings) {
  settings_win_type& w = *settings_win();
  device_settings before;
  reset_settings(before);
  before.todh = 7, before.tstamp = 12345, before.checksum = 99;
  w.settings = before;
  data_win()->working_block = distinct_block();
  app->answers = {IDOK, IDCANCEL, IDOK};
  for (int step = 0; step < 2; ++step) {  // no current record; then Cancel
    command(w.window, IDM_COPY_DATA_SETTINGS);
    EXPECT_EQ(settings_fields_text(w.settings), settings_fields_text(before)) << step;
    add_record();
    data_win()->working_block = distinct_block();
  }
  command(w.window, IDM_COPY_DATA_SETTINGS);
  device_settings expected = before;  // lead, clock, stamp and checksum stay
  expected.cstarth = expected.cstarth_edit = 106, expected.cstartm = expected.cstartm_edit = 107;
  expected.cendh = expected.cendh_edit = 108, expected.cendm = expected.cendm_edit = 109;
  expected.wtimeh = expected.wtimeh_edit = 6, expected.wtimem = expected.wtimem_edit = 45;
  expected.delay = 113, expected.dalarm = 115, expected.walarm = 1;
  expected.type = 4, expected.rate = 5, expected.intens = 6, expected.cdur = 77, expected.sens = 9;
  EXPECT_EQ(settings_fields_text(w.settings), settings_fields_text(expected));
  ASSERT_EQ(app->boxes.size(), 3u);
  EXPECT_EQ(app->boxes[2].caption + "|" + app->boxes[2].text,
            "Copy Settings?|This will overwrite the current Somnolux settings.  Are you sure you want to proceed?");
}

TEST_F(settings_window, a_saved_sl2_is_the_exact_image_and_open_revert_and_close_bring_every_field_back) {
  test_app& a = *app;
  settings_win()->settings = distinct_settings();
  MoveWindow(settings_win()->window, 40, 300, 552, 177, TRUE);
  a.save_name = "night owl.sl2";
  command(settings_win()->window, IDM_SAVE);  // no file yet: save as
  const RECT r = rect_of(settings_win()->window);
  const int32_t rect[4] = {r.left, r.top, r.right, r.bottom};
  EXPECT_EQ(read_file("night owl.sl2"), settings_file_image(rect, distinct_settings()));

  reset_settings(settings_win()->settings);
  MoveWindow(settings_win()->window, 0, 0, 552, 177, TRUE);
  a.open_choice = 2;
  a.open_name = "night owl.sl2";
  a.answers = {IDOK};
  command(settings_win()->window, IDM_OPEN);
  EXPECT_EQ(settings_fields_text(settings_win()->settings), settings_fields_text(distinct_settings()));
  EXPECT_EQ(title(settings_win()->window), "night owl");
  EXPECT_EQ(rect_of(settings_win()->window).left, 40);
  EXPECT_TRUE(IsWindowVisible(settings_win()->window));

  settings_win()->settings.cdur = 1;
  a.answers = {IDOK};
  command(settings_win()->window, IDM_REVERT);
  EXPECT_EQ(settings_win()->settings.cdur, distinct_settings().cdur);

  settings_win()->settings.cdur = 200;
  a.answers = {IDYES};
  command(settings_win()->window, IDM_CLOSE);
  EXPECT_EQ(a.settings_document, nullptr);
  EXPECT_EQ(static_cast<unsigned char>(read_file("night owl.sl2").at(112 + 92)), 200);
  strings asked;
  for (const box_record& box : a.boxes)
    asked.push_back(box.caption + "|" + box.text);
  EXPECT_EQ(asked, (strings{
                       "Warning!|This operation will overwite the current settings document.  Are you sure you want to proceed?",
                       "Revert file?|This operation will throw away all changes to \"night owl\".  Are you sure you want to proceed?",
                       "Save before closing?|Do you want to save \"night owl\" before closing?"}));
}

}  // namespace
