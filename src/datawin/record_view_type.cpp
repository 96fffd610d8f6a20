// The record view: three lines of text and the cue plot with its cue-period bracket, on screen or paper.
#include "datawin/record_view_type.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "datawin/data_win_type.h"
#include "model/device_block.h"
#include "ui/gdi.h"

namespace {

constexpr COLORREF gray = RGB(180, 180, 180);

void line(HDC hdc, int x1, int y1, int x2, int y2) {
  MoveToEx(hdc, x1, y1, nullptr);
  LineTo(hdc, x2, y2);
}

// A line in a pen of its own, then the pen in effect before it again.
void line(HDC hdc, const owned_pen& pen, int x1, int y1, int x2, int y2) {
  const selected_object selected(hdc, pen.get());
  line(hdc, x1, y1, x2, y2);
}

void text_at(HDC hdc, int x, int y, const std::string& text) {
  TextOutA(hdc, x, y, text.c_str(), static_cast<int>(text.size()));
}

template <class... A>
std::string format(const char* pattern, A... args) {
  char text[128];
  std::snprintf(text, sizeof text, pattern, args...);
  return text;
}

int text_width(HDC hdc, const std::string& text) {
  SIZE size{0, 0};
  GetTextExtentPoint32A(hdc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

// Where a text drawn at x ends, with the small gap that keeps the next one apart.
int after(HDC hdc, int x, const std::string& text) { return x + text_width(hdc, text) + 4; }

// "05/23/97 1:05", or "??/??/?? 1:05" when the date is not known.
std::string date_time(bool known, int month, int day, int year, int hour, int minute) {
  if (!known) return format("?\?/?\?/?\? %d:%02d", hour, minute);
  return format("%02d/%02d/%02d %d:%02d", month, day, year % 100, hour, minute);
}

}  // namespace

record_view_type::record_view_type(data_win_type* owner, const RECT& area)
    : widget_type(owner, area.left, area.top, nullptr), rectangle(area), data_window(owner) {}

void record_view_type::get_rect(RECT& rect) { rect = rectangle; }

const device_block& record_view_type::block() const { return data_window->model.image.data.working_block; }

bool record_view_type::shows_no_record() const { return data_window->model.image.data.no_record != 0; }

void record_view_type::draw_texts(HDC hdc, int y1) {
  const device_block& b = block();
  const bool empty = shows_no_record();
  const bool paper = owner_printing();
  const int left = rectangle.left, y2 = y1 + 11;
  const record_times t = compute_record_times(b);
  const std::string start = date_time(t.date_known, t.month, t.day, t.year, t.start_hour, t.start_minute);
  const std::string end = date_time(t.date_known, t.end_month, t.end_day, t.end_year, t.end_hour, t.end_minute);
  // The values stand at their places unless the font makes a label too wide for them: then right after it.
  const int value_x = std::max({paper ? 95 : 87, after(hdc, left, "RECORD START:"), after(hdc, left + 59, "END:")});
  const int values_end = empty ? value_x : std::max(after(hdc, value_x, start), after(hdc, value_x, end));

  text_at(hdc, left, y1, "RECORD START:");
  if (!empty) text_at(hdc, value_x, y1, start);
  text_at(hdc, std::max(250, values_end), y1,
          empty ? std::string("MODE:") : format("MODE: %d. %s", b.mode, mode_name(b.mode)));

  text_at(hdc, left + 59, y2, "END:");
  if (!empty) text_at(hdc, value_x, y2, end);
  const int duration_x = std::max(227, values_end);
  text_at(hdc, duration_x, y2, "DURATION:");
  if (!empty)
    text_at(hdc, std::max(paper ? 289 : 285, after(hdc, duration_x, "DURATION:")), y2,
            format("%lld minutes", static_cast<long long>(t.minutes)));
}

void record_view_type::draw_bracket(HDC hdc, const time_line& frame, int ya, int x0, int x128) {
  const bool paper = owner_printing();
  const owned_pen gray_pen = solid_pen(1, gray);
  const selected_object pen(hdc, gray_pen.get());
  const int64_t span_start = frame.record_start, span_end = frame.record_window_end;
  // Where a time of the cue period meets the axis; -1 outside the plotted span.
  auto mark = [&](int64_t t) {
    if (t < span_start || t > span_end) return -1;
    const int x = static_cast<int>(
        static_cast<double>(t - span_start) / static_cast<double>(span_end - span_start) * (x128 - x0) + x0);
    line(hdc, x, ya - 15, x, paper ? ya + 16 : ya + 17);
    return x;
  };
  const int xs = mark(frame.cue_start), xe = mark(frame.cue_end);
  auto pair = [&](int from, int to) {
    line(hdc, from, ya - 15, to, ya - 15);
    line(hdc, from, ya + 16, to, ya + 16);
  };
  const bool wraps = frame.cue_end < frame.cue_start;
  if (xs >= 1 && xe >= 1) {
    if (xs < xe) {
      pair(xs, xe);
    } else if (xe < xs || wraps) {
      pair(xs, x128);
      pair(xe, x0);
    }
  } else if (xs >= 1) {
    pair(xs, x128);
  } else if (xe >= 1) {
    pair(xe, x0);
  } else if ((frame.cue_start < span_start && span_end < frame.cue_end) || wraps) {
    pair(x0, x128);
  }
}

void record_view_type::draw(HDC hdc) {
  select_font(hdc);
  SetBkMode(hdc, TRANSPARENT);
  SelectObject(hdc, GetStockObject(NULL_BRUSH));
  const device_block& b = block();
  const bool empty = shows_no_record();
  const bool paper = owner_printing();
  const int left = rectangle.left, right = rectangle.right, y1 = rectangle.top - 3;
  const owned_pen black3 = solid_pen(3, RGB(0, 0, 0));
  const owned_pen gray3 = solid_pen(3, gray);
  const owned_pen black2 = solid_pen(2, RGB(0, 0, 0));
  draw_texts(hdc, y1);

  const int y3 = y1 + 22;
  const time_line frame = make_time_line(b);
  const cue_counts counts = count_block_cues(b);
  // A count's label, its legend stroke in the pen of its marks, then the number; where it ends.
  auto count_text = [&](int x, const char* label, const owned_pen& pen, int delivered) {
    text_at(hdc, x, y3, label);
    const int w = text_width(hdc, label);
    line(hdc, pen, x + w + (paper ? 2 : 1), y3 + 4, x + w + (paper ? 2 : 1), y3 + 11);
    const std::string number =
        empty ? std::string("):") : format("): %d", delivered ? counts.cues : counts.not_delivered);
    text_at(hdc, x + w + 4, y3, number);
    return after(hdc, x + w + 4, number);
  };
  const int counted = count_text(left, "CUE COUNT (", black3, 1);
  const int not_delivered = count_text(std::max(left + 125, counted), "CUES NOT DELIVERED (", gray3, 0);
  text_at(hdc, std::max(left + 300, not_delivered), y3, "CUE PLOT:");

  const int ya = y3 + 30;
  const int bin_width = static_cast<int>(static_cast<double>(right - 5 - (left + 5)) / bins_per_record);
  const int x0 = left + 5, x128 = left + bins_per_record * bin_width + 5;
  if (!empty) draw_bracket(hdc, frame, ya, x0, x128);
  line(hdc, black2, x0, ya, x128, ya);
  // Hour labels and the full-plot words are always in the small print font.
  if (owner->print_font) SelectObject(hdc, owner->print_font.get());

  for (int i = 0; i < bins_per_record; ++i) {
    const int xi = left + bin_width * i + 5;
    if (i % 12 == 0) {
      line(hdc, black2, xi, ya, xi, ya + 4);
      if (i == 0) {
        text_at(hdc, left, ya + 5, "HRS:");
      } else {
        const std::string hour = format("%d", i / 12);
        text_at(hdc, xi - text_width(hdc, hour) / 2, ya + 5, hour);
      }
    } else {
      line(hdc, xi, ya, xi, i % 6 == 0 ? ya + 4 : ya + 2);
    }
    if (i < b.dur && block_rem_bit(b, i))
      line(hdc, bin_in_cue_period(frame, i) ? black3 : gray3, xi + 2, ya - 12, xi + 2, ya - 4);
  }
  if (b.dur > bins_per_record - 1) {
    Rectangle(hdc, right - 20, ya - 15, right, rectangle.bottom);
    text_at(hdc, right - 19, ya - 14, "Cue");
    text_at(hdc, right - 18, ya - 5, "plot");
    text_at(hdc, right - 18, ya + 5, "full!");
  }
}
