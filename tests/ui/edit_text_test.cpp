// The comments box: its EDIT control, Tab forwarding, the container's focus and its lines.
#include <gtest/gtest.h>

#include <algorithm>

#include "emf_recording.h"
#include "widget_test_support.h"

namespace {

// The data window's form without its record view and browser: help base 18, the seven counts
// at 4 to 10, the comments box at 11, a button at 12.
class comments_box : public ::testing::Test {
 protected:
  void SetUp() override {
    window.widgets.help_line = window.add(new help_line_type(&window, 3, 72, "HELP:"));
    window.widgets.help_base = 18;
    window.add(new separator_type(&window, 3, 71, 440, 71));
    window.add(new separator_type(&window, 3, 86, 440, 86));
    window.add(new widget_type(&window, 300, 105, "COMMENTS:"));
    for (int i = 0; i < 7; i++)
      window.add(new numeric_field_type(&window, 3 + 60 * (i % 4), i < 4 ? 89 : 105, "N:", 0, &counts[i], 0, 99));
    box = window.add(new edit_text_type(&window, RECT{3, 121, 446, 152}, "Comments"));
    window.add(new button_type(&window, RECT{10, 198, 210, 218}, "Get Somnolux Settings and Data", {}));
    window.widgets.default_focus = 4;
    window.widgets.reset_focus();
  }
  std::string help() const { return static_cast<help_line_type*>(window.widgets.help_line)->help_text; }

  test_app app;
  test_window window{&app};
  int counts[7] = {};
  edit_text_type* box = nullptr;
};

TEST_F(comments_box, its_control_is_a_child_edit_inside_the_frame_with_the_window_font) {
  ASSERT_NE(box->control, nullptr);
  EXPECT_EQ(GetParent(box->control), window.window);
  EXPECT_EQ(GetDlgCtrlID(box->control), 1000);
  char class_name[32] = {};
  GetClassNameA(box->control, class_name, sizeof class_name);
  EXPECT_STRCASEEQ(class_name, "edit");
  LONG_PTR style = GetWindowLongPtrA(box->control, GWL_STYLE);
  EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL),
            WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL);
  RECT placed;
  GetWindowRect(box->control, &placed);
  MapWindowPoints(nullptr, window.window, reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(text_of("%ld,%ld %ld,%ld", placed.left, placed.top, placed.right, placed.bottom), "4,122 446,151");
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(box->control, WM_GETFONT, 0, 0)), window.display_font);
}

TEST_F(comments_box, tab_walks_the_counts_with_their_help_into_the_box_and_out_of_it) {
  const char* expected[7] = {"Total number of dreams recalled", "Total number of lucid dreams recalled",
                             "Total number of Reality Test Button Lucid Dreams", "Number of Cued Lucid Dreams",
                             "Number of Wake Initiated Lucid Dreams", "Number of Cues Seen in Dreams",
                             "Number of Awakenings Caused by Cues"};
  for (int i = 0; i < 7; i++) {
    EXPECT_EQ(window.widgets.focus_index, 4 + i);
    EXPECT_EQ(help(), expected[i]);
    window.type("\t");
  }
  EXPECT_EQ(window.widgets.focus_index, 11);
  EXPECT_EQ(GetFocus(), box->control);
  EXPECT_EQ(help(), "");  // 18 + 11 has no string

  window.type("a\rb", false, box->control);  // Enter breaks the line inside the box
  EXPECT_EQ(window.widgets.focus_index, 11);
  window.type("\t", false, box->control);
  EXPECT_EQ(window.widgets.focus_index, 4);  // the button takes no focus: wraps to the first count
  EXPECT_EQ(GetFocus(), window.window);
  EXPECT_EQ(box->get_text_lines(), "a\nb\n");  // no tab went into the text
  window.widgets.set_focus_index(11);
  window.type("\t", true, box->control);
  EXPECT_EQ(window.widgets.focus_index, 10);
  window.widgets.set_focus_index(11);
  window.click(3, 121);  // the frame is not hit: the focus goes back to the window
  EXPECT_EQ(window.widgets.focus_index, -1);
  EXPECT_EQ(GetFocus(), window.window);
}

TEST_F(comments_box, lines_of_an_empty_and_of_a_wrapped_box) {
  SetWindowTextA(box->control, "");
  EXPECT_EQ(box->get_text_lines(), "\n");  // an empty control has one empty line
  std::string line(3000, 'z');  // wrapped at the frame, but no character is lost or added
  SetWindowTextA(box->control, (line + "\r\nend").c_str());
  std::string lines = box->get_text_lines();
  lines.erase(std::remove(lines.begin(), lines.end(), '\n'), lines.end());
  EXPECT_EQ(lines, line + "end");
}

TEST_F(comments_box, deleting_the_widget_destroys_its_control) {
  HWND control = box->control;
  window.widgets.set_focus_index(-1);
  window.widgets.delete_all();
  EXPECT_FALSE(IsWindow(control));
}

}  // namespace
