// Focus walks with Tab and Enter, presses on every kind of widget, the help line, the button's
// press and the choice field's popup.
#include <gtest/gtest.h>

#include <tuple>

#include "widget_test_support.h"

namespace {

class focus_routing : public ::testing::Test {
 protected:
  // Types each key and lists the focus after it.
  strings walk(const std::string& keys, bool shift = false) {
    strings seen;
    for (char key : keys) {
      window.type(std::string(1, key), shift);
      seen.push_back(form.focus());
    }
    return seen;
  }

  test_app app;
  test_window window{&app};
  settings_form form{window};
  effects_recorder effects;
};

POINT centre(const RECT& box) { return {(box.left + box.right) / 2, (box.top + box.bottom) / 2}; }

TEST_F(focus_routing, tab_visits_every_field_and_both_time_parts_with_their_help_then_wraps) {
  const char* wake = "The time the Somnolux will deliver the Wake-up Alarm, if set ON (24 hour time)";
  const char* start = "Start time of period in which Somnolux will deliver cues if it detects REM sleep (24 hour time)";
  const char* end = "End time of period in which Somnolux will deliver cues if it detects REM sleep (24 hour time)";
  const std::pair<const char*, const char*> steps[] = {
      {"2", "Number of flashes and/or beeps per cue (1-255)"},  // the default focus, before any key
      {"3", "Relative intensity of cue flashes and beeps (1-6)"},
      {"4", "Rate of cue flashes or beeps (1-6 per second)"},
      {"7", ""}, {"8 h", wake}, {"8 m", wake}, {"9", ""},
      {"11", "Tens of minutes delay that must expire before Somnolux gives cues (0-60)"},
      {"12", "Adjusts sensitivity of Somnolux to detect REM sleep (1-10)"},
      {"13 h", start}, {"13 m", start}, {"14 h", end}, {"14 m", end},
      {"2", "Number of flashes and/or beeps per cue (1-255)"}};
  for (const auto& [focus, help] : steps) {
    EXPECT_EQ(form.focus(), focus);
    EXPECT_EQ(form.help->help_text, help) << focus;
    window.type("\t");
  }
}

TEST_F(focus_routing, shift_walks_backwards_entering_time_fields_at_their_minutes_and_enter_is_tab) {
  EXPECT_EQ(walk("\t\t\t\t\t\t\t\t\t\t\t\t\t", true),
            (strings{"14 m", "14 h", "13 m", "13 h", "12", "11", "9", "8 m", "8 h", "7", "4", "3", "2"}));
  EXPECT_EQ(walk("\t\t\t\t", true), (strings{"14 m", "14 h", "13 m", "13 h"}));
  EXPECT_EQ(walk("\t\t"), (strings{"13 m", "14 h"}));
  EXPECT_EQ(walk("\r\r\r"), (strings{"14 m", "2", "3"}));
  EXPECT_EQ(walk("\r\r", true), (strings{"2", "14 m"}));
  EXPECT_EQ(walk("\t\t\t"), (strings{"2", "3", "4"}));
  window.widgets.set_focus_index(12);
  EXPECT_EQ(walk("\t\r", true), (strings{"11", "9"}));
}

TEST_F(focus_routing, without_focus_tab_starts_at_the_first_and_shift_tab_at_the_last) {
  int before = app.menu_updates;
  window.click(540, 150);  // outside every widget: help base - 1, which has no string
  EXPECT_EQ(form.focus(), "none");
  EXPECT_EQ(form.help->help_id, -1);
  EXPECT_EQ(form.help->help_text, "");
  EXPECT_GT(app.menu_updates, before);  // every routing refreshes the menus
  SetFocus(nullptr);
  EXPECT_EQ(walk("\t"), strings{"2"});
  EXPECT_EQ(GetFocus(), window.window);  // the window takes the keys again
  before = app.menu_updates;
  window.type("5");
  EXPECT_EQ(app.menu_updates, before + 1);
  window.click(540, 150);
  before = app.menu_updates;
  window.click(540, 150);  // no change of focus, still a refresh
  EXPECT_EQ(app.menu_updates, before + 1);
  EXPECT_EQ(walk("\t", true), strings{"14 m"});

  test_window bare{&app};  // nothing takes the focus: it is removed
  bare.add(new widget_type(&bare, 3, 3, "only a label"));
  for (bool shift : {false, true}) {
    bare.widgets.set_focus_index(0);
    bare.type("\t", shift);
    EXPECT_EQ(bare.widgets.focus_index, -1);
  }
  int value = 0;  // then two fields: Shift+Tab from no focus takes the last
  bare.add(new numeric_field_type(&bare, 3, 30, "", 0, &value, 0, 9));
  bare.add(new numeric_field_type(&bare, 3, 50, "", 0, &value, 0, 9));
  bare.type("\t", true);
  EXPECT_EQ(bare.widgets.focus_index, 2);
}

TEST_F(focus_routing, a_press_focuses_the_widget_it_hits_or_else_removes_the_focus) {
  window.add(new widget_type(&window, 460, 150, "a label"));
  RECT number, hours, minutes, choice = form.cue_type->box_rect();
  form.sensitivity_field->get_box_rect(number);
  form.cue_end_field->hours->get_box_rect(hours);
  form.cue_end_field->minutes->get_box_rect(minutes);
  POINT in_number = centre(number), in_hours = centre(hours), in_minutes = centre(minutes);
  const auto* box = form.wake_alarm_box;
  const std::tuple<LONG, LONG, const char*, int> presses[] = {  // x, y, focus, check box value
      {in_number.x, in_number.y, "12", 0},
      {form.sensitivity_field->x + 2, in_number.y, "none", 0},  // its label
      {number.right, number.bottom, "12", 0},                   // the box's edges are inside
      {number.right + 1, number.bottom, "none", 0},
      {box->x + 40, box->y + 5, "7", 0},  // a check box's label focuses it without toggling
      {box->x + 3, box->y + 1, "7", 0},   // between its squares
      {box->x + 4, box->y + 2, "7", 1},   // the inner square, edges included, toggles it
      {box->x + 14, box->y + 12, "7", 0},
      {in_minutes.x, in_minutes.y, "14 m", 0},
      {in_hours.x, in_hours.y, "14 h", 0},
      {in_minutes.x, in_minutes.y, "14 m", 0},
      {hours.right + 2, in_hours.y, "none", 0},            // the colon
      {form.cue_end_field->x + 2, in_hours.y, "none", 0},  // the time field's label
      {choice.right, choice.bottom, "5", 0},               // opens the popup, dismissed
      {choice.right + 1, choice.bottom + 1, "none", 0},    // the choice box's shadow
      {form.cue_type->x + 3, choice.top + 5, "none", 0},   // its label
      {462, 152, "none", 0},                               // a label widget
  };
  for (const auto& [x, y, focus, alarm] : presses) {
    window.click(x, y);
    EXPECT_EQ(form.focus(), focus) << x << "," << y;
    EXPECT_EQ(form.wake_alarm, alarm) << x << "," << y;
    EXPECT_EQ(box->focused, form.focus() == "7");
    EXPECT_EQ(form.sensitivity_field->focused, form.focus() == "12");
  }
  EXPECT_EQ(effects.popups.size(), 1u);
  EXPECT_EQ(window.widgets.route_mouse(window.window, WM_LBUTTONDOWN, 0, MAKELPARAM(in_number.x, in_number.y)), 12);
  EXPECT_EQ(window.widgets.route_mouse(window.window, WM_LBUTTONDOWN, 0, MAKELPARAM(462, 152)), -1);
}

TEST_F(focus_routing, button_shows_its_press_then_runs_its_action_and_a_disabled_one_is_not_hit) {
  ShowWindow(window.window, SW_SHOWNA);  // only a shown window paints
  UpdateWindow(window.window);
  std::vector<int> painted;
  // Each paint notes the pressed flag (tens) and the actions run so far (ones).
  window.on_paint = [&] { painted.push_back(10 * form.set_button->pressed + form.set_presses); };
  effects.during_pause = [&] { painted.push_back(-1); };
  window.click(100, 120);
  EXPECT_EQ(effects.pauses, std::vector<int>{250});
  // The focus change paints first; pressed before the pause, plain again before the action.
  EXPECT_EQ(painted, (std::vector<int>{0, 10, -1, 0}));
  EXPECT_EQ(form.set_presses, 1);
  EXPECT_EQ(form.focus(), "16");
  window.click(240, 130);  // the rectangle's edge
  EXPECT_EQ(form.set_presses, 2);

  form.set_button->enabled = 0;
  window.click(100, 120);
  EXPECT_EQ(effects.pauses.size(), 2u);
  EXPECT_EQ(form.set_presses, 2);
  EXPECT_EQ(form.focus(), "none");
  EXPECT_EQ(form.set_button->handle_mouse(window.window, WM_LBUTTONDOWN, 0, MAKELPARAM(100, 120)), 0);
}

TEST_F(focus_routing, choice_box_opens_the_popup_at_its_corner_and_the_choice_comes_back_by_command) {
  RECT box = form.cue_type->box_rect();
  effects.popup_choice = 3;
  window.click(box.left, box.top);
  ASSERT_EQ(effects.popups.size(), 1u);
  const auto& run = effects.popups[0];
  strings items;
  for (int i = 0; i < 6; i++) items.push_back(std::to_string(10000 + i) + " " + cue_type_names[i]);
  EXPECT_EQ(run.items, items);
  POINT corner{box.left, box.top};
  ClientToScreen(window.window, &corner);
  EXPECT_EQ(std::make_pair(run.screen.x, run.screen.y), std::make_pair(corner.x, corner.y));
  EXPECT_EQ(run.owner, window.window);
  EXPECT_EQ(form.focus(), "5");
  EXPECT_EQ(form.type, 2);  // nothing is stored until the command arrives
  int before = app.menu_updates;
  pump_messages();
  EXPECT_EQ(form.type, 3);
  EXPECT_GT(app.menu_updates, before);

  form.cue_type->notify(10006);  // not one of its items
  EXPECT_EQ(form.type, 3);

  window.widgets.delete_all();  // a field that is gone no longer takes choices
  EXPECT_EQ(window.popup_owner, nullptr);
  SendMessageA(window.window, WM_COMMAND, 10001, 0);
}

}  // namespace
