// Fuzz target: report texts, database rows and trends of a hostile block, flag, counts and comment.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "exchange/export_rows.h"
#include "exchange/import_rows.h"
#include "exchange/journal_trends.h"
#include "exchange/text_append.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  data_window_view view;
  if (size < sizeof view.block + sizeof view.counts + 1) return 0;
  std::memcpy(&view.block, data, sizeof view.block);  // IBV need not be terminated
  std::memcpy(view.counts, data + sizeof view.block, sizeof view.counts);
  const std::size_t used = sizeof view.block + sizeof view.counts;
  view.no_record = data[used] & 1;
  view.comment_lines = comment_lines(std::string(reinterpret_cast<const char*>(data) + used + 1, size - used - 1));

  const std::string record = record_view_report_text(view.block, view.no_record);
  check(std::count(record.begin(), record.end(), '\n') == 6 && record.size() - record.rfind('\n') == 45);
  const std::string report = data_report_text(view, "W95 Nightglow v1.1");
  check(report.size() > record.size() && report.back() == '\n');
  device_settings settings;
  std::memcpy(&settings, data, sizeof settings);
  check(settings_report_text(settings, "", "v").back() == '\n');

  const std::string row = make_export_row(view, "W95 Nightglow v1.1");
  check(row.back() == '\n');
  // Without tabs in the comment and IBV, nor quotes in the IBV, every column lands in its place.
  bool plain = true;
  for (char c : bounded_text(view.block.ibv)) plain = plain && c != '"' && c != '\t';
  for (const std::string& text : view.comment_lines) plain = plain && text.find('\t') == std::string::npos;
  if (plain) {
    std::string line = "1\t" + row.substr(0, row.size() - 1);
    field_list fields;
    fields.split_fields(line);
    check(fields.field_count() == export_column_count);
  }

  // The night twice: its counts summed without overflow, one group, every line ended by CR LF.
  data_record night = new_record(view.block);
  std::memcpy(night.counts, view.counts, sizeof night.counts);
  const journal_trends trends = compute_trends({night, night});
  check(trends.groups.size() == 1 && trends.groups[0].nights == 2);
  const std::string text = trends_text(trends);
  check(std::count(text.begin(), text.end(), '\n') == 6 && text.ends_with("\r\n"));
  check(chart_columns(trends, 3).size() == 1 && label_step(3, view.counts[0]) >= 1);
  return 0;
}
