// What each widget draws on the screen and on paper, read back from an enhanced-metafile recording.
#include <gtest/gtest.h>

#include <algorithm>

#include "emf_recording.h"
#include "widget_test_support.h"

namespace {

constexpr COLORREF gray = RGB(180, 180, 180);

class drawing : public ::testing::Test {
 protected:
  // Draws the widget (or the whole container) into a fresh recording; with `printing`, as the
  // window's print does. Keeps the items for their pens, brushes and colours.
  strings draw(widget_type* widget = nullptr, bool printing = false) {
    items = record_drawing([&](HDC hdc) {
      window.printing = printing ? 1 : 0;
      window.printer_dc = printing ? hdc : nullptr;
      widget != nullptr ? widget->draw(hdc) : window.widgets.draw_all(hdc);
    });
    window.printing = 0;
    window.printer_dc = nullptr;
    return shapes_of(items);
  }
  int width(const std::string& text, bool print = false) { return window.text_width(text, print); }

  test_app app;
  test_window window{&app};
  std::vector<drawn_item> items;
};

TEST_F(drawing, labels_and_separators_in_index_order) {
  window.add(new widget_type(&window, 40, 105, "COMMENTS:"));
  window.add(new separator_type(&window, 3, 71, 546, 71));
  window.add(new widget_type(&window, 3, 50, "last"));
  EXPECT_EQ(draw(), (strings{"text COMMENTS: 40,105", "line 3,71 546,71", "text last 3,50"}));
}

TEST_F(drawing, button_outline_and_centred_label_follow_pressed_and_enabled) {
  const char* label = "Get Somnolux Settings and Data";
  auto* button = window.add(new button_type(&window, RECT{10, 198, 210, 218}, label, {}));
  strings plain = draw(button);
  ASSERT_EQ(plain.size(), 2u);
  EXPECT_EQ(plain[0], "round 10,198 210,218 18x18");
  EXPECT_EQ(items[0].pen, RGB(0, 0, 0));
  EXPECT_EQ(items[0].brush, NULL_BRUSH);
  SIZE size = window.text_size(label);  // centred both ways
  EXPECT_EQ(plain[1], text_of("text %s %ld,%ld", label, 10 + (200 - size.cx) / 2, 198 + (20 - size.cy) / 2));
  EXPECT_EQ(items[1].color, RGB(0, 0, 0));

  button->pressed = 1;
  draw(button);
  EXPECT_EQ(items[0].brush, LTGRAY_BRUSH);
  button->pressed = 0;
  button->enabled = 0;
  draw(button);
  EXPECT_EQ(items[0].pen, gray);
  EXPECT_EQ(items[1].color, gray);
}

TEST_F(drawing, check_box_squares_cross_focus_frame_and_label) {
  int value = 0;
  auto* box = window.add(new check_box_type(&window, 3, 55, "WAKE-ALARM ON", &value));
  EXPECT_EQ(draw(box), (strings{"rect 5,55 19,69", "rect 7,57 17,67", "text WAKE-ALARM ON 24,55"}));
  value = 5;  // any non-zero value is on
  EXPECT_EQ(draw(box), (strings{"rect 5,55 19,69", "rect 7,57 17,67", "line 7,57 16,66", "line 16,57 7,66",
                                "text WAKE-ALARM ON 24,55"}));
  strings paper = draw(box, true);  // the full-size cross
  EXPECT_EQ(strings(paper.begin() + 2, paper.begin() + 4), (strings{"line 7,57 17,67", "line 17,57 7,67"}));

  box->focused = 1;
  strings focused = draw(box);
  ASSERT_EQ(focused.size(), 6u);
  EXPECT_EQ(focused[4], text_of("rect 3,53 %d,71", 3 + width("WAKE-ALARM ON") + 23));
  EXPECT_EQ(items[4].pen, gray);
  // On paper the frame is measured in the print font.
  EXPECT_EQ(draw(box, true)[4], text_of("rect 3,53 %d,71", 3 + width("WAKE-ALARM ON", true) + 23));
}

TEST_F(drawing, numeric_field_label_box_and_value) {
  int value = 10;
  auto* field = window.add(new numeric_field_type(&window, 3, 17, "CUE DURATION:", 30, &value, 1, 255));
  int left = 3 + width("CUE DURATION:") + 3;
  EXPECT_EQ(draw(field), (strings{"text CUE DURATION: 3,17", text_of("rect %d,17 %d,31", left, left + 30),
                                  text_of("text 10 %d,17", left + 3)}));
  EXPECT_EQ(items[1].brush, NULL_BRUSH);
  field->set_focus(1);
  draw(field);
  EXPECT_EQ(items[1].brush, LTGRAY_BRUSH);
  // No label: the box starts at x, 30 wide by default; no bound value: the minimum, formatted.
  auto* bare = window.add(new numeric_field_type(&window, 40, 17, "", 0, nullptr, 7, 99, "%02d"));
  EXPECT_EQ(draw(bare), (strings{"rect 40,17 70,31", "text 07 43,17"}));
}

TEST_F(drawing, time_field_hours_colon_and_minutes_with_the_print_shift) {
  const int shifts[] = {5, 10, 13, 0};
  for (int index = 0; index < 4; index++) {
    int time[2] = {8, 30};
    auto* field = window.add(new time_field_type(&window, 200, 55, "WAKE-TIME:", time, index));
    int label = width("WAKE-TIME:");
    int hours_end = 200 + label + 23;
    strings screen = draw(field);
    EXPECT_EQ(screen, (strings{"text WAKE-TIME: 200,55", text_of("rect %d,55 %d,69", hours_end - 20, hours_end),
                               text_of("text 8 %d,55", hours_end - 17), text_of("text : %d,55", hours_end + 2),
                               text_of("rect %d,55 %d,69", hours_end + 5, hours_end + 25),
                               text_of("text 30 %d,55", hours_end + 8)}));
    // On paper only the minutes move, by the shift; the hours and colon follow the print font.
    time[0] = 12;
    time[1] = 5;
    int paper_end = 200 + width("WAKE-TIME:", true) + 23;
    int minutes = hours_end + 5 + shifts[index];
    EXPECT_EQ(draw(field, true),
              (strings{"text WAKE-TIME: 200,55", text_of("rect %d,55 %d,69", paper_end - 20, paper_end),
                       text_of("text 12 %d,55", paper_end - 17), text_of("text : %d,55", paper_end + 2),
                       text_of("rect %d,55 %d,69", minutes, minutes + 20), text_of("text 05 %d,55", minutes + 3)}))
        << index;
    EXPECT_EQ(draw(field)[4], screen[4]) << index;  // back in place
  }
}

TEST_F(drawing, choice_field_box_shadow_and_chosen_item) {
  int type = 2;
  auto* field = window.add(new choice_field_type(&window, 3, 33, "CUE TYPE:", 4, cue_type_names, &type));
  int widest = 0;
  for (int i = 0; i < 4; i++) widest = std::max(widest, width(cue_type_names[i]));
  EXPECT_EQ(field->box_width, widest + 4);
  int left = 3 + width("CUE TYPE:") + 3;
  int right = left + widest + 4;
  EXPECT_EQ(draw(field), (strings{"text CUE TYPE: 3,33", text_of("rect %d,33 %d,48", left, right),
                                  text_of("line %d,48 %d,48", left + 1, right), text_of("line %d,48 %d,34", right, right),
                                  text_of("text 2: Light only, alternating eyes %d,33", left + 2)}));
  type = 9;  // names no item: the box stays empty
  EXPECT_EQ(draw(field).size(), 4u);
  type = 3;
  strings paper = draw(field, true);
  EXPECT_EQ(paper.size(), 5u);
  EXPECT_EQ(paper[4], text_of("text 3: Sound only %d,33", 3 + width("CUE TYPE:", true) + 5));

  auto* empty = window.add(new choice_field_type(&window, 3, 33, "", 0, nullptr, nullptr));
  strings shapes = draw(empty);
  EXPECT_NE(std::find(shapes.begin(), shapes.end(), "rect 6,33 106,48"), shapes.end());  // 100 wide
}

TEST_F(drawing, help_line_puts_its_text_two_pixels_after_the_label) {
  auto* help = window.add(new help_line_type(&window, 3, 72, "HELP:"));
  help->notify(22);
  EXPECT_EQ(draw(help), (strings{"text HELP: 3,72",
                                 text_of("text Total number of dreams recalled %d,72", 3 + width("HELP:") + 2)}));
}

TEST_F(drawing, comments_box_is_a_frame_that_prints_its_first_two_lines) {
  auto* box = window.add(new edit_text_type(&window, RECT{3, 121, 546, 152}, "Comments"));
  SetWindowTextA(box->control, "flying\r\nover water\r\nthird line");
  EXPECT_EQ(draw(box), strings{"rect 3,121 546,152"});  // the control paints its own text
  EXPECT_EQ(draw(box, true), (strings{"rect 3,121 546,152", "text flying 3,124", "text over water 3,139"}));
  SetWindowTextA(box->control, "one line");
  EXPECT_EQ(draw(box, true), (strings{"rect 3,121 546,152", "text one line 3,124"}));
}

TEST_F(drawing, rectangles_of_the_widgets_and_their_labels) {
  int value = 0;
  int time[2] = {8, 30};
  auto rect_of = [](widget_type* widget) {
    RECT rect;
    widget->get_rect(rect);
    return text_of("%ld,%ld %ld,%ld", rect.left, rect.top, rect.right, rect.bottom);
  };
  auto* choice = new choice_field_type(&window, 3, 33, "CUE TYPE:", 6, cue_type_names, &value);
  const std::pair<widget_type*, std::string> rows[] = {
      {new widget_type(&window, 3, 105, "COMMENTS:"),
       text_of("3,105 %ld,%ld", 3 + window.text_size("COMMENTS:").cx, 105 + window.text_size("COMMENTS:").cy)},
      {new time_field_type(&window, 100, 55, "WAKE-TIME:", time, 0),
       text_of("100,55 %d,69", 100 + width("WAKE-TIME:") + 48)},
      {choice, text_of("3,33 %d,49", 3 + width("CUE TYPE:") + 4 + choice->box_width)},
      {new help_line_type(&window, 3, 72, "HELP:"), "3,72 503,86"},
      {new separator_type(&window, 50, 90, 10, 20), "10,20 50,90"},
  };
  for (const auto& [widget, expected] : rows) EXPECT_EQ(rect_of(window.add(widget)), expected);
  EXPECT_EQ(widget_type(&window, 0, 0, std::string(300, 'L').c_str()).text, std::string(255, 'L'));
  EXPECT_EQ(widget_type(&window, 0, 0, nullptr).text, "");
}

}  // namespace
