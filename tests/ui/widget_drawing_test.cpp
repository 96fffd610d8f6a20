// What the widgets of the real windows draw on the screen and on paper, with their pens, brushes
// and colours, read back from an enhanced-metafile recording.
#include <algorithm>
#include <stdexcept>

#include "app/test_app.h"
#include "datawin/record_view_type.h"
#include "ui/button_type.h"
#include "ui/choice_field_type.h"
#include "ui/edit_text_type.h"
#include "ui/gdi.h"
#include "ui/numeric_field_type.h"

namespace {

class widget_drawing : public started_app {
 protected:
  widget_type* widget(int index) const { return settings_win()->widgets.get(index); }
  // Draws the widget into a fresh recording, on paper as the window's print does; keeps the items.
  strings draw(widget_type* widget, bool paper = false) {
    items = recorded(
        *widget->owner, [&](HDC hdc) { widget->draw(hdc); }, paper);
    return shapes_of(items);
  }
  SIZE size_of(const std::string& text, bool print = false) const { return text_size(*settings_win(), text, print); }

  std::vector<drawn_item> items;
};

TEST_F(widget_drawing, a_button_outline_and_centred_label_follow_pressed_and_enabled) {
  auto* button = static_cast<button_type*>(widget(17));  // Reset Settings
  const SIZE size = size_of("Reset Settings");
  EXPECT_EQ(draw(button),
            (strings{"round 290,110 390,130 18x18",
                     text_of("text Reset Settings %ld,%ld", 290 + (100 - size.cx) / 2, 110 + (20 - size.cy) / 2)}));
  const auto looks = [&] { return std::vector<long>{long(items[0].pen), items[0].brush, long(items[1].color)}; };
  EXPECT_EQ(looks(), (std::vector<long>{0, NULL_BRUSH, 0}));
  button->pressed = 1;
  draw(button);
  EXPECT_EQ(looks(), (std::vector<long>{0, LTGRAY_BRUSH, 0}));
  button->pressed = 0, button->enabled = 0;
  draw(button);
  EXPECT_EQ(looks(), (std::vector<long>{long(gray), NULL_BRUSH, long(gray)}));
}

TEST_F(widget_drawing, a_check_box_has_two_squares_a_cross_when_on_and_a_gray_focus_frame_sized_in_its_font) {
  widget_type* box = widget(7);  // WAKE-ALARM ON at 3,55
  EXPECT_EQ(draw(box), (strings{"rect 5,55 19,69", "rect 7,57 17,67", "text WAKE-ALARM ON 24,55"}));
  settings_win()->section.settings.walarm = 5;  // any value but 0 is on
  EXPECT_EQ(draw(box), (strings{"rect 5,55 19,69", "rect 7,57 17,67", "line 7,57 16,66", "line 16,57 7,66",
                                "text WAKE-ALARM ON 24,55"}));
  const strings paper = draw(box, true);  // the full-size cross
  EXPECT_EQ(strings(paper.begin() + 2, paper.begin() + 4), (strings{"line 7,57 17,67", "line 17,57 7,67"}));
  box->set_focus(1);
  const strings focused = draw(box);
  ASSERT_EQ(focused.size(), 6u);
  EXPECT_EQ(focused[4], text_of("rect 3,53 %ld,71", 3 + size_of("WAKE-ALARM ON").cx + 23));
  EXPECT_EQ(items[4].pen, gray);
  EXPECT_EQ(draw(box, true)[4], text_of("rect 3,53 %ld,71", 3 + size_of("WAKE-ALARM ON", true).cx + 23));
}

TEST_F(widget_drawing, a_focused_numeric_box_is_filled_and_the_choice_box_has_a_shadow_and_may_stay_empty) {
  auto* duration = static_cast<numeric_field_type*>(widget(2));
  const int left = 3 + size_of("CUE DURATION:").cx + 3;
  for (int focused : {0, 1}) {
    duration->set_focus(focused);
    EXPECT_EQ(draw(duration)[1], text_of("rect %d,17 %d,31", left, left + 30));
    EXPECT_EQ(items[1].brush, focused ? LTGRAY_BRUSH : NULL_BRUSH);
  }
  auto* choice = static_cast<choice_field_type*>(widget(5));
  long widest = 0;
  for (int i = 0; i < 6; i++) widest = std::max(widest, size_of(cue_type_name(i)).cx);
  const long from = 3 + size_of("CUE TYPE:").cx + 3, to = from + widest + 4;
  EXPECT_EQ(draw(choice), (strings{"text CUE TYPE: 3,33", text_of("rect %ld,33 %ld,48", from, to),
                                   text_of("line %ld,48 %ld,48", from + 1, to), text_of("line %ld,48 %ld,34", to, to),
                                   text_of("text 2: Light only, alternating eyes %ld,33", from + 2)}));
  settings_win()->section.settings.type = 9;  // names no item: the box stays empty
  EXPECT_EQ(draw(choice).size(), 4u);
  EXPECT_EQ(widget_type(settings_win(), 0, 0, std::string(300, 'L').c_str()).text, std::string(255, 'L'));
}

TEST_F(widget_drawing, the_comments_box_is_a_frame_that_prints_its_first_two_lines) {
  edit_text_type* box = data_win()->comments;
  const int right = static_cast<record_view_type*>(data_win()->widgets.get(0))->rectangle.right;
  const std::string frame = text_of("rect 3,121 %d,152", right);
  SetWindowTextA(box->control, "flying\r\nover water\r\nthird line");
  EXPECT_EQ(draw(box), strings{frame});  // the control paints its own text
  EXPECT_EQ(draw(box, true), (strings{frame, "text flying 3,124", "text over water 3,139"}));
}

// A drawing that throws half-way still ends its paint, which gives the window's context back,
// and deletes the pen it drew with.
using window_paint = started_app;

TEST_F(window_paint, a_drawing_that_throws_ends_the_paint_and_leaks_no_pen) {
  struct throwing_window : win_type {
    explicit throwing_window(window_host& host) : win_type(host) {
      create_window({"throwing_win_type", nullptr, nullptr, 0, WS_OVERLAPPEDWINDOW}, "throws", window_rect{0, 0, 200, 100});
    }
    void draw(HDC hdc) override {
      drawn_on = hdc;
      const owned_pen red = solid_pen(2, RGB(255, 0, 0));
      pen = red.get();
      const selected_object selected(hdc, pen);
      LineTo(hdc, 10, 10);
      throw std::runtime_error("out of memory half-way");
    }
    HDC drawn_on = nullptr;
    HPEN pen = nullptr;
  } window(*app);
  EXPECT_EQ(SendMessageA(window.window, WM_PAINT, 0, 0), 0);
  ASSERT_TRUE(window.drawn_on && window.pen);
  EXPECT_EQ(WindowFromDC(window.drawn_on), nullptr);
  EXPECT_EQ(GetObjectType(window.pen), 0u);
}

}  // namespace
