// The report and export texts of the form widgets.
#include "exchange/widget_texts.h"

#include <gtest/gtest.h>

namespace {

TEST(widget_texts, check_box_shows_its_value_or_only_its_label) {
  int on = 5;
  EXPECT_EQ(check_box_report_text("WAKE-ALARM ON", &on), "WAKE-ALARM ON: 5");
  EXPECT_EQ(check_box_report_text("DREAM ALARM ON", nullptr), "DREAM ALARM ON: ");
}

TEST(widget_texts, separator_is_a_row_of_85_dashes) {
  std::string line = separator_report_text();
  EXPECT_EQ(line.size(), 85u);
  EXPECT_EQ(line.find_first_not_of('-'), std::string::npos);
}

TEST(widget_texts, time_text_drops_the_blanks_of_the_minutes) {
  EXPECT_EQ(time_report_text("WAKE-TIME: 8", " 05"), "WAKE-TIME: 8:05");
  EXPECT_EQ(time_report_text("CUE PERIOD END: 11", " 5 9 "), "CUE PERIOD END: 11:59");
}

TEST(widget_texts, choice_text_names_the_item_only_when_the_index_does) {
  std::vector<std::string> items{"0: External trigger pulse only", "3: Sound only"};
  EXPECT_EQ(choice_report_text("CUE TYPE:", items, 1), "CUE TYPE: 3: Sound only");
  EXPECT_EQ(choice_report_text("CUE TYPE:", items, 2), "CUE TYPE: ");
  EXPECT_EQ(choice_report_text("CUE TYPE:", items, -1), "CUE TYPE: ");
  EXPECT_EQ(labelled_text("", "7"), " 7");
}

TEST(widget_texts, lines_end_each_in_a_line_feed) {
  EXPECT_EQ(joined_lines({"first", "", "third"}), "first\n\nthird\n");
  EXPECT_EQ(joined_lines({}), "");
}

TEST(widget_texts, quoted_lines_replace_inner_quotes_and_end_in_a_tab) {
  EXPECT_EQ(quoted_lines({"He said \"fly\"", "then woke"}), "\"He said _fly_\nthen woke\"\t");
  EXPECT_EQ(quoted_lines({}), "\"\"\t");
  EXPECT_EQ(quoted_lines({"\""}), "\"_\"\t");
}

}  // namespace
