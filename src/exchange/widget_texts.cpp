// Report and export texts of the form widgets.
#include "exchange/widget_texts.h"

#include <algorithm>

std::string check_box_report_text(const std::string& label, const int* value) {
  std::string text = label + ": ";
  if (value != nullptr) text += std::to_string(*value);
  return text;
}

std::string separator_report_text() { return std::string(85, '-'); }

std::string labelled_text(const std::string& label, const std::string& value) { return label + " " + value; }

std::string time_report_text(const std::string& hours_text, const std::string& minutes_text) {
  std::string minutes = minutes_text;
  minutes.erase(std::remove(minutes.begin(), minutes.end(), ' '), minutes.end());
  return hours_text + ":" + minutes;
}

std::string choice_report_text(const std::string& label, const std::vector<std::string>& items, int index) {
  std::string text = label + " ";
  if (index >= 0 && static_cast<size_t>(index) < items.size()) text += items[static_cast<size_t>(index)];
  return text;
}

std::string joined_lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\n";
  return text;
}

std::string quoted_lines(const std::vector<std::string>& lines) {
  std::string text = "\"";
  for (size_t i = 0; i < lines.size(); i++) {
    if (i > 0) text += "\n";
    text += lines[i];
  }
  // A quote or a tab inside would end the field or split the row on import.
  std::replace(text.begin() + 1, text.end(), '"', '_');
  std::replace(text.begin() + 1, text.end(), '\t', ' ');
  return text + "\"\t";
}
