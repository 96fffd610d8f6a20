// Journal trends: the chosen nights' journals set against their settings, the nights grouped by
// settings, the trends text, and the chart's columns and labels (Journal Trends and `trends`).
#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <vector>

#include "model/data_record.h"

// The six settings a night is grouped by, as stored in its block.
struct trend_settings {
  int32_t cdur = 0, intens = 0, rate = 0, type = 0, delay = 0, sens = 0;
  auto operator<=>(const trend_settings&) const = default;
};
trend_settings settings_of(const device_block& block);

struct trend_night {
  int position = 0;                                               // 1-based record number in the document
  std::string date;                                               // start date "MM/DD/YY", "??/??/??" when unknown
  int32_t dreams = 0, lucid = 0, dream_cues = 0, awakenings = 0;  // journal counts as stored
  cue_counts cues;
  trend_settings settings;
  bool settings_changed = false;  // differs from the chosen night before; never on the first
};

// One combination of settings. Counts are summed as stored, negative ones from a hostile file
// included; 64-bit sums of 32-bit counts cannot overflow.
struct trend_group {
  trend_settings settings;
  int64_t nights = 0;
  int64_t lucid = 0, nights_with_lucid = 0, dreams = 0, dream_cues = 0, awakenings = 0, cues = 0;
};

struct journal_trends {
  std::vector<trend_night> nights;  // document order
  std::vector<trend_group> groups;  // most lucid dreams per night first; ties in order of first appearance
};

// The nights at the given 0-based positions; they are taken in document order, each once, and
// positions outside the list are passed over, so an empty list chooses no night.
journal_trends compute_trends(const std::vector<data_record>& records, const std::vector<int>& positions);
// Every night of the document.
journal_trends compute_trends(const std::vector<data_record>& records);

// sum / nights as printf's "%.<decimals>f" writes the quotient of the two as doubles, so that the
// window and the command line agree on every platform. A quotient exactly halfway between two
// hundredths (1/8 = 0.125) goes to the even digit ("0.12"); a small negative one gives "-0.00".
// No nights give zero.
std::string per_night_text(int64_t sum, int64_t nights, int decimals);

// A group's line of the trends text as its fields: the six settings, nights, lucid dreams per night,
// nights with lucid dreams, dream cues, awakenings and cues per night (the window's table too).
std::vector<std::string> group_fields(const trend_group& group);

// Tab-separated, every line ended by CR LF: the nights' header and lines, an empty line, the
// groups' header and lines. Already in file form: write it as it is, without adding returns.
std::string trends_text(const journal_trends& trends);

// The chart: one column per night while the nights fit at trend_column_pixels each; else
// consecutive nights share a column, k = ceil(nights / columns that fit) of them, the last
// column holding what remains (1 to k nights).
constexpr int trend_column_pixels = 3;
struct trend_column {
  int first_night = 0;  // index into journal_trends::nights
  int night_count = 0;
  double lucid = 0, dreams = 0, cues = 0;  // means over the column's nights
  std::string date;                        // of its first night
  bool settings_changed = false;           // any of its nights starts a change
};
// At least one column of nights whatever the width; none without nights.
std::vector<trend_column> chart_columns(const journal_trends& trends, int width_pixels);

// Every k-th column gets a date label, k the smallest step that leaves trend_label_gap pixels
// between labels centred on columns column_pixels apart, the widest label_pixels wide.
constexpr int trend_label_gap = 4;
int label_step(int column_pixels, int label_pixels);

// A value axis from 0 to `top` with a tick every `step` (1, 2 or 5 times a power of ten): the
// smallest step that leaves at least min_gap pixels between ticks over `pixels`, and the smallest
// top that reaches `max` (at least one step). A hostile file's huge counts still give a finite axis.
struct trend_axis {
  int64_t top = 1, step = 1;
};
trend_axis value_axis(double max, int pixels, int min_gap);
