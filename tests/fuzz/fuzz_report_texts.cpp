// Fuzz target: report texts, database rows and trends of a hostile block, flag, counts and comment.

#include "exchange/exchange_files.h"
#include "exchange/export_rows.h"
#include "exchange/import_rows.h"
#include "exchange/journal_trends.h"
#include "exchange/text_append.h"
#include "fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  data_window_view view;
  const std::size_t used = sizeof view.block + sizeof view.counts;
  if (size < used + 1) return 0;
  std::memcpy(&view.block, data, sizeof view.block);  // IBV need not be terminated
  std::memcpy(view.counts, data + sizeof view.block, sizeof view.counts);
  view.no_record = data[used] & 1;
  view.comment_lines = comment_lines(std::string(reinterpret_cast<const char*>(data) + used + 1, size - used - 1));

  const std::string record = record_view_report_text(view.block, view.no_record);
  check(std::count(record.begin(), record.end(), '\n') == 6 && record.size() - record.rfind('\n') == 45);
  device_settings settings;
  std::memcpy(&settings, data, sizeof settings);
  const std::string row = make_export_row(view, program_version);
  check(data_report_text(view, program_version).back() == '\n' &&
        settings_report_text(settings, "", "v").back() == '\n' && row.back() == '\n');
  // Without tabs in the comment and IBV, nor quotes in the IBV, every column lands in its place.
  bool plain = bounded_text(view.block.ibv).find_first_of("\"\t") == std::string::npos;
  for (const std::string& text : view.comment_lines) plain = plain && text.find('\t') == std::string::npos;
  field_list fields;
  std::string line = "1\t" + row.substr(0, row.size() - 1);
  if (plain) check((fields.split_fields(line), fields.field_count() == export_column_count));

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
