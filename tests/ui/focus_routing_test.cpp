// Focus moves with Tab and Enter, mouse presses on every kind of widget, and the help line.
#include <gtest/gtest.h>

#include "ui/button_type.h"
#include "ui/check_box_type.h"
#include "ui/choice_field_type.h"
#include "ui/help_line_type.h"
#include "ui/numeric_field_type.h"
#include "ui/time_field_type.h"
#include "widget_test_support.h"

namespace {

class focus_routing : public ::testing::Test {
 protected:
  test_app app;
  test_window window{&app};
  settings_form form{window};
  effects_recorder effects;

  std::vector<std::string> walk(int steps, bool shift, bool use_enter = false) {
    std::vector<std::string> seen;
    for (int i = 0; i < steps; i++) {
      use_enter ? window.enter(shift) : window.tab(shift);
      seen.push_back(form.focus());
    }
    return seen;
  }

  // Centre of a numeric field's value box.
  POINT box_centre(numeric_field_type* field) {
    RECT box;
    field->get_box_rect(box);
    return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
  }
};

TEST_F(focus_routing, the_form_starts_on_its_default_focus_with_its_help) {
  EXPECT_EQ(form.focus(), "2");
  EXPECT_EQ(form.cue_duration->focused, 1);
  EXPECT_EQ(form.help->help_text, "Number of flashes and/or beeps per cue (1-255)");
}

TEST_F(focus_routing, tab_visits_each_field_and_both_parts_of_each_time_then_wraps) {
  EXPECT_EQ(walk(13, false), (std::vector<std::string>{"3", "4", "7", "8 h", "8 m", "9", "11", "12", "13 h", "13 m",
                                                       "14 h", "14 m", "2"}));
}

TEST_F(focus_routing, shift_tab_walks_the_same_order_backwards) {
  EXPECT_EQ(walk(13, true), (std::vector<std::string>{"14 m", "14 h", "13 m", "13 h", "12", "11", "9", "8 m", "8 h",
                                                      "7", "4", "3", "2"}));
}

TEST_F(focus_routing, enter_moves_like_tab_and_shift_enter_like_shift_tab) {
  EXPECT_EQ(walk(4, false, true), (std::vector<std::string>{"3", "4", "7", "8 h"}));
  EXPECT_EQ(walk(3, true, true), (std::vector<std::string>{"7", "4", "3"}));
}

TEST_F(focus_routing, only_the_focused_part_of_a_time_field_is_marked_focused) {
  walk(4, false);
  EXPECT_EQ(form.wake_time_field->hours->focused, 1);
  EXPECT_EQ(form.wake_time_field->minutes->focused, 0);
  walk(1, false);
  EXPECT_EQ(form.wake_time_field->hours->focused, 0);
  EXPECT_EQ(form.wake_time_field->minutes->focused, 1);
  walk(1, false);
  EXPECT_EQ(form.wake_time_field->focused_part, -1);
  EXPECT_EQ(form.wake_time_field->minutes->focused, 0);
}

TEST_F(focus_routing, without_focus_tab_starts_at_the_first_and_shift_tab_at_the_last) {
  window.click(540, 150);
  EXPECT_EQ(form.focus(), "none");
  EXPECT_EQ(walk(1, false), std::vector<std::string>{"2"});
  window.click(540, 150);
  EXPECT_EQ(walk(1, true), std::vector<std::string>{"14 m"});
}

TEST_F(focus_routing, a_container_where_nothing_takes_the_focus_loses_it) {
  test_window bare{&app};
  bare.add(new widget_type(&bare, 3, 3, "only a label"));
  bare.widgets.set_focus_index(0);
  bare.tab();
  EXPECT_EQ(bare.widgets.focus_index, -1);
  bare.widgets.set_focus_index(0);
  bare.tab(true);
  EXPECT_EQ(bare.widgets.focus_index, -1);
}

TEST_F(focus_routing, help_line_follows_the_focus) {
  walk(4, false);  // WAKE-TIME
  EXPECT_EQ(form.help->help_text, "The time the Somnolux will deliver the Wake-up Alarm, if set ON (24 hour time)");
  walk(1, false);  // its minutes: same field, same help
  EXPECT_EQ(form.help->help_id, 8);
  walk(1, false);  // DREAM ALARM ON has no help
  EXPECT_EQ(form.help->help_id, 9);
  EXPECT_EQ(form.help->help_text, "");
  walk(2, false);
  EXPECT_EQ(form.help->help_text, "Adjusts sensitivity of Somnolux to detect REM sleep (1-10)");
  window.click(540, 150);  // outside every widget: help base - 1
  EXPECT_EQ(form.help->help_id, -1);
  EXPECT_EQ(form.help->help_text, "");
}

TEST_F(focus_routing, every_routing_refreshes_the_menus) {
  int before = app.menu_updates;
  window.tab();
  EXPECT_GT(app.menu_updates, before);
  before = app.menu_updates;
  window.type("5");
  EXPECT_EQ(app.menu_updates, before + 1);
  before = app.menu_updates;
  window.click(540, 150);
  EXPECT_GT(app.menu_updates, before);
}

TEST_F(focus_routing, a_press_on_a_numeric_box_focuses_it_and_one_on_its_label_removes_the_focus) {
  auto* sensitivity = form.sensitivity_field;
  POINT centre = box_centre(sensitivity);
  window.click(centre.x, centre.y);
  EXPECT_EQ(form.focus(), "12");
  EXPECT_EQ(sensitivity->focused, 1);
  window.click(sensitivity->x + 2, sensitivity->y + 5);  // on "x10 minutes", the label
  EXPECT_EQ(form.focus(), "none");
  EXPECT_EQ(sensitivity->focused, 0);
  // The box's edges count as inside.
  RECT box;
  sensitivity->get_box_rect(box);
  window.click(box.right, box.bottom);
  EXPECT_EQ(form.focus(), "12");
  window.click(box.right + 1, box.bottom);
  EXPECT_EQ(form.focus(), "none");
}

TEST_F(focus_routing, a_press_on_a_label_widget_removes_the_focus) {
  window.add(new widget_type(&window, 460, 150, "a label"));
  EXPECT_EQ(window.widgets.route_mouse(window.window, WM_LBUTTONDOWN, 0, MAKELPARAM(462, 152)), -1);
  EXPECT_EQ(form.focus(), "none");
}

TEST_F(focus_routing, check_box_label_focuses_and_inner_square_toggles) {
  auto* box = form.wake_alarm_box;
  window.click(box->x + 40, box->y + 5);  // the label
  EXPECT_EQ(form.focus(), "7");
  EXPECT_EQ(box->focused, 1);
  EXPECT_EQ(form.wake_alarm, 0);
  window.click(box->x + 3, box->y + 1);  // between the outer and the inner square
  EXPECT_EQ(form.wake_alarm, 0);
  window.click(box->x + 4, box->y + 2);  // the inner square's corner
  EXPECT_EQ(form.wake_alarm, 1);
  window.click(box->x + 14, box->y + 12);
  EXPECT_EQ(form.wake_alarm, 0);
  window.tab();
  EXPECT_EQ(box->focused, 0);
}

TEST_F(focus_routing, clicks_on_a_time_field_focus_the_part_under_them) {
  auto* time = form.cue_end_field;
  POINT minutes = box_centre(time->minutes.get());
  window.click(minutes.x, minutes.y);
  EXPECT_EQ(form.focus(), "14 m");
  POINT hours = box_centre(time->hours.get());
  window.click(hours.x, hours.y);
  EXPECT_EQ(form.focus(), "14 h");
  window.click(minutes.x, minutes.y);
  EXPECT_EQ(form.focus(), "14 m");
  RECT hours_box;
  time->hours->get_box_rect(hours_box);
  window.click(hours_box.right + 2, hours_box.top + 5);  // the colon between the boxes
  EXPECT_EQ(form.focus(), "none");
  window.click(time->x + 2, time->y + 5);  // the label
  EXPECT_EQ(form.focus(), "none");
}

TEST_F(focus_routing, shift_tab_into_a_time_field_lands_on_its_minutes_and_a_later_tab_on_its_hours) {
  window.click(540, 150);
  window.tab(true);
  EXPECT_EQ(form.focus(), "14 m");
  window.tab();  // wraps out of the minutes to the first field
  window.tab(true);
  EXPECT_EQ(form.focus(), "14 m");
  window.tab(true);
  window.tab(true);
  EXPECT_EQ(form.focus(), "13 m");
  POINT centre = box_centre(form.cue_duration);
  window.click(centre.x, centre.y);
  walk(4, false);
  EXPECT_EQ(form.focus(), "8 h");
}

TEST_F(focus_routing, button_shows_its_press_then_runs_its_action_once) {
  ShowWindow(window.window, SW_SHOWNA);  // only a shown window paints
  UpdateWindow(window.window);
  std::vector<int> painted;
  window.on_paint = [&] { painted.push_back(form.set_button->pressed); };
  std::vector<std::string> during;
  effects.during_pause = [&] {
    during.push_back("pressed " + std::to_string(form.set_button->pressed) + " action " +
                     std::to_string(form.set_presses));
  };
  window.click(100, 120);
  EXPECT_EQ(effects.pauses, std::vector<int>{250});
  EXPECT_EQ(during, std::vector<std::string>{"pressed 1 action 0"});
  // The focus change paints first; then pressed before the pause and plain before the action.
  EXPECT_EQ(painted, (std::vector<int>{0, 1, 0}));
  EXPECT_EQ(form.set_button->pressed, 0);
  EXPECT_EQ(form.set_presses, 1);
  EXPECT_EQ(form.focus(), "16");
  EXPECT_EQ(form.help->help_text, "");
  // The edge of the rectangle is part of the button.
  window.click(240, 130);
  EXPECT_EQ(form.set_presses, 2);
}

TEST_F(focus_routing, a_disabled_button_cannot_be_hit) {
  form.set_button->enabled = 0;
  window.click(100, 120);
  EXPECT_TRUE(effects.pauses.empty());
  EXPECT_EQ(form.set_presses, 0);
  EXPECT_EQ(form.focus(), "none");
  EXPECT_EQ(form.set_button->handle_mouse(window.window, WM_LBUTTONDOWN, 0, MAKELPARAM(100, 120)), 0);
}

TEST_F(focus_routing, choice_box_opens_the_popup_at_its_corner_and_the_choice_comes_back_by_command) {
  auto* choice = form.cue_type;
  RECT box = choice->box_rect();
  effects.popup_choice = 3;
  window.click(box.left + 5, box.top + 5);
  ASSERT_EQ(effects.popups.size(), 1u);
  const auto& run = effects.popups[0];
  EXPECT_EQ(run.items, std::vector<std::string>(std::begin(cue_type_names), std::end(cue_type_names)));
  EXPECT_EQ(run.ids, (std::vector<UINT>{10000, 10001, 10002, 10003, 10004, 10005}));
  POINT corner{box.left, box.top};
  ClientToScreen(window.window, &corner);
  EXPECT_EQ(run.screen.x, corner.x);
  EXPECT_EQ(run.screen.y, corner.y);
  EXPECT_EQ(run.owner, window.window);
  EXPECT_EQ(window.popup_owner, choice);
  EXPECT_EQ(form.focus(), "5");
  EXPECT_EQ(form.help->help_text, "");

  EXPECT_EQ(form.type, 2);  // nothing is stored until the command arrives
  int before = app.menu_updates;
  pump_messages();
  EXPECT_EQ(form.type, 3);
  EXPECT_GT(app.menu_updates, before);
  std::string report;
  choice->get_report_text(report);
  EXPECT_EQ(report, "CUE TYPE: 3: Sound only");
}

TEST_F(focus_routing, dismissed_popup_and_presses_beside_the_box_change_nothing) {
  auto* choice = form.cue_type;
  RECT box = choice->box_rect();
  window.click(box.right, box.bottom);  // dismissed: no command
  pump_messages();
  EXPECT_EQ(effects.popups.size(), 1u);
  EXPECT_EQ(form.type, 2);
  window.click(choice->x + 3, choice->y + 5);  // the label
  window.click(box.right + 1, box.top + 5);  // the shadow
  EXPECT_EQ(effects.popups.size(), 1u);
  EXPECT_EQ(form.focus(), "none");
}

TEST_F(focus_routing, choice_field_takes_no_keys_and_ignores_foreign_menu_ids) {
  auto* choice = form.cue_type;
  RECT box = choice->box_rect();
  window.click(box.left + 1, box.top + 1);
  window.type("3 ");
  EXPECT_EQ(form.type, 2);
  EXPECT_EQ(effects.beeps, 0);
  choice->notify(10006);  // not one of its six items
  choice->notify(9999);
  EXPECT_EQ(form.type, 2);
  SendMessageA(window.window, WM_COMMAND, 10000, 0);
  EXPECT_EQ(form.type, 0);
}

TEST_F(focus_routing, focus_changes_give_the_keyboard_focus_back_to_the_window) {
  SetFocus(nullptr);
  window.tab();
  EXPECT_EQ(GetFocus(), window.window);
}

}  // namespace
