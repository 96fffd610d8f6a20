// Report and export texts of the form widgets, built from their labels and values.
#pragma once

#include <string>
#include <vector>

// "label: value", or "label: " when the box is bound to nothing.
std::string check_box_report_text(const std::string& label, const int* value);

// The separator's line in a report: a row of 85 dashes.
std::string separator_report_text();

// "label value"; an empty label still gives the blank.
std::string labelled_text(const std::string& label, const std::string& value);

// Hours part's text, a colon, then the minutes part's text without its blanks: "WAKE-TIME: 8:05".
std::string time_report_text(const std::string& hours_text, const std::string& minutes_text);

// The choice field's text: label, a blank, and the chosen item when the index names one.
std::string choice_report_text(const std::string& label, const std::vector<std::string>& items, int index);

// Every line followed by a line feed, the last one too.
std::string joined_lines(const std::vector<std::string>& lines);

// One quoted field of a database row: the lines joined by line feeds inside double quotes,
// every double quote within them turned into an underscore and every tab into a blank, then a tab.
std::string quoted_lines(const std::vector<std::string>& lines);
