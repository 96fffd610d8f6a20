// The report and export texts of the form widgets.
#include "exchange/widget_texts.h"

#include <gtest/gtest.h>

namespace {

TEST(widget_texts, report_lines_of_the_form_widgets) {
  int on = 5;
  EXPECT_EQ(check_box_report_text("WAKE-ALARM ON", &on), "WAKE-ALARM ON: 5");
  EXPECT_EQ(check_box_report_text("DREAM ALARM ON", nullptr), "DREAM ALARM ON: ");
  EXPECT_EQ(separator_report_text(), std::string(85, '-'));
  EXPECT_EQ(labelled_text("", "7"), " 7");
  EXPECT_EQ(time_report_text("WAKE-TIME: 8", " 0 5 "), "WAKE-TIME: 8:05");
  const std::vector<std::string> items{"0: External trigger pulse only", "3: Sound only"};
  EXPECT_EQ(choice_report_text("CUE TYPE:", items, 1), "CUE TYPE: 3: Sound only");
  for (int outside : {2, -1}) EXPECT_EQ(choice_report_text("CUE TYPE:", items, outside), "CUE TYPE: ");
}

TEST(widget_texts, comment_lines_for_reports_and_quoted_for_export_rows) {
  EXPECT_EQ(joined_lines({"first", "", "third"}), "first\n\nthird\n");
  EXPECT_EQ(quoted_lines({"He said \"fly\"", "then woke"}), "\"He said _fly_\nthen woke\"\t");
  EXPECT_EQ(quoted_lines({"\""}), "\"_\"\t");
}

}  // namespace
