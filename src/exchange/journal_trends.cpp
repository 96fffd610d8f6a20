// Journal trends: the nights and settings groups of the chosen records, their text and chart.
#include "exchange/journal_trends.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <map>
#include <utility>

#include "exchange/text_append.h"

namespace {

const char* const nights_header =
    "NIGHT\tDATE\tDREAMS\tLUCID\tDREAM CUES\tAWAKENINGS\tCUES\tCUES ND\tCDUR\tINTENS\tRATE\tTYPE\tDELAY\tSENS\r\n";
const char* const groups_header =
    "CDUR\tINTENS\tRATE\tTYPE\tDELAY\tSENS\tNIGHTS\tLUCID PER NIGHT\tNIGHTS WITH LUCID\tDREAM CUES PER NIGHT\t"
    "AWAKENINGS PER NIGHT\tCUES PER NIGHT\r\n";

// The record view's start date without the time.
std::string date_text(const device_block& block) {
  const record_times times = compute_record_times(block);
  if (!times.date_known) return "?\?/?\?/?\?";
  std::string text;
  append_02d(text, times.month);
  text += '/';
  append_02d(text, times.day);
  text += '/';
  append_02d(text, times.year % 100);
  return text;
}

// lucid / nights of a is larger than that of b, exactly: whole parts first, then the remainders
// crosswise. Both are below their night counts, which stay below 2^31, so the products fit.
bool more_lucid_per_night(const trend_group& a, const trend_group& b) {
  const auto split = [](int64_t sum, int64_t nights) {
    int64_t whole = sum / nights, rest = sum % nights;
    if (rest < 0) --whole, rest += nights;
    return std::pair{whole, rest};
  };
  const auto [a_whole, a_rest] = split(a.lucid, a.nights);
  const auto [b_whole, b_rest] = split(b.lucid, b.nights);
  if (a_whole != b_whole) return a_whole > b_whole;
  return a_rest * b.nights > b_rest * a.nights;
}

// The six settings, a tab between them.
void append_settings(std::string& text, const trend_settings& s) {
  const char* tab = "";
  for (int32_t value : {s.cdur, s.intens, s.rate, s.type, s.delay, s.sens}) {
    text += tab;
    append_int(text, value);
    tab = "\t";
  }
}

}  // namespace

trend_settings settings_of(const device_block& block) {
  return {block.cdur, block.intens, block.rate, block.type, block.delay, block.sens};
}

journal_trends compute_trends(const std::vector<data_record>& records, const std::vector<int>& positions) {
  std::vector<int> chosen;
  chosen.reserve(positions.size());
  for (int position : positions)
    if (position >= 0 && static_cast<std::size_t>(position) < records.size()) chosen.push_back(position);
  std::sort(chosen.begin(), chosen.end());
  chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());

  journal_trends trends;
  trends.nights.reserve(chosen.size());
  std::map<trend_settings, std::size_t> group_of;  // a hostile file may give every night its own
  for (int position : chosen) {
    const data_record& record = records[static_cast<std::size_t>(position)];
    trend_night night;
    night.position = position + 1;
    night.date = date_text(record.block);
    night.dreams = record.counts[journal_count::dreams];
    night.lucid = record.counts[journal_count::ldreams];
    night.dream_cues = record.counts[journal_count::dcues];
    night.awakenings = record.counts[journal_count::cawakes];
    night.cues = count_block_cues(record.block);
    night.settings = settings_of(record.block);
    night.settings_changed = !trends.nights.empty() && night.settings != trends.nights.back().settings;

    const auto [entry, added] = group_of.try_emplace(night.settings, trends.groups.size());
    if (added) trends.groups.push_back({.settings = night.settings});
    trend_group& group = trends.groups[entry->second];
    ++group.nights;
    group.lucid += night.lucid;
    group.nights_with_lucid += night.lucid > 0;
    group.dreams += night.dreams;
    group.dream_cues += night.dream_cues;
    group.awakenings += night.awakenings;
    group.cues += night.cues.cues;
    trends.nights.push_back(std::move(night));
  }
  std::stable_sort(trends.groups.begin(), trends.groups.end(), more_lucid_per_night);
  return trends;
}

journal_trends compute_trends(const std::vector<data_record>& records) {
  std::vector<int> all(records.size());
  for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i);
  return compute_trends(records, all);
}

std::string per_night_text(int64_t sum, int64_t nights, int decimals) {
  const double value = nights > 0 ? static_cast<double>(sum) / static_cast<double>(nights) : 0.0;
  char text[64];  // 2^31 with nine decimals at most
  std::snprintf(text, sizeof text, "%.*f", std::clamp(decimals, 0, 9), value);
  return text;
}

std::vector<std::string> group_fields(const trend_group& group) {
  const trend_settings& s = group.settings;
  std::vector<std::string> fields;
  fields.reserve(12);
  for (int64_t value : {int64_t{s.cdur}, int64_t{s.intens}, int64_t{s.rate}, int64_t{s.type}, int64_t{s.delay},
                        int64_t{s.sens}, group.nights})
    fields.push_back(std::to_string(value));
  fields.push_back(per_night_text(group.lucid, group.nights, 2));
  fields.push_back(std::to_string(group.nights_with_lucid));
  fields.push_back(per_night_text(group.dream_cues, group.nights, 2));
  fields.push_back(per_night_text(group.awakenings, group.nights, 2));
  fields.push_back(per_night_text(group.cues, group.nights, 1));
  return fields;
}

std::string trends_text(const journal_trends& trends) {
  std::string text = nights_header;
  for (const trend_night& night : trends.nights) {
    append_int(text, night.position);
    text += '\t';
    text += night.date;
    for (int64_t value : {int64_t{night.dreams}, int64_t{night.lucid}, int64_t{night.dream_cues},
                          int64_t{night.awakenings}, int64_t{night.cues.cues}, int64_t{night.cues.not_delivered}}) {
      text += '\t';
      append_int(text, value);
    }
    text += '\t';
    append_settings(text, night.settings);
    text += "\r\n";
  }
  text += "\r\n";
  text += groups_header;
  for (const trend_group& group : trends.groups) {
    const char* tab = "";
    for (const std::string& field : group_fields(group)) {
      text += tab;
      text += field;
      tab = "\t";
    }
    text += "\r\n";
  }
  return text;
}

std::vector<trend_column> chart_columns(const journal_trends& trends, int width_pixels) {
  const int64_t count = static_cast<int64_t>(trends.nights.size());
  std::vector<trend_column> columns;
  if (count == 0) return columns;
  const int64_t fit = std::max(width_pixels / trend_column_pixels, 1);
  const int64_t per_column = (count + fit - 1) / fit;
  columns.reserve(static_cast<std::size_t>((count + per_column - 1) / per_column));
  for (int64_t first = 0; first < count; first += per_column) {
    trend_column column;
    column.first_night = static_cast<int>(first);
    column.night_count = static_cast<int>(std::min(per_column, count - first));
    column.date = trends.nights[static_cast<std::size_t>(first)].date;
    int64_t lucid = 0, dreams = 0, cues = 0;
    for (int64_t i = first; i < first + column.night_count; ++i) {
      const trend_night& night = trends.nights[static_cast<std::size_t>(i)];
      lucid += night.lucid;
      dreams += night.dreams;
      cues += night.cues.cues;
      column.settings_changed = column.settings_changed || night.settings_changed;
    }
    column.lucid = static_cast<double>(lucid) / column.night_count;
    column.dreams = static_cast<double>(dreams) / column.night_count;
    column.cues = static_cast<double>(cues) / column.night_count;
    columns.push_back(std::move(column));
  }
  return columns;
}

int label_step(int column_pixels, int label_pixels) {
  const int64_t column = std::max(column_pixels, 1);
  const int64_t needed = std::max<int64_t>(int64_t{label_pixels} + trend_label_gap, 1);
  return static_cast<int>(std::min<int64_t>((needed + column - 1) / column, INT_MAX));
}

trend_axis value_axis(double max, int pixels, int min_gap) {
  // Beyond 2^62 a step would overflow; no count of a file comes near it.
  constexpr double largest = 4.0e18;
  const double reach = std::isfinite(max) ? std::clamp(max, 0.0, largest) : 0.0;
  const int64_t gap = std::max(min_gap, 1);
  trend_axis axis;
  for (int64_t power = 1;; power *= 10) {
    for (int64_t factor : {1, 2, 5}) {
      axis.step = power * factor;
      const int64_t ticks =
          std::max<int64_t>(static_cast<int64_t>(std::ceil(reach / static_cast<double>(axis.step))), 1);
      axis.top = ticks * axis.step;
      if (ticks == 1 || int64_t{pixels} / ticks >= gap) return axis;
    }
  }
}
