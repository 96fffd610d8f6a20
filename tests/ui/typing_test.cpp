// Characters typed into the focused widget: what the fields accept, and what they refuse with a
// beep and no change.
#include <gtest/gtest.h>

#include "widget_test_support.h"

namespace {

class typing : public ::testing::Test {
 protected:
  struct step {
    const char* keys;
    int value;
    int beeps;
    const char* typed;
  };
  // Types each step's keys and checks the bound integer, the beeps so far and the typed text.
  void expect_steps(std::initializer_list<step> steps, const int& value, numeric_field_type* field) {
    for (const step& s : steps) {
      window.type(s.keys);
      EXPECT_EQ(value, s.value) << s.keys;
      EXPECT_EQ(effects.beeps, s.beeps) << s.keys;
      EXPECT_EQ(field->typed_text(), s.typed) << s.keys;
    }
  }

  test_app app;
  test_window window{&app};
  settings_form form{window};
  effects_recorder effects;
};

TEST_F(typing, a_numeric_field_stores_digits_in_range_and_beeps_at_the_rest) {
  ASSERT_EQ(form.focus(), "2");  // CUE DURATION, 1..255, showing 10
  expect_steps({{"0", 10, 1, ""},  // the first digit replaces the value: 0 is below the minimum
                {"2", 2, 1, "2"},
                {"55", 255, 1, "255"},
                {"6", 255, 2, "255"},
                {"\b\b", 2, 2, "2"},
                {"\b", 2, 3, "2"},  // 0 is below the minimum
                {"a -+", 2, 7, "2"}},
               form.duration, form.cue_duration);
  form.duration = 99;  // changed elsewhere while the field keeps the focus: the digits stay
  expect_steps({{"5", 25, 7, "25"}}, form.duration, form.cue_duration);
  window.type("\t");
  window.type("\t", true);
  expect_steps({{"3", 3, 7, "3"}, {"\b", 3, 8, "3"}}, form.duration, form.cue_duration);
}

TEST_F(typing, time_parts_check_their_own_ranges) {
  window.type("\t\t\t\t");
  ASSERT_EQ(form.focus(), "8 h");
  expect_steps({{"23", 23, 0, "23"}, {"1", 23, 1, "23"}}, form.wake_time[0], form.wake_time_field->hours.get());
  window.type("\t");
  expect_steps({{"6", 6, 1, "06"}, {"0", 6, 2, "06"}, {"\b", 0, 2, "00"}, {"5", 5, 2, "05"}}, form.wake_time[1],
               form.wake_time_field->minutes.get());
  EXPECT_EQ(form.wake_time[0], 23);
}

TEST_F(typing, space_toggles_a_focused_check_box_and_nothing_reaches_a_form_without_focus) {
  window.widgets.set_focus_index(7);
  window.type(" ");
  EXPECT_EQ(form.wake_alarm, 1);
  window.type("x1\b");
  EXPECT_EQ(form.wake_alarm, 1);
  form.wake_alarm = 5;
  window.type(" ");
  EXPECT_EQ(form.wake_alarm, 0);
  EXPECT_EQ(effects.beeps, 0);

  window.click(540, 150);
  window.type("7 \b");
  EXPECT_EQ(effects.beeps, 0);
  EXPECT_EQ(form.duration, 10);
  EXPECT_EQ(form.wake_alarm, 0);
  EXPECT_EQ(window.widgets.route_char(window.window, WM_CHAR, '7', 0), -1);

  int shown = 0;  // a field bound to nothing keeps its range
  auto* loose = window.add(new numeric_field_type(&window, 300, 150, "", 0, nullptr, 1, 9));
  window.widgets.set_focus_index(window.widgets.index_of(loose));
  expect_steps({{"5", 0, 0, "5"}, {"0", 0, 1, "5"}}, shown, loose);
}

// "report|export" of each widget of the form, in order.
strings texts(const widget_container& widgets) {
  strings result;
  for (widget_type* widget : widgets) {
    std::string report = "stale", exported = "stale";
    widget->get_report_text(report);
    widget->get_export_text(exported);
    result.push_back(report + "|" + exported);
  }
  return result;
}

TEST_F(typing, report_and_export_texts_follow_the_bound_values) {
  std::string line = std::string(85, '-') + "|";
  strings expected{"HELP: Number of flashes and/or beeps per cue (1-255)|", line, "CUE DURATION: 10|10",
                   "CUE INTENSITY: 3|3", "CUE RATE: 2|2", "CUE TYPE: 2: Light only, alternating eyes|CUE TYPE:", line,
                   "WAKE-ALARM ON: 0|WAKE-ALARM ON", "WAKE-TIME: 8:30|WAKE-TIME:", "DREAM ALARM ON: 0|DREAM ALARM ON",
                   line, "INITIAL DELAY: 0|0", "x10 minutes         SENSITIVITY: 6|6",
                   "CUE PERIOD START: 12:00|CUE PERIOD START:", "CUE PERIOD END: 11:59|CUE PERIOD END:", line, "|", "|"};
  EXPECT_EQ(texts(window.widgets), expected);
  window.type("7");
  form.type = 9;  // names no item
  form.wake_time[1] = 5;
  window.click(540, 150);
  window.add(new check_box_type(&window, 300, 150, "UNBOUND", nullptr));
  window.add(new numeric_field_type(&window, 300, 150, "", 0, nullptr, 1, 9));
  window.add(new choice_field_type(&window, 300, 150, "NONE:", 0, nullptr, nullptr));
  window.add(new widget_type(&window, 300, 150, "COMMENTS:"));
  window.add(new edit_text_type(&window, RECT{3, 121, 446, 152}, "Comments"));
  expected[0] = "HELP: |";
  expected[2] = "CUE DURATION: 7|7";
  expected[5] = "CUE TYPE: |CUE TYPE:";
  expected[8] = "WAKE-TIME: 8:05|WAKE-TIME:";
  expected.insert(expected.end(), {"UNBOUND: |UNBOUND", " 1|1", "NONE: |NONE:", "COMMENTS:|COMMENTS:",
                                   "Comments|Comments"});
  EXPECT_EQ(texts(window.widgets), expected);
}

}  // namespace
