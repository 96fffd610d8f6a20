// Text reports of the Data and Settings windows.
// The record view's and settings view's lines, and the assembly of a whole window's report from
// its widgets' texts in container order (make_report_text of both windows, Export Report, Copy
// Text, and the command-line tool from plain data).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/data_record.h"
#include "model/device_block.h"

// Container order of the Data window's widgets, as far as reports and rows need it.
constexpr int data_widget_count = 18;
constexpr int data_record_view_index = 0;
constexpr int data_help_line_index = 2;
constexpr int data_first_count_index = 4;  // the seven journal counts, indices 4 to 10
constexpr int data_comments_index = 12;
constexpr int data_settings_view_index = 14;
constexpr int settings_widget_count = 18;

// Labels of the Data window's seven count fields, in journal order.
extern const char* const journal_count_labels[journal_count_total];

// What the Data window shows, as plain data: enough for its report and its database row
// without a window (the command-line tool).
struct data_window_view {
  device_block block{};
  bool no_record = true;
  int32_t counts[journal_count_total] = {};
  std::vector<std::string> comment_lines{""};  // an empty comments box still has one line
  std::string help_text;                       // after "HELP:"; the DREAMS string when that has the focus
};

// The comments box's lines of a stored comment: split at CR LF or LF; none gives one empty line.
std::vector<std::string> comment_lines(const std::string& comment);
// The view of one record as a freshly opened window shows it: DREAMS focused.
data_window_view view_of_record(const data_record& record);

// Record view (Data window, container index 0): seven lines, the last without a line end;
// label-only forms while the window shows no record.
std::string record_view_report_text(const device_block& block, bool no_record);
// Settings view (Data window, container index 14): four lines, the last without a line end.
std::string settings_view_report_text(const device_block& block, bool no_record);

// The Data window's report: its widgets' report texts in container order, the comments box giving
// the comment's lines each ended by a line feed; then the device lines of the shown block.
std::string data_report_text(const data_window_view& view, const std::string& version);

// The Settings window's report: its widgets' report texts in container order, then the version line.
std::string settings_report_text(const device_settings& settings, const std::string& help_text,
                                 const std::string& version);
