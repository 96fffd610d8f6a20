// The Settings window: the keyboard walk and the fields' ranges, Reset, the upload, Copy Data Settings and Revert.
#include <ctime>

#include "../model/settings_image.h"
#include "test_app.h"

namespace {

class settings_window : public started_app {
 protected:
  settings_win_type& w() const { return *settings_win(); }
  device_settings& s() const { return settings_win()->section.settings; }
  void type(const std::string& keys, bool shift = false) const { type_chars(w().window, keys, shift); }
  // Whether the window was repainted by the action: its update region is emptied first.
  bool repaints(const std::function<void()>& action) const {
    ShowWindow(w().window, SW_SHOWNOACTIVATE);  // a hidden window has nothing to repaint
    ValidateRect(w().window, nullptr);
    action();
    return GetUpdateRect(w().window, nullptr, FALSE);
  }
};

TEST_F(settings_window, tab_walks_every_field_with_its_help_and_each_takes_its_range_ends_and_nothing_beyond) {
  const struct {
    const char* focus;  // the field, and h or m for a time's hours or minutes
    const char* help;   // a word of its help line
    int32_t device_settings::*value;
    int min, max;  // of a number; a check box toggles with Space
  } stops[] = {{"2", "beeps per cue", &device_settings::cdur, 1, 255},
               {"3", "intensity", &device_settings::intens, 1, 6},
               {"4", "Rate", &device_settings::rate, 1, 6},
               {"7", "", &device_settings::walarm, -1, -1},
               {"8h", "Wake-up", &device_settings::wtimeh_edit, 0, 23},
               {"8m", "Wake-up", &device_settings::wtimem_edit, 0, 59},
               {"9", "", &device_settings::dalarm, -1, -1},
               {"11", "delay", &device_settings::delay, 0, 60},
               {"12", "sensitivity", &device_settings::sens, 1, 10},
               {"13h", "Start time", &device_settings::cstarth_edit, 0, 23},
               {"13m", "Start time", &device_settings::cstartm_edit, 0, 59},
               {"14h", "End time", &device_settings::cendh_edit, 0, 23},
               {"14m", "End time", &device_settings::cendm_edit, 0, 59}};
  // Typed afresh into the field: the focus goes back and comes again.
  auto typed = [&](const std::string& keys) {
    type("\t", true), type("\t");
    io->beeps = 0;
    type(keys);
    return io->beeps;
  };
  for (const auto& stop : stops) {
    EXPECT_EQ(focus_name(w().widgets), stop.focus);
    EXPECT_NE(w().help->help_text.find(stop.help), std::string::npos) << stop.focus << ": " << w().help->help_text;
    if (stop.max < 0) {
      const int32_t before = s().*stop.value;
      type(" ");
      EXPECT_NE(s().*stop.value, before) << stop.focus;
    } else {
      for (const int value : {stop.max, stop.max + 1, stop.min, stop.min - 1}) {
        const bool fits = value >= stop.min && value <= stop.max;
        if (value < 0) continue;
        EXPECT_EQ(typed(std::to_string(value)) == 0, fits) << stop.focus << " " << value;
        EXPECT_EQ(s().*stop.value == value, fits) << stop.focus << " " << value;
      }
    }
    type("\t");
  }
}

TEST_F(settings_window, times_show_their_minutes_with_a_leading_zero) {
  s().wtimeh_edit = 8, s().wtimem_edit = 5, s().cstarth_edit = 22, s().cstartm_edit = 0;
  const strings texts = texts_of(record_drawing([&](HDC hdc) { w().draw(hdc); }));
  for (const char* shown : {"8", "05", "22", "00"})
    EXPECT_NE(std::find(texts.begin(), texts.end(), shown), texts.end()) << shown;
}

TEST_F(settings_window, reset_copy_data_settings_and_revert_ask_then_show_their_settings) {
  device_settings defaults, from_night;
  reset_settings(defaults);
  add_records();
  copy_block_settings(model().image.data.working_block = distinct_block(), from_night = defaults);
  s() = distinct_settings();
  io->save_name = "night owl.sl2";
  command(w().window, IDM_SAVE);
  const std::tuple<int, const char*, device_settings> rows[] = {{IDM_RESET_SETTINGS, "Reset Deafults?", defaults},
                                                                {IDM_COPY_DATA_SETTINGS, "Copy Settings?", from_night},
                                                                {IDM_REVERT, "Revert file?", distinct_settings()}};
  for (const auto& [id, question, after] : rows) {
    const std::string before = settings_text(s());
    io->answers = {IDCANCEL, IDOK};
    io->boxes.clear();
    EXPECT_FALSE(repaints([&] { command(w().window, id); })) << question;
    EXPECT_EQ(settings_text(s()), before) << question;
    EXPECT_TRUE(repaints([&] { command(w().window, id); })) << question;
    EXPECT_EQ(settings_text(s()), settings_text(after)) << question;
    EXPECT_EQ(io->boxes.at(1).caption, question);
  }
}

TEST_F(settings_window, upload_asks_then_sends_the_edits_stamped_with_todays_date) {
  sim_engine engine(distinct_block());
  fake_port& port = use_fake_port(&engine);
  type("20");  // CUE DURATION has the focus
  s().wtimeh_edit = 6, s().wtimem_edit = 45;
  io->answers = {IDCANCEL, IDOK};
  command(w().window, IDM_SET_SETTINGS);
  EXPECT_TRUE(port.writes.empty());
  const std::time_t before = std::time(nullptr);
  command(w().window, IDM_SET_SETTINGS);
  const std::time_t after = std::time(nullptr);
  ASSERT_EQ(engine.upload_count(), 1);
  const device_settings& got = engine.last_upload();
  EXPECT_EQ(std::vector<int>({got.cdur, got.wtimeh, got.wtimem}), std::vector<int>({20, 6, 45}));
  const date_stamp stamp = unpack_date(got.tstamp);
  bool today = false;  // the date of either reading of the clock
  for (const std::time_t t : {before, after}) {
    const std::tm local = *std::localtime(&t);
    today |= stamp.year == local.tm_year + 1900 && stamp.month == local.tm_mon + 1 && stamp.day == local.tm_mday;
  }
  EXPECT_TRUE(today) << stamp.year << "-" << stamp.month << "-" << stamp.day;
  EXPECT_EQ(io->boxes.at(1).caption, "Set Somnolux?");
}

}  // namespace
