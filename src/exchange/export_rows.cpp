// Database rows: the header line, the record view's and settings view's columns and the whole row.
#include "exchange/export_rows.h"

#include <algorithm>

#include "exchange/text_append.h"
#include "exchange/widget_texts.h"

namespace {

constexpr const char* empty_value = "\"\"\t";

// Month, day, year modulo 100, hour, minute: "??" for the three date parts without a date.
void append_date_columns(std::string& row, bool date_known, int month, int day, int year, int hour, int minute) {
  if (date_known) {
    for (int part : {month, day, year % 100}) {
      append_02d(row, part);
      row += '\t';
    }
  } else {
    row += "??\t??\t??\t";
  }
  append_int(row, hour);
  row += '\t';
  append_02d(row, minute);
  row += '\t';
}

std::string make_header() {
  std::string header =
      "REC\tRECSTARTMN\tRECSTARTD\tRECSTARTYR\tRECSTARTH\tRECSTARTM\tMODE\t"
      "RECENDMN\tRECENDD\tRECENDYR\tRECENDH\tRECENDM\tDUR\tCUES\tCUESND\t";
  for (int i = 1; i <= bins_per_record; ++i) header += "REM" + std::to_string(i) + "\t";
  header +=
      "DREAMS\tLDREAMS\tRTLDS\tQLDS\tWILDS\tDCUES\tCAWAKES\tCOMMENTS\t"
      "CDUR\tINTENS\tRATE\tTYPE\tWALARM\tWTIMEH\tWTIMEM\tDALARM\tDELAY\tSENS\t"
      "CSTARTH\tCSTARTM\tCENDH\tCENDM\tPACKV\tSOMNV\tIBV\tSOFTV\tTODD\tTODH\tTODM\tTODS\t"
      "DELAYP\tSMODED\tTSTAMP\n";
  return header;
}

}  // namespace

const std::string& export_header() {
  static const std::string header = make_header();
  return header;
}

std::string record_view_export_text(const device_block& block, bool no_record) {
  std::string row;
  row.reserve(400);
  if (no_record) {
    for (int i = 0; i < 14; ++i) row += empty_value;  // start, mode, end, duration and the two counts
  } else {
    const record_times times = compute_record_times(block);
    append_date_columns(row, times.date_known, times.month, times.day, times.year, times.start_hour,
                        times.start_minute);
    row += '"';
    append_int(row, block.mode);
    row += ". ";
    row += mode_name(block.mode);
    row += "\"\t";
    append_date_columns(row, times.date_known, times.end_month, times.end_day, times.end_year, times.end_hour,
                        times.end_minute);
    const cue_counts counts = count_block_cues(block);
    for (int64_t value : {times.minutes, int64_t{counts.cues}, int64_t{counts.not_delivered}}) {
      append_int(row, value);
      row += '\t';
    }
  }
  for (int bin = 0; bin < bins_per_record; ++bin) {
    row += bin < block.dur && block_rem_bit(block, bin) ? '1' : '0';
    row += '\t';
  }
  row.pop_back();  // the row adds the tab after REM128
  return row;
}

std::string settings_view_export_text(const device_block& block, bool no_record) {
  if (no_record) {
    std::string row;
    for (int i = 0; i < 13; ++i) row += empty_value;
    return row + "\"\"";
  }
  std::string row;
  row.reserve(120);
  const auto number = [&row](int32_t value) {
    append_int(row, value);
    row += '\t';
  };
  const auto time = [&row](int32_t hour, int32_t minute) {
    append_int(row, hour);
    row += '\t';
    append_02d(row, minute);
  };
  number(block.cdur);
  number(block.intens);
  number(block.rate);
  row += '"';
  row += cue_type_name(block.type);
  row += "\"\t";
  row += alarm_text(block.walarm);
  row += '\t';
  time(block.wtimeh, block.wtimem);
  row += '\t';
  row += alarm_text(block.dalarm);
  row += '\t';
  number(block.delay);
  number(block.sens);
  time(block.cstarth, block.cstartm);
  row += '\t';
  time(block.cendh, block.cendm);
  return row;
}

namespace {

std::string assemble_export_row(const std::vector<std::string>& widget_texts, const device_block& block,
                                const std::string& version) {
  std::string row;
  row.reserve(1024);
  for (std::size_t i = 0; i < widget_texts.size(); ++i) {
    const int index = static_cast<int>(i);
    if (index == data_comments_index) {
      row += widget_texts[i];  // already quoted, with its tab
    } else if (index == data_record_view_index || index == data_settings_view_index ||
               (index >= data_first_count_index && index < data_first_count_index + journal_count_total)) {
      row += widget_texts[i];
      row += '\t';
    }
  }
  append_int(row, block.packv);
  row += '\t';
  append_hex(row, static_cast<uint32_t>(block.somnv));
  // The interface's version text as one quoted field, whatever the box sent.
  std::string ibv = bounded_text(block.ibv);
  std::replace(ibv.begin(), ibv.end(), '"', '_');
  std::replace(ibv.begin(), ibv.end(), '\t', ' ');
  row += "\t\"" + ibv + "\"\t\"" + version + "\"\t";
  for (int32_t value : {block.todd, block.todh, block.todm, block.tods, block.delayp, block.smoded}) {
    append_int(row, value);
    row += '\t';
  }
  append_int(row, static_cast<int32_t>(block.tstamp));  // written with "%d", as it always was
  row += '\n';
  return row;
}

}  // namespace

namespace {

std::vector<std::string> data_widget_export_texts(const data_window_view& view) {
  std::vector<std::string> texts(data_widget_count);
  texts[data_record_view_index] = record_view_export_text(view.block, view.no_record);
  for (int i = 0; i < journal_count_total; ++i)
    texts[static_cast<std::size_t>(data_first_count_index + i)] = std::to_string(view.counts[i]);
  texts[data_comments_index] = quoted_lines(view.comment_lines);
  texts[data_settings_view_index] = settings_view_export_text(view.block, view.no_record);
  return texts;
}

}  // namespace

std::string make_export_row(const data_window_view& view, const std::string& version) {
  return assemble_export_row(data_widget_export_texts(view), view.block, version);
}

std::string rec_column(int position) { return std::to_string(position) + "\t"; }
