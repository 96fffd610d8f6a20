// What each widget draws, read back from an enhanced-metafile recording.
#include <gtest/gtest.h>

#include <algorithm>

#include "emf_recording.h"
#include "ui/button_type.h"
#include "ui/check_box_type.h"
#include "ui/choice_field_type.h"
#include "ui/edit_text_type.h"
#include "ui/help_line_type.h"
#include "ui/numeric_field_type.h"
#include "ui/separator_type.h"
#include "ui/time_field_type.h"
#include "widget_test_support.h"

namespace {

class drawing : public ::testing::Test {
 protected:
  test_app app;
  test_window window{&app};

  // Draws one widget into a fresh recording; with `printing`, as the window's print does.
  void record(widget_type* widget, emf_recording& recording, bool printing = false) {
    if (printing) {
      window.printing = 1;
      window.printer_dc = recording.dc();
    }
    widget->draw(recording.dc());
    window.printing = 0;
    window.printer_dc = nullptr;
    recording.finish();
  }

  // Width of a text in a font of the window, measured on the screen.
  int text_width(const std::string& text, HFONT font) {
    HDC hdc = GetDC(window.window);
    HGDIOBJ old = SelectObject(hdc, font);
    SIZE size{};
    GetTextExtentPoint32A(hdc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(hdc, old);
    ReleaseDC(window.window, hdc);
    return size.cx;
  }
};

TEST_F(drawing, label_draws_its_text_at_its_point_in_the_display_or_print_font) {
  auto* label = window.add(new widget_type(&window, 40, 105, "COMMENTS:"));
  emf_recording screen;
  record(label, screen);
  ASSERT_EQ(screen.texts.size(), 1u);
  EXPECT_EQ(screen.texts[0].text, "COMMENTS:");
  EXPECT_EQ(screen.texts[0].x, 40);
  EXPECT_EQ(screen.texts[0].y, 105);
  EXPECT_EQ(screen.texts[0].font_height, 14);
  EXPECT_EQ(screen.texts[0].font_face, "Arial");

  emf_recording paper;
  record(label, paper, true);
  ASSERT_EQ(paper.texts.size(), 1u);
  EXPECT_EQ(paper.texts[0].font_height, 12);
}

TEST_F(drawing, separator_is_one_line_between_its_ends) {
  auto* line = window.add(new separator_type(&window, 3, 71, 546, 71));
  emf_recording recording;
  record(line, recording);
  ASSERT_EQ(recording.lines.size(), 1u);
  EXPECT_EQ(recording.lines[0].from.x, 3);
  EXPECT_EQ(recording.lines[0].from.y, 71);
  EXPECT_EQ(recording.lines[0].to.x, 546);
  EXPECT_EQ(recording.lines[0].to.y, 71);
  EXPECT_TRUE(recording.texts.empty());
  RECT rect;
  separator_type(&window, 50, 90, 10, 20).get_rect(rect);
  EXPECT_EQ(rect.left, 10);
  EXPECT_EQ(rect.top, 20);
  EXPECT_EQ(rect.right, 50);
  EXPECT_EQ(rect.bottom, 90);
}

TEST_F(drawing, button_outline_and_label_follow_enabled_and_pressed) {
  auto* button = window.add(new button_type(&window, RECT{10, 198, 210, 218}, "Get Somnolux Settings and Data", {}));
  emf_recording plain;
  record(button, plain);
  ASSERT_EQ(plain.rects.size(), 1u);
  const drawn_rect& outline = plain.rects[0];
  EXPECT_TRUE(outline.rounded);
  EXPECT_EQ(outline.corner.cx, 18);
  EXPECT_EQ(outline.corner.cy, 18);
  EXPECT_EQ(outline.box.left, 10);
  EXPECT_EQ(outline.box.top, 198);
  EXPECT_EQ(outline.box.right, 210);
  EXPECT_EQ(outline.box.bottom, 218);
  EXPECT_EQ(outline.pen, RGB(0, 0, 0));
  EXPECT_EQ(outline.brush, NULL_BRUSH);
  const drawn_text* label = plain.find_text("Get Somnolux Settings and Data");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->color, RGB(0, 0, 0));
  // Centred in the rectangle, both ways.
  int width = text_width(label->text, window.display_font);
  EXPECT_NEAR(label->x, 10 + (200 - width) / 2, 1);
  EXPECT_GT(label->y, 198);
  EXPECT_LT(label->y, 208);

  button->pressed = 1;
  emf_recording pressed;
  record(button, pressed);
  ASSERT_EQ(pressed.rects.size(), 1u);
  EXPECT_EQ(pressed.rects[0].brush, LTGRAY_BRUSH);

  button->pressed = 0;
  button->enabled = 0;
  emf_recording disabled;
  record(button, disabled);
  ASSERT_EQ(disabled.rects.size(), 1u);
  EXPECT_EQ(disabled.rects[0].pen, RGB(180, 180, 180));
  ASSERT_EQ(disabled.texts.size(), 1u);
  EXPECT_EQ(disabled.texts[0].color, RGB(180, 180, 180));
}

TEST_F(drawing, check_box_squares_cross_and_label) {
  int value = 0;
  auto* box = window.add(new check_box_type(&window, 3, 55, "WAKE-ALARM ON", &value));
  emf_recording off;
  record(box, off);
  ASSERT_EQ(off.rects.size(), 2u);
  EXPECT_EQ(off.rects[0].box.left, 5);
  EXPECT_EQ(off.rects[0].box.top, 55);
  EXPECT_EQ(off.rects[0].box.right, 19);
  EXPECT_EQ(off.rects[0].box.bottom, 69);
  EXPECT_EQ(off.rects[1].box.left, 7);
  EXPECT_EQ(off.rects[1].box.top, 57);
  EXPECT_EQ(off.rects[1].box.right, 17);
  EXPECT_EQ(off.rects[1].box.bottom, 67);
  EXPECT_TRUE(off.lines.empty());
  const drawn_text* label = off.find_text("WAKE-ALARM ON");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->x, 24);
  EXPECT_EQ(label->y, 55);

  value = 5;  // any non-zero value is on
  emf_recording on;
  record(box, on);
  ASSERT_EQ(on.lines.size(), 2u);
  EXPECT_EQ(on.lines[0].from.x, 7);
  EXPECT_EQ(on.lines[0].from.y, 57);
  EXPECT_EQ(on.lines[0].to.x, 16);
  EXPECT_EQ(on.lines[0].to.y, 66);
  EXPECT_EQ(on.lines[1].from.x, 16);
  EXPECT_EQ(on.lines[1].from.y, 57);
  EXPECT_EQ(on.lines[1].to.x, 7);
  EXPECT_EQ(on.lines[1].to.y, 66);

  emf_recording paper;
  record(box, paper, true);
  ASSERT_EQ(paper.lines.size(), 2u);
  EXPECT_EQ(paper.lines[0].to.x, 17);
  EXPECT_EQ(paper.lines[0].to.y, 67);
  EXPECT_EQ(paper.lines[1].from.x, 17);
  EXPECT_EQ(paper.lines[1].to.y, 67);
}

TEST_F(drawing, focused_check_box_has_a_gray_frame_around_box_and_label) {
  int value = 1;
  auto* box = window.add(new check_box_type(&window, 3, 55, "WAKE-ALARM ON", &value));
  box->focused = 1;
  emf_recording recording;
  record(box, recording);
  ASSERT_EQ(recording.rects.size(), 3u);
  const drawn_rect& frame = recording.rects[2];
  EXPECT_EQ(frame.pen, RGB(180, 180, 180));
  EXPECT_EQ(frame.box.left, 3);
  EXPECT_EQ(frame.box.top, 53);
  EXPECT_EQ(frame.box.right, 3 + text_width("WAKE-ALARM ON", window.display_font) + 23);
  EXPECT_EQ(frame.box.bottom, 71);
  // The label after the frame is drawn with the black pen back in place.
  EXPECT_NE(recording.find_text("WAKE-ALARM ON"), nullptr);
}

TEST_F(drawing, numeric_field_label_box_and_value) {
  int value = 10;
  auto* field = window.add(new numeric_field_type(&window, 3, 17, "CUE DURATION:", 30, &value, 1, 255));
  emf_recording recording;
  record(field, recording);
  int label_width = text_width("CUE DURATION:", window.display_font);
  ASSERT_EQ(recording.texts.size(), 2u);
  EXPECT_EQ(recording.texts[0].text, "CUE DURATION:");
  EXPECT_EQ(recording.texts[0].x, 3);
  EXPECT_EQ(recording.texts[0].y, 17);
  ASSERT_EQ(recording.rects.size(), 1u);
  EXPECT_EQ(recording.rects[0].box.left, 3 + label_width + 3);
  EXPECT_EQ(recording.rects[0].box.top, 17);
  EXPECT_EQ(recording.rects[0].box.right, 3 + label_width + 3 + 30);
  EXPECT_EQ(recording.rects[0].box.bottom, 31);
  EXPECT_EQ(recording.rects[0].brush, NULL_BRUSH);
  EXPECT_EQ(recording.texts[1].text, "10");
  EXPECT_EQ(recording.texts[1].x, 3 + label_width + 6);
  EXPECT_EQ(recording.texts[1].y, 17);

  field->set_focus(1);
  emf_recording focused;
  record(field, focused);
  ASSERT_EQ(focused.rects.size(), 1u);
  EXPECT_EQ(focused.rects[0].brush, LTGRAY_BRUSH);
}

TEST_F(drawing, numeric_field_without_label_or_value) {
  auto* field = window.add(new numeric_field_type(&window, 40, 17, "", 0, nullptr, 7, 99, "%02d"));
  emf_recording recording;
  record(field, recording);
  ASSERT_EQ(recording.rects.size(), 1u);
  EXPECT_EQ(recording.rects[0].box.left, 40);               // an empty label puts the box at x
  EXPECT_EQ(recording.rects[0].box.right, 40 + 30);         // the default width
  ASSERT_EQ(recording.strings(), std::vector<std::string>{"07"});  // the minimum, formatted
  EXPECT_EQ(recording.texts[0].x, 43);
}

TEST_F(drawing, time_field_hours_colon_and_minutes) {
  int time[2] = {8, 30};
  auto* field = window.add(new time_field_type(&window, 200, 55, "WAKE-TIME:", time, 0));
  emf_recording recording;
  record(field, recording);
  EXPECT_EQ(recording.strings(), (std::vector<std::string>{"WAKE-TIME:", "8", ":", "30"}));
  int hours_width = text_width("WAKE-TIME:", window.display_font) + 3 + 20;
  EXPECT_EQ(recording.find_text(":")->x, 200 + hours_width + 2);
  ASSERT_EQ(recording.rects.size(), 2u);
  EXPECT_EQ(recording.rects[1].box.left, 200 + hours_width + 5);
  EXPECT_EQ(recording.rects[1].box.right, 200 + hours_width + 5 + 20);
  EXPECT_EQ(recording.find_text("30")->x, 200 + hours_width + 8);

  time[0] = 12;
  time[1] = 5;
  emf_recording other;
  record(field, other);
  EXPECT_EQ(other.strings(), (std::vector<std::string>{"WAKE-TIME:", "12", ":", "05"}));
}

TEST_F(drawing, printed_time_field_moves_only_its_minutes_by_the_shift) {
  const int shifts[] = {5, 10, 13, 0};
  for (int index = 0; index < 4; index++) {
    int time[2] = {12, 0};
    auto* field = window.add(new time_field_type(&window, 3, 90, "CUE PERIOD START:", time, index));
    emf_recording screen;
    record(field, screen);
    emf_recording paper;
    record(field, paper, true);
    ASSERT_EQ(screen.rects.size(), 2u);
    ASSERT_EQ(paper.rects.size(), 2u);
    // The minutes box keeps its place from construction, plus the shift; the hours box and
    // the colon follow the print font's label width and are not shifted.
    EXPECT_EQ(paper.rects[1].box.left, screen.rects[1].box.left + shifts[index]) << index;
    int label_width = text_width("CUE PERIOD START:", window.print_font);
    EXPECT_EQ(paper.rects[0].box.left, 3 + label_width + 3) << index;
    EXPECT_EQ(paper.find_text(":")->x, 3 + label_width + 3 + 20 + 2) << index;
    EXPECT_EQ(paper.find_text("00")->x, paper.rects[1].box.left + 3) << index;
    EXPECT_EQ(paper.texts[0].font_height, 12);
    // The field is back in place after printing.
    emf_recording again;
    record(field, again);
    EXPECT_EQ(again.rects[1].box.left, screen.rects[1].box.left) << index;
  }
}

TEST_F(drawing, choice_field_box_shadow_and_chosen_item) {
  const char* items[] = {"0: External trigger pulse only", "1: Light only, both eyes at once",
                         "2: Light only, alternating eyes", "3: Sound only"};
  int type = 2;
  auto* field = window.add(new choice_field_type(&window, 3, 33, "CUE TYPE:", 4, items, &type));
  int widest = 0;
  for (const char* item : items) widest = std::max(widest, text_width(item, window.display_font));
  EXPECT_EQ(field->box_width, widest + 4);

  emf_recording recording;
  record(field, recording);
  int left = 3 + text_width("CUE TYPE:", window.display_font) + 3;
  ASSERT_EQ(recording.rects.size(), 1u);
  EXPECT_EQ(recording.rects[0].box.left, left);
  EXPECT_EQ(recording.rects[0].box.top, 33);
  EXPECT_EQ(recording.rects[0].box.right, left + widest + 4);
  EXPECT_EQ(recording.rects[0].box.bottom, 48);
  ASSERT_EQ(recording.lines.size(), 2u);
  EXPECT_EQ(recording.lines[0].from.x, left + 1);
  EXPECT_EQ(recording.lines[0].from.y, 48);
  EXPECT_EQ(recording.lines[0].to.x, left + widest + 4);
  EXPECT_EQ(recording.lines[0].to.y, 48);
  EXPECT_EQ(recording.lines[1].to.x, left + widest + 4);
  EXPECT_EQ(recording.lines[1].to.y, 34);
  EXPECT_EQ(recording.strings(), (std::vector<std::string>{"CUE TYPE:", "2: Light only, alternating eyes"}));
  EXPECT_EQ(recording.texts[1].x, left + 2);

  type = 9;  // from a file: names no item
  emf_recording unknown;
  record(field, unknown);
  EXPECT_EQ(unknown.strings(), std::vector<std::string>{"CUE TYPE:"});
  EXPECT_EQ(unknown.rects.size(), 1u);

  type = 3;
  emf_recording paper;
  record(field, paper, true);
  EXPECT_EQ(paper.rects.size(), 1u);
  EXPECT_EQ(paper.lines.size(), 2u);
  EXPECT_EQ(paper.texts.back().text, "3: Sound only");
  EXPECT_EQ(paper.texts.back().font_height, 12);
}

TEST_F(drawing, choice_field_without_items_is_an_empty_box_100_wide) {
  auto* field = window.add(new choice_field_type(&window, 3, 33, "", 0, nullptr, nullptr));
  emf_recording recording;
  record(field, recording);
  ASSERT_EQ(recording.rects.size(), 1u);
  EXPECT_EQ(recording.rects[0].box.left, 6);
  EXPECT_EQ(recording.rects[0].box.right, 106);
}

TEST_F(drawing, help_line_puts_its_text_two_pixels_after_the_label) {
  auto* help = window.add(new help_line_type(&window, 3, 72, "HELP:"));
  help->notify(22);
  emf_recording recording;
  record(help, recording);
  ASSERT_EQ(recording.texts.size(), 2u);
  EXPECT_EQ(recording.texts[0].text, "HELP:");
  EXPECT_EQ(recording.texts[0].x, 3);
  EXPECT_EQ(recording.texts[1].text, "Total number of dreams recalled");
  EXPECT_EQ(recording.texts[1].x, 3 + text_width("HELP:", window.display_font) + 2);
  EXPECT_EQ(recording.texts[1].y, 72);
}

TEST_F(drawing, comments_box_prints_only_its_first_two_lines) {
  auto* box = window.add(new edit_text_type(&window, RECT{3, 121, 546, 152}, "Comments"));
  SetWindowTextA(box->control, "flying\r\nover water\r\nthird line");
  emf_recording screen;
  record(box, screen);
  ASSERT_EQ(screen.rects.size(), 1u);
  EXPECT_EQ(screen.rects[0].box.left, 3);
  EXPECT_EQ(screen.rects[0].box.top, 121);
  EXPECT_EQ(screen.rects[0].box.right, 546);
  EXPECT_EQ(screen.rects[0].box.bottom, 152);
  EXPECT_TRUE(screen.texts.empty());  // the control paints its own text

  emf_recording paper;
  record(box, paper, true);
  ASSERT_EQ(paper.strings(), (std::vector<std::string>{"flying", "over water"}));
  EXPECT_EQ(paper.texts[0].x, 3);
  EXPECT_EQ(paper.texts[0].y, 124);
  EXPECT_EQ(paper.texts[1].x, 3);
  EXPECT_EQ(paper.texts[1].y, 139);

  SetWindowTextA(box->control, "one line");
  emf_recording short_paper;
  record(box, short_paper, true);
  EXPECT_EQ(short_paper.strings(), std::vector<std::string>{"one line"});
}

TEST_F(drawing, container_draws_every_widget_in_index_order) {
  int value = 3;
  window.add(new widget_type(&window, 3, 3, "first"));
  window.add(new separator_type(&window, 3, 20, 100, 20));
  window.add(new numeric_field_type(&window, 3, 30, "N:", 0, &value, 0, 9));
  window.add(new widget_type(&window, 3, 50, "last"));
  emf_recording recording;
  window.widgets.draw_all(recording.dc());
  recording.finish();
  EXPECT_EQ(recording.strings(), (std::vector<std::string>{"first", "N:", "3", "last"}));
  EXPECT_EQ(recording.lines.size(), 1u);
}

}  // namespace
