// The Settings window: the form as drawn, its keyboard walk and typing, reset, upload, copy from a record, .sl2 files.
#include <ctime>

#include "model/settings_image.h"
#include "test_app.h"
#include "ui/help_line_type.h"

namespace {

class settings_window : public started_app {
 protected:
  settings_win_type& w() const { return *settings_win(); }
  device_settings& s() const { return settings_win()->section.settings; }
  void type(const std::string& keys, bool shift = false) const { type_chars(w().window, keys, shift); }
  void press(int x, int y) const { click(w().window, x, y); }
  std::string focus() const { return focus_name(w().widgets); }
  help_line_type& help() const { return *w().help; }
  std::string asked(std::size_t i) const { return io->boxes.at(i).caption + "|" + io->boxes.at(i).text; }
};

// The texts of the form where its geometry puts them in the window's display font; the values are
// CUE DURATION, INTENSITY, RATE, TYPE, WAKE-TIME, DELAY, SENSITIVITY, CUE PERIOD START and END.
strings expected_texts(settings_win_type& w, const std::vector<int>& v) {
  auto width = [&](const std::string& t) { return text_size(w, t).cx; };
  strings out;
  auto text = [&](const std::string& t, int x, int y) { out.push_back(text_of("text %s %d,%d", t.c_str(), x, y)); };
  auto numeric = [&](const std::string& label, int x, int y, int box, int value) {  // its right edge
    text(label, x, y);
    text(std::to_string(value), x + width(label) + 6, y);
    return x + width(label) + 3 + box;
  };
  auto time = [&](const std::string& label, int x, int y, int hour, int minute) {
    const int hours_right = numeric(label, x, y, 20, hour);
    text(":", hours_right + 2, y);
    text(text_of("%02d", minute), hours_right + 8, y);
    return hours_right + 25 + 25;
  };
  text("HELP:", 3, 0);
  text("Number of flashes and/or beeps per cue (1-255)", 3 + width("HELP:") + 2, 0);
  numeric("CUE RATE:", numeric("CUE INTENSITY:", numeric("CUE DURATION:", 3, 17, 30, v[0]) + 25, 17, 12, v[1]) + 25, 17,
          12, v[2]);
  text("CUE TYPE:", 3, 33);
  text(cue_type_name(v[3]), 3 + width("CUE TYPE:") + 5, 33);
  text("WAKE-ALARM ON", 24, 55);
  const int dream = time("WAKE-TIME:", 3 + width("WAKE-ALARM ON") + 23 + 25, 55, v[4], v[5]);
  text("DREAM ALARM ON", dream + 21, 55);
  numeric("x10 minutes         SENSITIVITY:", numeric("INITIAL DELAY:", 3, 75, 20, v[6]) + 3, 75, 20, v[7]);
  time("CUE PERIOD END:", time("CUE PERIOD START:", 3, 90, v[8], v[9]), 90, v[10], v[11]);
  return out;
}

// What the window draws, the buttons' labels apart, with the screen or a printer context.
strings drawn_texts(settings_win_type& w, bool paper = false, strings* frame = nullptr) {
  strings texts;
  for (const std::string& shape : shapes_of(recorded(
           w, [&](HDC hdc) { w.draw(hdc); }, paper))) {
    const bool button =
        shape.rfind("text Set Somnolux Settings ", 0) == 0 || shape.rfind("text Reset Settings ", 0) == 0;
    if (shape.rfind("text", 0) == 0 && !button)
      texts.push_back(shape);
    else if (frame && (shape.rfind("line 3,", 0) == 0 || shape.rfind("round", 0) == 0 || button))
      frame->push_back(shape);
  }
  return texts;
}

TEST_F(settings_window, draws_defaults_and_edits_where_the_font_puts_them_and_shifts_some_on_paper) {
  strings frame;
  const strings screen = drawn_texts(w(), false, &frame);
  EXPECT_EQ(screen, expected_texts(w(), {10, 3, 2, 2, 8, 30, 0, 6, 12, 0, 11, 59}));
  RECT client;
  GetClientRect(w().window, &client);
  strings expected_frame;
  for (int y : {14, 51, 72, 106}) expected_frame.push_back(text_of("line 3,%d %ld,%d", y, client.right - 3, y));
  for (const auto& [label, left] :
       {std::pair<std::string, int>{"Set Somnolux Settings", 90}, {"Reset Settings", 290}}) {
    const int right = left + (left == 90 ? 150 : 100);
    expected_frame.push_back(text_of("round %d,110 %d,130 18x18", left, right));
    expected_frame.push_back(
        text_of("text %s %d,113", label.c_str(), left + (right - left - text_size(w(), label).cx) / 2));
  }
  EXPECT_EQ(frame, expected_frame);

  // On paper SENSITIVITY moves by 2 and the minutes of the three times by 5, 10 and 13; the screen stays.
  const strings paper = drawn_texts(w(), true);
  auto x_of = [](const strings& shapes, const std::string& text) {
    for (const std::string& shape : shapes)
      if (shape.rfind("text " + text + " ", 0) == 0) return std::atoi(shape.substr(shape.rfind(' ') + 1).c_str());
    return -1000;
  };
  for (const auto& [text, shift] : {std::pair<std::string, int>{"x10 minutes         SENSITIVITY:", 2},
                                    {"30", 5},
                                    {"00", 10},
                                    {"59", 13},
                                    {"CUE DURATION:", 0}})
    EXPECT_EQ(x_of(paper, text) - x_of(screen, text), shift) << text;
  EXPECT_EQ(drawn_texts(w()), screen);

  s() = distinct_settings();  // the form shows the edit copies, not the sent times
  s().cdur = 255, s().intens = 6, s().rate = 1, s().type = 5, s().walarm = s().dalarm = 1, s().delay = 60,
  s().sens = 10;
  s().wtimeh_edit = 23, s().wtimem_edit = 5, s().cstarth_edit = s().cstartm_edit = 0,
  s().cendh_edit = s().cendm_edit = 9;
  EXPECT_EQ(drawn_texts(w()), expected_texts(w(), {255, 6, 1, 5, 23, 5, 60, 10, 0, 0, 9, 9}));
}

TEST_F(settings_window, tab_and_enter_walk_the_fields_and_time_parts_both_ways_with_their_help) {
  std::string forwards, backwards;
  for (int i = 0; i < 14; ++i, type("\t")) {
    forwards += focus() + " ";
    EXPECT_EQ(help().help_id, w().widgets.focus_index);
  }
  for (int i = 0; i < 14; ++i, backwards += focus() + " ") type("\t", true);
  EXPECT_EQ(forwards, "2 3 4 7 8h 8m 9 11 12 13h 13m 14h 14m 2 ");
  EXPECT_EQ(backwards, "2 14m 14h 13m 13h 12 11 9 8m 8h 7 4 3 2 ");
  type("\r\r\r");
  EXPECT_EQ(focus() + "|" + help().help_text, "7|");
  type("\r");
  SendMessageA(w().window, WM_KEYDOWN, VK_TAB, 0);  // key-down messages do nothing here
  EXPECT_EQ(focus() + "|" + help().help_text,
            "8h|The time the Somnolux will deliver the Wake-up Alarm, if set ON (24 hour time)");
}

TEST_F(settings_window, typing_fills_the_bound_settings_and_a_key_out_of_range_beeps_keeping_the_value) {
  const std::tuple<const char*, int32_t device_settings::*, int, int> rows[] = {
      {"300", &device_settings::cdur, 30, 1},  // the first key after the focus replaces 10
      {"\b\b", &device_settings::cdur, 3, 1},  // an empty field would be 0, below the minimum
      {"\t7", &device_settings::intens, 3, 1},          {"\t\t\t24", &device_settings::wtimeh_edit, 2, 1},
      {"\t60", &device_settings::wtimem_edit, 6, 1},    {"\t ", &device_settings::dalarm, 1, 0},
      {"\t61", &device_settings::delay, 6, 1},          {"\t011", &device_settings::sens, 1, 2},
      {"\t\t99", &device_settings::cstartm_edit, 9, 1}, {"\t05", &device_settings::cendh_edit, 5, 0},
      {"\t\tx-", &device_settings::cdur, 3, 2}};  // wrapped to CUE DURATION
  for (const auto& [keys, field, value, refused] : rows) {
    io->beeps = 0;
    type(keys);
    EXPECT_EQ(s().*field, value) << keys;
    EXPECT_EQ(io->beeps, refused) << keys;
  }
  EXPECT_EQ(s().wtimeh, 8);  // the sent pair waits for the upload
  type("\t7", true);
  EXPECT_EQ(s().cendm_edit, 7);
}

TEST_F(settings_window, reset_asks_and_on_ok_brings_back_every_default_with_the_edit_copies) {
  device_settings defaults;
  reset_settings(defaults);
  EXPECT_EQ(settings_text(s()), settings_text(defaults));
  s() = distinct_settings();
  io->answers = {IDCANCEL, IDOK};
  command(w().window, IDM_RESET_SETTINGS);
  EXPECT_EQ(settings_text(s()), settings_text(distinct_settings()));
  press(340, 120);  // the Reset Settings button
  EXPECT_EQ(settings_text(s()), settings_text(defaults));
  EXPECT_EQ(asked(1),
            "Reset Deafults?|This will overwrite the current Somnolux settings.  Are you sure you want to proceed?");
}

// The clock and the stamp come from one local time between the two readings.
void expect_pc_clock(const device_settings& s, std::time_t before, std::time_t after) {
  const std::tm b = *std::localtime(&before), a = *std::localtime(&after);
  const int low = b.tm_hour * 3600 + b.tm_min * 60 + b.tm_sec, high = a.tm_hour * 3600 + a.tm_min * 60 + a.tm_sec;
  const int clock = s.todh * 3600 + s.todm * 60 + s.tods;
  EXPECT_TRUE(low <= high ? clock >= low && clock <= high : clock >= low || clock <= high) << clock;
  const date_stamp stamp = unpack_date(s.tstamp);
  EXPECT_TRUE(stamp.year == a.tm_year + 1900 && (stamp.day == a.tm_mday || stamp.day == b.tm_mday)) << s.tstamp;
  EXPECT_EQ(std::vector<int>({stamp.set, stamp.hour, stamp.minute, s.todd}), (std::vector<int>{1, s.todh, s.todm, 0}));
}

TEST_F(settings_window, upload_asks_then_sends_the_edits_with_the_pc_clock_and_keeps_them_when_refused) {
  sim_engine engine(distinct_block());
  fake_port& port = use_fake_port(&engine);
  std::string status;  // the status window while the upload waits
  port.on_wait = [&] {
    if (app->status_window) status = title(app->status_window->window) + "|" + app->status_window->text;
  };
  type("20");  // CUE DURATION has the focus
  s().sens = 9, s().wtimeh_edit = 6, s().wtimem_edit = 45, s().cstarth_edit = 3;
  io->answers = {IDCANCEL, IDOK};
  command(w().window, IDM_SET_SETTINGS);
  EXPECT_TRUE(port.writes.empty());
  std::time_t before = std::time(nullptr);
  press(150, 120);  // the Set Somnolux Settings button
  ASSERT_EQ(engine.upload_count(), 1);
  const device_settings& got = engine.last_upload();
  expect_pc_clock(got, before, std::time(nullptr));
  EXPECT_EQ(std::vector<int>({got.cdur, got.sens, got.wtimeh, got.wtimem, got.cstarth, got.cendh, got.type}),
            (std::vector<int>{20, 9, 6, 45, 3, 11, 2}));
  EXPECT_EQ(settings_text(s()), settings_text(got));  // the sent pairs, the stamp and the checksum kept
  EXPECT_EQ(status + "|" + std::to_string(app->status_window == nullptr), "Status|Setting Somnolux...|1");
  EXPECT_EQ(
      asked(1),
      "Set Somnolux?|This will overwrite the current settings in the Somnolux.  Are you sure you want to proceed?");

  engine.faults.refuse_upload = true;
  port.writes.clear();
  s().cdur = 33, s().cendm_edit = 7;
  before = std::time(nullptr);
  command(w().window, IDM_SET_SETTINGS);
  EXPECT_EQ(io->boxes.back().text, "Couldn't set Somnolux settings.");
  expect_pc_clock(s(), before, std::time(nullptr));  // nothing rolled back
  sim_engine replay(distinct_block());               // a box that takes what the first refused shows what was sent
  replay.receive(port.all_written());
  EXPECT_EQ(std::to_string(s().cendm) + " " + settings_text(replay.last_upload()), "7 " + settings_text(s()));
}

TEST_F(settings_window, copy_data_settings_asks_and_takes_the_current_records_settings_only) {
  device_settings before;
  reset_settings(before);
  before.todh = 7, before.tstamp = 12345, before.checksum = 99;
  s() = before;
  io->answers = {IDOK, IDCANCEL, IDOK};
  command(w().window, IDM_COPY_DATA_SETTINGS);  // no current record
  add_records();
  model().image.data.working_block = distinct_block();
  command(w().window, IDM_COPY_DATA_SETTINGS);  // cancelled
  EXPECT_EQ(settings_text(s()), settings_text(before));
  command(w().window, IDM_COPY_DATA_SETTINGS);
  device_settings expected = before;  // lead, clock, stamp and checksum stay
  expected.cstarth = expected.cstarth_edit = 106, expected.cstartm = expected.cstartm_edit = 107;
  expected.cendh = expected.cendh_edit = 108, expected.cendm = expected.cendm_edit = 109;
  expected.wtimeh = expected.wtimeh_edit = 6, expected.wtimem = expected.wtimem_edit = 45;
  expected.delay = 113, expected.dalarm = 115, expected.walarm = 1;
  expected.type = 4, expected.rate = 5, expected.intens = 6, expected.cdur = 77, expected.sens = 9;
  EXPECT_EQ(settings_text(s()), settings_text(expected));
  EXPECT_EQ(asked(2),
            "Copy Settings?|This will overwrite the current Somnolux settings.  Are you sure you want to proceed?");
}

TEST_F(settings_window, a_saved_sl2_is_the_exact_image_and_open_revert_and_close_bring_every_field_back) {
  s() = distinct_settings();
  MoveWindow(w().window, 40, 300, 552, 177, TRUE);
  io->save_name = "night owl.sl2";
  command(w().window, IDM_SAVE);  // no file yet: save as
  const RECT r = rect_of(w().window);
  const int32_t rect[4] = {r.left, r.top, r.right, r.bottom};
  EXPECT_EQ(read_file("night owl.sl2"), settings_file_image(rect, distinct_settings()));

  reset_settings(s());
  MoveWindow(w().window, 0, 0, 552, 177, TRUE);
  io->open_filter = 2;
  io->open_name = "night owl.sl2";
  io->answers = {IDOK, IDOK, IDYES};
  command(w().window, IDM_OPEN);
  EXPECT_EQ(settings_text(s()), settings_text(distinct_settings()));
  EXPECT_EQ(title(w().window) + " " + std::to_string(rect_of(w().window).left), "night owl 40");
  EXPECT_TRUE(IsWindowVisible(w().window));
  s().cdur = 1;
  command(w().window, IDM_REVERT);
  EXPECT_EQ(s().cdur, distinct_settings().cdur);
  s().cdur = 200;
  command(w().window, IDM_CLOSE);  // Yes to the save question
  EXPECT_EQ(app->settings_document, nullptr);
  EXPECT_EQ(static_cast<unsigned char>(read_file("night owl.sl2").at(112 + 92)), 200);
  EXPECT_EQ(
      asked(1),
      "Revert file?|This operation will throw away all changes to \"night owl\".  Are you sure you want to proceed?");
  write_file("short.sl2", read_file("night owl.sl2").substr(0, 200));
  app->open_settings_file((directory / "short.sl2").string(), "short.sl2");
  EXPECT_EQ(io->boxes.back().text, "Couldn't read file: -7");
}

}  // namespace
