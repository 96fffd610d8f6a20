// Characters typed into the focused widget: what fields accept, what they refuse with a beep.
#include <gtest/gtest.h>

#include "ui/check_box_type.h"
#include "ui/numeric_field_type.h"
#include "ui/time_field_type.h"
#include "widget_test_support.h"

namespace {

class typing : public ::testing::Test {
 protected:
  test_app app;
  test_window window{&app};
  settings_form form{window};
  effects_recorder effects;
};

TEST_F(typing, digits_are_stored_while_in_range_and_refused_with_a_beep_beyond) {
  ASSERT_EQ(form.focus(), "2");  // CUE DURATION, 1..255, showing 10
  window.type("0");
  EXPECT_EQ(effects.beeps, 1);
  EXPECT_EQ(form.duration, 10);
  window.type("2");
  EXPECT_EQ(form.duration, 2);
  window.type("55");
  EXPECT_EQ(form.duration, 255);
  window.type("6");
  EXPECT_EQ(effects.beeps, 2);
  EXPECT_EQ(form.duration, 255);
  EXPECT_EQ(form.cue_duration->typed_text(), "255");
}

TEST_F(typing, the_first_digit_after_gaining_the_focus_replaces_the_value) {
  window.type("3");
  EXPECT_EQ(form.duration, 3);  // not 103
  window.type("7");
  window.tab();
  window.tab(true);
  window.type("5");
  EXPECT_EQ(form.duration, 5);  // not 375
}

TEST_F(typing, a_value_changed_elsewhere_keeps_the_typed_digits) {
  window.type("2");
  form.duration = 99;  // a reset or a file read while the field keeps the focus
  window.type("5");
  EXPECT_EQ(form.duration, 25);
}

TEST_F(typing, backspace_refused_below_the_minimum_and_taking_zero_where_allowed) {
  window.type("5\b");
  EXPECT_EQ(effects.beeps, 1);
  EXPECT_EQ(form.duration, 5);
  EXPECT_EQ(form.cue_duration->typed_text(), "5");

  window.tab(true);  // CUE PERIOD END minutes, then hours ...
  window.tab(true);
  window.tab(true);
  window.tab(true);
  window.tab(true);
  window.tab(true);
  ASSERT_EQ(form.focus(), "11");  // INITIAL DELAY, 0..60
  window.type("5\b");
  EXPECT_EQ(form.delay, 0);
  window.type("\b");
  EXPECT_EQ(form.delay, 0);
  EXPECT_EQ(effects.beeps, 1);
  window.tab(true);
  window.tab();
  window.type("\b");  // nothing typed since the focus came: nothing to take away
  EXPECT_EQ(effects.beeps, 2);
}

TEST_F(typing, letters_signs_and_blanks_beep_and_change_nothing) {
  window.type("4");
  window.type("a -+x");
  EXPECT_EQ(effects.beeps, 5);
  EXPECT_EQ(form.duration, 4);
  EXPECT_EQ(form.cue_duration->typed_text(), "4");
}

TEST_F(typing, time_parts_check_their_own_ranges) {
  for (int i = 0; i < 4; i++) window.tab();
  ASSERT_EQ(form.focus(), "8 h");
  window.type("23");
  EXPECT_EQ(form.wake_time[0], 23);
  window.type("1");
  EXPECT_EQ(effects.beeps, 1);
  EXPECT_EQ(form.wake_time[0], 23);
  window.tab();
  window.type("6");
  EXPECT_EQ(form.wake_time[1], 6);
  EXPECT_EQ(form.wake_time_field->minutes->typed_text(), "06");
  window.type("0");  // 060 is 60
  EXPECT_EQ(effects.beeps, 2);
  EXPECT_EQ(form.wake_time[1], 6);
  window.type("\b5");  // 0, then 05
  EXPECT_EQ(form.wake_time[1], 5);
  std::string report;
  form.wake_time_field->get_report_text(report);
  EXPECT_EQ(report, "WAKE-TIME: 23:05");
}

TEST_F(typing, space_toggles_a_focused_check_box_once_and_other_keys_do_nothing) {
  window.tab();
  window.tab();
  window.tab();
  ASSERT_EQ(form.focus(), "7");
  window.type(" ");
  EXPECT_EQ(form.wake_alarm, 1);
  window.type("x1");
  EXPECT_EQ(form.wake_alarm, 1);
  EXPECT_EQ(effects.beeps, 0);
  window.type(" ");
  EXPECT_EQ(form.wake_alarm, 0);
  form.wake_alarm = 5;
  window.type(" ");
  EXPECT_EQ(form.wake_alarm, 0);
}

TEST_F(typing, characters_without_a_focused_widget_go_nowhere) {
  window.click(540, 150);
  window.type("7 ");
  EXPECT_EQ(effects.beeps, 0);
  EXPECT_EQ(form.duration, 10);
  EXPECT_EQ(form.wake_alarm, 0);
  EXPECT_EQ(window.widgets.route_char(window.window, WM_CHAR, '7', 0), -1);
}

TEST_F(typing, a_field_bound_to_nothing_still_checks_its_range) {
  auto* loose = window.add(new numeric_field_type(&window, 300, 150, "LOOSE:", 0, nullptr, 1, 9));
  window.widgets.set_focus_index(window.widgets.index_of(loose));
  window.type("5");
  EXPECT_EQ(effects.beeps, 0);
  window.type("0");
  EXPECT_EQ(effects.beeps, 1);
  std::string shown;
  loose->get_export_text(shown);
  EXPECT_EQ(shown, "1");  // shows its minimum
}

}  // namespace
