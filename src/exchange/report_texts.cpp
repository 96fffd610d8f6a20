// Text reports: the record view's and settings view's lines and the assembly of both windows' reports.
#include "exchange/report_texts.h"

#include "exchange/help_strings.h"
#include "exchange/text_append.h"
#include "exchange/widget_texts.h"

const char* const journal_count_labels[journal_count_total] = {
    "DREAMS:", "LUCID DREAMS:", "RTLDs:", "QLDs:", "WILDs:", "DREAM CUES:", "CUE AWAKENINGS:"};

namespace {

constexpr int ruler_bins = 84;            // the first cue-plot line: seven hours
constexpr int64_t ruler_seconds = 25200;  // ruler_bins x 300
constexpr int64_t plot_seconds = int64_t{bins_per_record} * seconds_per_bin;

// "%02d/%02d/%02d %d:%02d" with a known date, "??/??/?? %d:%02d" without.
void append_date_time(std::string& text, bool date_known, int month, int day, int year, int hour, int minute) {
  if (date_known) {
    append_02d(text, month);
    text += '/';
    append_02d(text, day);
    text += '/';
    append_02d(text, year % 100);
    text += ' ';
  } else {
    text += "?\?/?\?/?\? ";
  }
  append_time(text, hour, minute);
}

// One cue-plot line: "|" for a REM bin below the duration, else ".".
void append_bins(std::string& text, const device_block& block, int first, int count) {
  for (int bin = first; bin < first + count; ++bin) text += bin < block.dur && block_rem_bit(block, bin) ? '|' : '.';
}

// A ruler with the cue period's start "[" and end "]" ("|" when both share a column) where
// they fall into the ruler's span of the night.
void append_ruler(std::string& text, std::string ruler, const time_line& line, int64_t offset, bool marks) {
  if (marks) {
    const int64_t from = line.record_start + offset;
    const int64_t to = from + static_cast<int64_t>(ruler.size()) * seconds_per_bin;
    if (line.cue_start >= from && line.cue_start < to)
      ruler[static_cast<std::size_t>((line.cue_start - from) / 300)] = '[';
    if (line.cue_end >= from && line.cue_end < to) {
      char& mark = ruler[static_cast<std::size_t>((line.cue_end - from) / 300)];
      mark = mark == '[' ? '|' : ']';
    }
  }
  text += ruler;
}

// Appends the widget's text and what follows it in the report, by container index.
void append_widgets(std::string& text, const std::vector<std::string>& widget_texts, const char* const* after,
                    int count) {
  for (int i = 0; i < count && i < static_cast<int>(widget_texts.size()); ++i) {
    text += widget_texts[static_cast<std::size_t>(i)];
    text += after[i];
  }
}

std::string count_text(const char* label, int32_t value) { return labelled_text(label, std::to_string(value)); }

}  // namespace

std::vector<std::string> comment_lines(const std::string& comment) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = comment.find('\n', start);
    if (end == std::string::npos) break;
    const std::size_t cut = end > start && comment[end - 1] == '\r' ? end - 1 : end;
    lines.push_back(comment.substr(start, cut - start));
    start = end + 1;
  }
  lines.push_back(comment.substr(start));
  return lines;
}

data_window_view view_of_record(const data_record& record) {
  data_window_view view;
  view.block = record.block;
  view.no_record = false;
  std::copy(std::begin(record.counts), std::end(record.counts), view.counts);
  view.comment_lines = comment_lines(record.comment);
  view.help_text = help_string(DATA_WINDOW_HELP_BASE + data_first_count_index);
  return view;
}

std::string record_view_report_text(const device_block& block, bool no_record) {
  const record_times times = compute_record_times(block);
  std::string text = "RECORD START: ";
  if (!no_record)
    append_date_time(text, times.date_known, times.month, times.day, times.year, times.start_hour, times.start_minute);
  text += "   MODE:";
  if (!no_record) {
    text += ' ';
    append_int(text, block.mode);
    text += ". ";
    text += mode_name(block.mode);
  }
  text += "\nEND: ";
  if (!no_record)
    append_date_time(text, times.date_known, times.end_month, times.end_day, times.end_year, times.end_hour,
                     times.end_minute);
  text += "   DURATION: ";
  if (!no_record) {
    append_int(text, times.minutes);
    text += " minutes";
  }
  const cue_counts counts = count_block_cues(block);
  text += "\nCUE COUNT:";
  if (!no_record) {
    text += ' ';
    append_int(text, counts.cues);
  }
  text += "   CUES NOT DELIVERED:";
  if (!no_record) {
    text += ' ';
    append_int(text, counts.not_delivered);
  }
  text += "   CUE PLOT:\n";

  const time_line line = make_time_line(block);
  append_bins(text, block, 0, ruler_bins);
  text += '\n';
  append_ruler(text, "HRS:........1...........2...........3...........4...........5...........6...........", line, 0,
               !no_record);
  text += '\n';
  append_bins(text, block, ruler_bins, bins_per_record - ruler_bins);
  text += block.dur < bins_per_record ? "\n" : " Cue Plot full!\n";
  append_ruler(text, "7...........8...........9...........10......", line, ruler_seconds, !no_record);
  static_assert(ruler_seconds + 44 * seconds_per_bin == plot_seconds);
  return text;
}

std::string settings_view_report_text(const device_block& block, bool no_record) {
  std::string text;
  // Each label with its value, or the label alone while no record is shown.
  const auto field = [&](const char* label, const std::string& value, const char* after) {
    text += label;
    if (!no_record) {
      text += ' ';
      text += value;
    }
    text += after;
  };
  const auto time = [](int32_t hour, int32_t minute) {
    std::string t;
    append_time(t, hour, minute);
    return t;
  };
  field("CUE DURATION:", std::to_string(block.cdur), "   ");
  field("CUE INTENSITY:", std::to_string(block.intens), "   ");
  field("CUE RATE:", std::to_string(block.rate), "\n");
  field("CUE TYPE:", cue_type_name(block.type), "\n");
  field("WAKE-ALARM:", alarm_text(block.walarm), "   ");
  field("WAKE-TIME:", time(block.wtimeh, block.wtimem), "   ");
  field("DREAM-ALARM:", alarm_text(block.dalarm), "\n");
  field("INITIAL DELAY:", std::to_string(block.delay), "   ");
  field("SENSITIVITY:", std::to_string(block.sens), "   ");
  field("CUE PERIOD START:", time(block.cstarth, block.cstartm), "   ");
  field("CUE PERIOD END:", time(block.cendh, block.cendm), "");
  return text;
}

namespace {

std::string assemble_data_report(const std::vector<std::string>& widget_texts, const device_block& block,
                                 const std::string& version) {
  // After each widget's text: a line feed, three blanks between counts on one row, nothing
  // after the comments box (its lines end themselves), the button and the browser.
  static const char* const after[data_widget_count] = {"\n",  "\n",  "\n", "\n", "   ", "   ", "   ", "\n", "   ",
                                                       "   ", "   ", "\n", "",   "\n",  "\n",  "\n",  "",   ""};
  std::string text;
  text.reserve(1024);
  append_widgets(text, widget_texts, after, data_widget_count);
  text += "Packet version: ";
  append_int(text, block.packv);
  text += "\nSomn software version: ";
  append_hex(text, static_cast<uint32_t>(block.somnv));
  text += "\nIB software version: " + bounded_text(block.ibv);
  text += "\nW95 software version: " + version;
  text += "\nSomn TOD clock: ";
  append_int(text, block.todd);
  text += ' ';
  append_int(text, block.todh);
  text += ' ';
  append_int(text, block.todm);
  text += ' ';
  append_int(text, block.tods);
  text += "\nSomn delays pressed: ";
  append_int(text, block.delayp);
  text += '\n';
  return text;
}

}  // namespace

namespace {

std::vector<std::string> data_widget_report_texts(const data_window_view& view) {
  std::vector<std::string> texts(data_widget_count);
  const std::string separator = separator_report_text();
  texts[data_record_view_index] = record_view_report_text(view.block, view.no_record);
  texts[1] = texts[3] = texts[13] = texts[15] = separator;
  texts[data_help_line_index] = labelled_text("HELP:", view.help_text);
  for (int i = 0; i < journal_count_total; ++i)
    texts[static_cast<std::size_t>(data_first_count_index + i)] = count_text(journal_count_labels[i], view.counts[i]);
  texts[11] = "COMMENTS:";
  texts[data_comments_index] = joined_lines(view.comment_lines);
  texts[data_settings_view_index] = settings_view_report_text(view.block, view.no_record);
  return texts;  // the button and the record browser report nothing
}

}  // namespace

std::string data_report_text(const data_window_view& view, const std::string& version) {
  return assemble_data_report(data_widget_report_texts(view), view.block, version);
}

namespace {

std::string assemble_settings_report(const std::vector<std::string>& widget_texts, const std::string& version) {
  // Rows of the form: three blanks between fields on one row, one blank between INITIAL DELAY
  // and the SENSITIVITY label that begins with "x10 minutes".
  static const char* const after[settings_widget_count] = {"\n", "\n", "   ", "   ", "\n",  "\n", "\n", "   ", "   ",
                                                           "\n", "\n", " ",   "\n",  "   ", "\n", "\n", "",    ""};
  std::string text;
  text.reserve(1024);
  append_widgets(text, widget_texts, after, settings_widget_count);
  text += "W95 software version: " + version + "\n";
  return text;
}

}  // namespace

namespace {

std::vector<std::string> settings_widget_report_texts(const device_settings& s, const std::string& help_text) {
  const auto time = [](const char* label, int32_t hour, int32_t minute) {
    std::string minutes;
    append_02d(minutes, minute);
    return time_report_text(count_text(label, hour), minutes);
  };
  std::vector<std::string> items;
  for (int type = 0; type <= 5; ++type) items.emplace_back(cue_type_name(type));
  const std::string separator = separator_report_text();
  return {labelled_text("HELP:", help_text),
          separator,
          count_text("CUE DURATION:", s.cdur),
          count_text("CUE INTENSITY:", s.intens),
          count_text("CUE RATE:", s.rate),
          choice_report_text("CUE TYPE:", items, s.type),
          separator,
          check_box_report_text("WAKE-ALARM ON", &s.walarm),
          time("WAKE-TIME:", s.wtimeh_edit, s.wtimem_edit),
          check_box_report_text("DREAM ALARM ON", &s.dalarm),
          separator,
          count_text("INITIAL DELAY:", s.delay),
          count_text("x10 minutes         SENSITIVITY:", s.sens),
          time("CUE PERIOD START:", s.cstarth_edit, s.cstartm_edit),
          time("CUE PERIOD END:", s.cendh_edit, s.cendm_edit),
          separator,
          "",
          ""};
}

}  // namespace

std::string settings_report_text(const device_settings& settings, const std::string& help_text,
                                 const std::string& version) {
  return assemble_settings_report(settings_widget_report_texts(settings, help_text), version);
}
