// Report and export texts of every widget, the help strings, and the widgets' rectangles.
#include <gtest/gtest.h>

#include "ui/button_type.h"
#include "ui/check_box_type.h"
#include "ui/choice_field_type.h"
#include "ui/help_line_type.h"
#include "ui/numeric_field_type.h"
#include "ui/separator_type.h"
#include "ui/time_field_type.h"
#include "widget_test_support.h"

namespace {

class widget_texts_ui : public ::testing::Test {
 protected:
  test_app app;
  test_window window{&app};

  static std::string report(widget_type& widget) {
    std::string text = "stale";
    widget.get_report_text(text);
    return text;
  }
  static std::string exported(widget_type& widget) {
    std::string text = "stale";
    widget.get_export_text(text);
    return text;
  }
  int text_width(const std::string& text) {
    HDC hdc = GetDC(window.window);
    HGDIOBJ old = SelectObject(hdc, window.display_font);
    SIZE size{};
    GetTextExtentPoint32A(hdc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(hdc, old);
    ReleaseDC(window.window, hdc);
    return size.cx;
  }
};

TEST_F(widget_texts_ui, each_widget_reports_and_exports_its_own_text) {
  int duration = 10, alarm = 1, type = 3;
  int wake[2] = {8, 5};
  widget_type label(&window, 3, 3, "COMMENTS:");
  numeric_field_type numeric(&window, 3, 17, "CUE DURATION:", 30, &duration, 1, 255);
  numeric_field_type unlabelled(&window, 3, 17, "", 0, nullptr, 7, 9);
  check_box_type box(&window, 3, 55, "WAKE-ALARM ON", &alarm);
  check_box_type unbound(&window, 3, 55, "DREAM ALARM ON", nullptr);
  time_field_type time(&window, 100, 55, "WAKE-TIME:", wake, 0);
  choice_field_type choice(&window, 3, 33, "CUE TYPE:", 6, cue_type_names, &type);
  choice_field_type empty_choice(&window, 3, 33, "NONE:", 0, nullptr, &type);
  separator_type line(&window, 3, 14, 400, 14);
  button_type button(&window, RECT{90, 110, 240, 130}, "Set Somnolux Settings", {});

  EXPECT_EQ(report(label), "COMMENTS:");
  EXPECT_EQ(exported(label), "COMMENTS:");
  EXPECT_EQ(report(numeric), "CUE DURATION: 10");
  EXPECT_EQ(exported(numeric), "10");
  EXPECT_EQ(report(unlabelled), " 7");
  EXPECT_EQ(report(box), "WAKE-ALARM ON: 1");
  EXPECT_EQ(exported(box), "WAKE-ALARM ON");
  EXPECT_EQ(report(unbound), "DREAM ALARM ON: ");
  EXPECT_EQ(report(time), "WAKE-TIME: 8:05");
  EXPECT_EQ(exported(time), "WAKE-TIME:");
  EXPECT_EQ(report(choice), "CUE TYPE: 3: Sound only");
  EXPECT_EQ(exported(choice), "CUE TYPE:");
  EXPECT_EQ(report(empty_choice), "NONE: ");
  EXPECT_EQ(report(line), std::string(85, '-'));
  EXPECT_EQ(exported(line), "");
  EXPECT_EQ(report(button), "");
  EXPECT_EQ(exported(button), "");

  // The texts follow the bound values.
  duration = 255;
  alarm = 0;
  wake[0] = 12;
  wake[1] = 0;
  type = 9;
  EXPECT_EQ(report(numeric), "CUE DURATION: 255");
  EXPECT_EQ(report(box), "WAKE-ALARM ON: 0");
  EXPECT_EQ(report(time), "WAKE-TIME: 12:00");
  EXPECT_EQ(report(choice), "CUE TYPE: ");
}

TEST_F(widget_texts_ui, help_line_loads_each_string_of_the_table) {
  const std::pair<int, const char*> table[] = {
      {2, "Number of flashes and/or beeps per cue (1-255)"},
      {3, "Relative intensity of cue flashes and beeps (1-6)"},
      {4, "Rate of cue flashes or beeps (1-6 per second)"},
      {8, "The time the Somnolux will deliver the Wake-up Alarm, if set ON (24 hour time)"},
      {11, "Tens of minutes delay that must expire before Somnolux gives cues (0-60)"},
      {12, "Adjusts sensitivity of Somnolux to detect REM sleep (1-10)"},
      {13, "Start time of period in which Somnolux will deliver cues if it detects REM sleep (24 hour time)"},
      {14, "End time of period in which Somnolux will deliver cues if it detects REM sleep (24 hour time)"},
      {22, "Total number of dreams recalled"},
      {23, "Total number of lucid dreams recalled"},
      {24, "Total number of Reality Test Button Lucid Dreams"},
      {25, "Number of Cued Lucid Dreams"},
      {26, "Number of Wake Initiated Lucid Dreams"},
      {27, "Number of Cues Seen in Dreams"},
      {28, "Number of Awakenings Caused by Cues"},
  };
  help_line_type help(&window, 3, 0, "HELP:");
  EXPECT_EQ(help.help_id, -1);
  EXPECT_EQ(report(help), "HELP: ");
  int present = 0;
  for (int id = 0; id <= 40; id++) {
    help.notify(id);
    EXPECT_EQ(help.help_id, id);
    std::string expected;
    for (const auto& [number, text] : table)
      if (number == id) expected = text;
    EXPECT_EQ(help.help_text, expected) << "string " << id;
    if (!expected.empty()) present++;
  }
  EXPECT_EQ(present, 15);
  help.notify(13);
  EXPECT_EQ(report(help),
            "HELP: Start time of period in which Somnolux will deliver cues if it detects REM sleep (24 hour time)");
  EXPECT_EQ(exported(help), "");
  help.notify(-1);
  EXPECT_EQ(help.help_text, "");
  help.notify(70000);
  EXPECT_EQ(help.help_text, "");
}

TEST_F(widget_texts_ui, rectangles_and_widths_of_the_widgets) {
  int value = 0;
  int wake[2] = {8, 30};
  RECT rect;

  widget_type label(&window, 3, 105, "COMMENTS:");
  label.get_rect(rect);
  EXPECT_EQ(rect.left, 3);
  EXPECT_EQ(rect.top, 105);
  EXPECT_EQ(rect.right, 3 + text_width("COMMENTS:"));
  EXPECT_GT(rect.bottom, 105);
  EXPECT_EQ(label.get_width(), text_width("COMMENTS:"));
  EXPECT_EQ(label.hit_test(5, 107), 0);
  EXPECT_EQ(label.accepts_focus(1), 0);

  numeric_field_type numeric(&window, 3, 17, "CUE RATE:", 12, &value, 1, 6);
  numeric.get_rect(rect);
  EXPECT_EQ(rect.left, 3);
  EXPECT_EQ(rect.top, 17);
  EXPECT_EQ(rect.right, 3 + text_width("CUE RATE:") + 3 + 12);
  EXPECT_EQ(rect.bottom, 31);
  numeric_field_type bare(&window, 40, 17, "", 0, &value, 0, 9);
  EXPECT_EQ(bare.get_width(), 30);

  check_box_type box(&window, 3, 55, "WAKE-ALARM ON", &value);
  box.get_rect(rect);
  EXPECT_EQ(rect.left, 3);
  EXPECT_EQ(rect.top, 53);
  EXPECT_EQ(rect.right, 3 + text_width("WAKE-ALARM ON") + 23);
  EXPECT_EQ(rect.bottom, 71);

  time_field_type time(&window, 100, 55, "WAKE-TIME:", wake, 0);
  time.get_rect(rect);
  int hours_width = text_width("WAKE-TIME:") + 3 + 20;
  EXPECT_EQ(rect.left, 100);
  EXPECT_EQ(rect.top, 55);
  EXPECT_EQ(rect.right, 100 + hours_width + 5 + 20);
  EXPECT_EQ(rect.bottom, 69);
  EXPECT_EQ(time.minutes->x, 100 + hours_width + 5);

  choice_field_type choice(&window, 3, 33, "CUE TYPE:", 6, cue_type_names, &value);
  choice.get_rect(rect);
  EXPECT_EQ(rect.right, 3 + text_width("CUE TYPE:") + 4 + choice.box_width);
  EXPECT_EQ(rect.bottom, 49);
  EXPECT_EQ(choice.accepts_focus(1), 0);
  EXPECT_EQ(choice.accepts_focus(-1), 0);

  help_line_type help(&window, 3, 72, "HELP:");
  help.get_rect(rect);
  EXPECT_EQ(rect.right, 503);
  EXPECT_EQ(rect.bottom, 86);
  EXPECT_EQ(help.get_width(), 500);
  EXPECT_EQ(help.hit_test(10, 75), 0);
  EXPECT_EQ(help.accepts_focus(1), 0);

  button_type button(&window, RECT{290, 110, 390, 130}, "Reset Settings", {});
  EXPECT_EQ(button.get_width(), 100);
  EXPECT_EQ(button.accepts_focus(1), 0);
}

TEST_F(widget_texts_ui, labels_are_kept_to_255_characters) {
  std::string long_text(300, 'L');
  widget_type label(&window, 0, 0, long_text.c_str());
  EXPECT_EQ(label.text.size(), 255u);
  widget_type none(&window, 0, 0, nullptr);
  EXPECT_EQ(none.text, "");
}

}  // namespace
