// The comments box: its EDIT control, Tab forwarding, the container's focus and its lines.
#include <gtest/gtest.h>

#include "ui/button_type.h"
#include "ui/edit_text_type.h"
#include "ui/help_line_type.h"
#include "ui/numeric_field_type.h"
#include "ui/separator_type.h"
#include "widget_test_support.h"

namespace {

// The data window's form without its record view and browser: help base 18, the seven counts
// at 4 to 10, the comments box at 11.
class comments_box : public ::testing::Test {
 protected:
  void SetUp() override {
    help = window.add(new help_line_type(&window, 3, 72, "HELP:"));
    window.widgets.help_line = help;
    window.widgets.help_base = 18;
    window.add(new separator_type(&window, 3, 71, 440, 71));
    window.add(new separator_type(&window, 3, 86, 440, 86));
    window.add(new widget_type(&window, 300, 105, "COMMENTS:"));
    const char* labels[7] = {"DREAMS:", "LUCID DREAMS:", "RTLDs:", "QLDs:", "WILDs:", "DREAM CUES:", "CUE AWAKENINGS:"};
    for (int i = 0; i < 7; i++) window.add(new numeric_field_type(&window, 3 + 60 * (i % 4), i < 4 ? 89 : 105, labels[i],
                                                                  0, &counts[i], 0, 99));
    box = window.add(new edit_text_type(&window, RECT{3, 121, 446, 152}, "Comments"));
    window.add(new button_type(&window, RECT{10, 198, 210, 218}, "Get Somnolux Settings and Data", {}));
    window.widgets.default_focus = 4;
    window.widgets.reset_focus();
    SetFocus(window.window);
  }

  test_app app;
  test_window window{&app};
  effects_recorder effects;
  int counts[7] = {};
  help_line_type* help = nullptr;
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
  EXPECT_TRUE(style & ES_MULTILINE);
  EXPECT_TRUE(style & WS_VSCROLL);
  RECT placed;
  GetWindowRect(box->control, &placed);
  MapWindowPoints(nullptr, window.window, reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(placed.left, 4);
  EXPECT_EQ(placed.top, 122);
  EXPECT_EQ(placed.right, 4 + 442);
  EXPECT_EQ(placed.bottom, 122 + 29);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(box->control, WM_GETFONT, 0, 0)), window.display_font);
}

TEST_F(comments_box, the_seven_counts_show_their_help_strings) {
  const char* expected[7] = {"Total number of dreams recalled",
                             "Total number of lucid dreams recalled",
                             "Total number of Reality Test Button Lucid Dreams",
                             "Number of Cued Lucid Dreams",
                             "Number of Wake Initiated Lucid Dreams",
                             "Number of Cues Seen in Dreams",
                             "Number of Awakenings Caused by Cues"};
  for (int i = 0; i < 7; i++) {
    EXPECT_EQ(window.widgets.focus_index, 4 + i);
    EXPECT_EQ(help->help_text, expected[i]);
    window.tab();
  }
}

TEST_F(comments_box, tab_into_the_box_gives_its_control_the_keyboard_focus) {
  window.widgets.set_focus_index(10);
  window.tab();
  EXPECT_EQ(window.widgets.focus_index, 11);
  EXPECT_EQ(GetFocus(), box->control);
  EXPECT_EQ(help->help_text, "");  // 18 + 11 has no string
}

TEST_F(comments_box, tab_typed_in_the_box_moves_the_focus_on_and_enter_breaks_the_line) {
  window.widgets.set_focus_index(11);
  ASSERT_EQ(GetFocus(), box->control);
  SendMessageA(box->control, WM_CHAR, 'a', 1);
  SendMessageA(box->control, WM_CHAR, 13, 1);
  SendMessageA(box->control, WM_CHAR, 'b', 1);
  EXPECT_EQ(window.widgets.focus_index, 11);
  EXPECT_EQ(box->get_text_lines(), "a\nb\n");
  SendMessageA(box->control, WM_CHAR, 9, 1);
  EXPECT_EQ(window.widgets.focus_index, 4);  // the button takes no focus: wraps to DREAMS
  EXPECT_EQ(GetFocus(), window.window);
  EXPECT_EQ(box->get_text_lines(), "a\nb\n");  // no tab went into the text
  {
    shift_held shift;
    SetFocus(box->control);
    SendMessageA(box->control, WM_CHAR, 9, 1);
  }
  EXPECT_EQ(window.widgets.focus_index, 10);
}

TEST_F(comments_box, a_click_into_the_control_makes_the_box_the_focused_widget) {
  SetFocus(box->control);  // what a press on the control does
  EXPECT_EQ(window.widgets.focus_index, 11);
  EXPECT_EQ(help->help_text, "");
  EXPECT_EQ(GetFocus(), box->control);
  // The frame itself is not hit by presses that reach the window.
  window.click(3, 121);
  EXPECT_EQ(window.widgets.focus_index, -1);
  EXPECT_EQ(GetFocus(), window.window);
}

TEST_F(comments_box, lines_and_the_quoted_database_field) {
  SetWindowTextA(box->control, "I said \"fly\"\r\nand flew");
  EXPECT_EQ(box->get_text_lines(), "I said \"fly\"\nand flew\n");
  EXPECT_EQ(box->get_quoted_text(), "\"I said _fly_\nand flew\"\t");
  SetWindowTextA(box->control, "");
  EXPECT_EQ(box->get_text_lines(), "\n");  // an empty control has one empty line
  EXPECT_EQ(box->get_quoted_text(), "\"\"\t");
  std::string report;
  box->get_report_text(report);
  EXPECT_EQ(report, "Comments");
  box->get_export_text(report);
  EXPECT_EQ(report, "Comments");
}

TEST_F(comments_box, long_lines_are_read_whole) {
  std::string line(3000, 'z');
  SetWindowTextA(box->control, (line + "\r\nend").c_str());
  std::string lines = box->get_text_lines();
  // The control may wrap the long line at the frame; no character is lost or added.
  std::string joined;
  for (char c : lines)
    if (c != '\n') joined.push_back(c);
  EXPECT_EQ(joined, line + "end");
}

TEST_F(comments_box, deleting_the_widget_destroys_its_control) {
  HWND control = box->control;
  window.widgets.set_focus_index(-1);
  window.widgets.delete_all();
  EXPECT_FALSE(IsWindow(control));
}

}  // namespace
