// The Journal Trends window: its layout, the chart and the table, Copy, Export Report and its menu rules.
#include "plotwin/trends_win_type.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <iterator>
#include <new>
#include <string>
#include <tuple>
#include <vector>

#include "exchange/exchange_files.h"
#include "res/resource_ids.h"
#include "ui/gdi.h"

namespace {

constexpr COLORREF grid_colour = RGB(228, 228, 228);
constexpr int margin = 8;
constexpr int column_gap = 12;  // between the table's columns

// The table's columns in the order of group_fields, each heading on two lines.
const char* const headings[][2] = {
    {"", "CDUR"},
    {"", "INTENS"},
    {"", "RATE"},
    {"", "TYPE"},
    {"", "DELAY"},
    {"", "SENS"},
    {"", "NIGHTS"},
    {"LUCID", "PER NIGHT"},
    {"NIGHTS", "WITH LUCID"},
    {"DREAM CUES", "PER NIGHT"},
    {"AWAKENINGS", "PER NIGHT"},
    {"CUES", "PER NIGHT"},
};

constexpr window_rect first_place{150, 60, 930, 600};  // wide enough for every column of the table

// Texts in one part of the window, each drawn only where it fits whole.
class text_painter {
 public:
  text_painter(HDC hdc, const RECT& bounds) : hdc_(hdc), bounds_(bounds) {
    TEXTMETRICA metrics{};
    GetTextMetricsA(hdc, &metrics);
    height_ = static_cast<int>(metrics.tmHeight);
  }
  int width(const std::string& text) const {
    SIZE size{};
    GetTextExtentPoint32A(hdc_, text.c_str(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  }
  bool put(int x, int y, const std::string& text) const {
    if (text.empty()) return true;
    if (x < bounds_.left || y < bounds_.top || x + width(text) > bounds_.right || y + height_ > bounds_.bottom)
      return false;
    TextOutA(hdc_, x, y, text.c_str(), static_cast<int>(text.size()));
    return true;
  }
  // Right-aligned on x.
  bool put_left_of(int x, int y, const std::string& text) const { return put(x - width(text), y, text); }

 private:
  HDC hdc_;
  RECT bounds_;
  int height_ = 0;
};

void segment(HDC hdc, int x1, int y1, int x2, int y2) {
  MoveToEx(hdc, x1, y1, nullptr);
  LineTo(hdc, x2, y2);
}

// Where a column's bars stand: a quarter of the column (at least a pixel) stays free between bars,
// and a few nights do not make slabs of them.
constexpr int widest_bar = 40;
struct bar_place {
  int left, right, centre;
};
bar_place bar_of(int column_left, int column_right) {
  const int width = column_right - column_left;
  const int cut = std::max({1, width / 4, width - widest_bar});
  const int left = column_left + cut - cut / 2, right = column_right - cut / 2;
  return {left, right, (left + right - 1) / 2};
}

}  // namespace

trends_win_type::trends_win_type(window_host& window_host, data_model& document)
    : win_type(window_host), model(document) {
  create_window({"trends_win_type", "trends_win_type_menu", "somn", 0, WS_OVERLAPPEDWINDOW}, "Journal Trends",
                first_place);
  create_fonts(12, 0);
  UpdateWindow(window);  // no ShowWindow: hidden until it is asked for
}

LRESULT trends_win_type::handle_message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SIZE) invalidate();
  return win_type::handle_message(hwnd, msg, wp, lp);
}

void trends_win_type::close() { hide(); }

void trends_win_type::refresh() {
  stale_ = true;
  invalidate();
}

const journal_trends& trends_win_type::trends() {
  if (stale_) {
    model.store();  // the shown night as typed
    trends_ = compute_trends(model.image.records);
    stale_ = false;
  }
  return trends_;
}

trends_win_type::layout trends_win_type::layout_of(HDC hdc) {
  RECT client{};
  GetClientRect(window, &client);
  TEXTMETRICA metrics{};
  GetTextMetricsA(hdc, &metrics);
  layout area;
  area.width = static_cast<int>(client.right);
  area.height = static_cast<int>(client.bottom);
  area.line = static_cast<int>(metrics.tmHeight);
  // The table takes what its rows need, up to two fifths of the height (but always its headings
  // and a row); the chart the rest.
  const int64_t rows = static_cast<int64_t>(trends().groups.size());
  const int64_t headed = 21 + 3 * int64_t{area.line};  // caption, headings and the rules around them
  const int64_t row = area.line + 2;
  const int64_t wanted = headed + std::max<int64_t>(rows, 1) * row;
  const int64_t share = std::max<int64_t>(int64_t{area.height} * 2 / 5, headed + row);
  area.table_top = static_cast<int>(std::max<int64_t>(area.height - std::min(wanted, share), 0));
  return area;
}

void trends_win_type::draw(HDC hdc) {
  const selected_object font(hdc, display_font.get());
  const layout area = layout_of(hdc);
  draw_chart(hdc, area);
  draw_table(hdc, area);
}

void trends_win_type::draw_chart(HDC hdc, const layout& area) {
  const journal_trends& all = trends();
  const text_painter text(hdc, {0, 0, area.width, area.table_top});
  const int line = area.line, gap = 2 * line;  // gap: the least room between value ticks
  const int title_y = 4, axis_title_y = title_y + line + 4;
  const int top = axis_title_y + line + 2 + (line + 1) / 2;  // the top tick's label is centred on it
  const int bottom = area.table_top - line - 16;             // the marks and dates go under it
  const int height = bottom - top;

  // The margins hold the scales' labels, the widest of which the nights' own maxima give: a
  // column's mean never exceeds them.
  double most_dreams = 0, most_cues = 0;
  for (const trend_night& night : all.nights) {
    most_dreams = std::max({most_dreams, static_cast<double>(night.dreams), static_cast<double>(night.lucid)});
    most_cues = std::max(most_cues, static_cast<double>(night.cues.cues));
  }
  const int left = margin + text.width(std::to_string(value_axis(most_dreams, height, gap).top)) + 8;
  const int right = area.width - margin - text.width(std::to_string(value_axis(most_cues, height, gap).top)) - 8;
  const int width = right - left;
  const bool room = height >= line && width >= trend_column_pixels;
  const std::vector<trend_column> columns = room ? chart_columns(all, width) : std::vector<trend_column>{};

  const owned_pen black_pen = solid_pen(1, RGB(0, 0, 0)), grid_pen = solid_pen(1, grid_colour);
  const owned_pen lucid_pen = solid_pen(1, lucid_colour), dreams_pen = solid_pen(1, dreams_colour);
  const owned_pen cues_pen = solid_pen(1, cues_colour), cues_line_pen = solid_pen(2, cues_colour);
  const owned_pen change_pen = solid_pen(2, change_colour);
  const owned_brush lucid_brush(CreateSolidBrush(lucid_colour)), dreams_brush(CreateSolidBrush(dreams_colour));
  const owned_brush cues_brush(CreateSolidBrush(cues_colour));
  const selected_object pen(hdc, black_pen.get());
  const selected_object brush(hdc, lucid_brush.get());
  auto use = [&](const owned_pen& p, const owned_brush* b = nullptr) {
    SelectObject(hdc, p.get());
    if (b) SelectObject(hdc, b->get());
  };

  // Title and legend along the top; legend entries that do not fit are left out.
  char title[96];
  const int per_column = columns.empty() ? 1 : columns.front().night_count;
  if (per_column > 1)
    std::snprintf(title, sizeof title, "%d night(s), %d to a column (means)", static_cast<int>(all.nights.size()),
                  per_column);
  else
    std::snprintf(title, sizeof title, "%d night(s)", static_cast<int>(all.nights.size()));
  text.put(margin, title_y, title);
  const int mid = title_y + line / 2;
  int x = margin + text.width(title) + 20;
  auto legend = [&](const char* name, const std::function<void(int)>& sample) {
    if (x + 18 + text.width(name) > area.width - margin) {
      x = area.width;  // and none after it
      return;
    }
    sample(x);
    text.put(x + 18, title_y, name);
    x += 18 + text.width(name) + 14;
  };
  legend("LUCID DREAMS", [&](int at) {
    use(lucid_pen, &lucid_brush);
    Rectangle(hdc, at, mid - 5, at + 12, mid + 5);
  });
  legend("DREAMS", [&](int at) {
    use(dreams_pen, &dreams_brush);
    Rectangle(hdc, at, mid - 5, at + 12, mid + 5);
  });
  legend("CUES", [&](int at) {
    use(cues_line_pen);
    segment(hdc, at, mid, at + 13, mid);
    use(cues_pen, &cues_brush);
    Rectangle(hdc, at + 4, mid - 2, at + 9, mid + 3);
  });
  legend("NEW SETTINGS", [&](int at) {
    use(change_pen);
    segment(hdc, at + 6, mid - 4, at + 6, mid + 4);
  });
  if (!room) return;

  // The scales, from the columns shown: ticks with their labels, and light lines across for the counts.
  double dreams_max = 0, cues_max = 0;
  for (const trend_column& column : columns) {
    dreams_max = std::max({dreams_max, column.dreams, column.lucid});
    cues_max = std::max(cues_max, column.cues);
  }
  const trend_axis counts = value_axis(dreams_max, height, gap), cues = value_axis(cues_max, height, gap);
  auto y_of = [&](double value, const trend_axis& axis) {
    const double share = std::clamp(value / static_cast<double>(axis.top), 0.0, 1.0);
    return bottom - static_cast<int>(std::lround(share * height));
  };
  text.put(margin, axis_title_y, "DREAMS");
  text.put_left_of(area.width - margin, axis_title_y, "CUES");
  for (int64_t i = 0; i <= counts.top / counts.step; ++i) {
    const int y = y_of(static_cast<double>(i * counts.step), counts);
    if (i > 0) {
      use(grid_pen);
      segment(hdc, left + 1, y, right, y);
    }
    use(black_pen);
    segment(hdc, left - 5, y, left, y);
    text.put_left_of(left - 7, y - line / 2, std::to_string(i * counts.step));
  }
  for (int64_t i = 0; i <= cues.top / cues.step; ++i) {
    const int y = y_of(static_cast<double>(i * cues.step), cues);
    segment(hdc, right, y, right + 5, y);
    text.put(right + 7, y - line / 2, std::to_string(i * cues.step));
  }

  // One column a night (or a bucket of nights): DREAMS, then LUCID DREAMS over it.
  const auto n = static_cast<int64_t>(columns.size());
  std::vector<bar_place> bars;
  bars.reserve(columns.size());
  for (int64_t i = 0; i < n; ++i)
    bars.push_back(bar_of(left + static_cast<int>(i * width / n), left + static_cast<int>((i + 1) * width / n)));
  for (int64_t i = 0; i < n; ++i) {
    const trend_column& column = columns[static_cast<std::size_t>(i)];
    const bar_place& bar = bars[static_cast<std::size_t>(i)];
    for (const auto& [value, bar_pen, bar_brush] :
         {std::tuple{column.dreams, &dreams_pen, &dreams_brush}, std::tuple{column.lucid, &lucid_pen, &lucid_brush}}) {
      const int y = y_of(value, counts);
      if (y >= bottom) continue;
      use(*bar_pen, bar_brush);
      Rectangle(hdc, bar.left, y, bar.right, bottom);
    }
  }
  use(black_pen);
  segment(hdc, left, top, left, bottom);
  LineTo(hdc, right, bottom);
  LineTo(hdc, right, top);

  // The cues as a line on their own scale, with a point on each column where there is room.
  use(cues_line_pen);
  for (int64_t i = 0; i < n; ++i) {
    const int y = y_of(columns[static_cast<std::size_t>(i)].cues, cues), at = bars[static_cast<std::size_t>(i)].centre;
    if (i == 0)
      MoveToEx(hdc, at, y, nullptr);
    else
      LineTo(hdc, at, y);
  }
  if (n > 0 && width / n >= 6) {
    use(cues_pen, &cues_brush);
    for (int64_t i = 0; i < n; ++i) {
      const int y = y_of(columns[static_cast<std::size_t>(i)].cues, cues),
                at = bars[static_cast<std::size_t>(i)].centre;
      Rectangle(hdc, at - 2, y - 2, at + 3, y + 3);
    }
  }

  // A mark under each column whose settings differ from the night before, then the dates, thinned.
  use(change_pen);
  for (int64_t i = 0; i < n; ++i)
    if (columns[static_cast<std::size_t>(i)].settings_changed) {
      const int at = bars[static_cast<std::size_t>(i)].centre;
      segment(hdc, at, bottom + 3, at, bottom + 10);
    }
  int widest = 0;
  for (const trend_column& column : columns) widest = std::max(widest, text.width(column.date));
  const int64_t step = n > 0 ? label_step(static_cast<int>(width / n), widest) : 1;
  int free_from = 0;  // where the next label may begin
  for (int64_t i = 0; i < n; i += step) {
    const std::string& date = columns[static_cast<std::size_t>(i)].date;
    const int label = text.width(date);
    const int at = std::max(std::min(bars[static_cast<std::size_t>(i)].centre - label / 2, area.width - 2 - label), 2);
    if (at >= free_from && text.put(at, bottom + 12, date)) free_from = at + label + trend_label_gap;
  }
}

void trends_win_type::draw_table(HDC hdc, const layout& area) {
  const std::vector<trend_group>& groups = trends().groups;
  const text_painter text(hdc, {0, area.table_top, area.width, area.height});
  const int line = area.line, row = line + 2;
  const owned_pen rule_pen = solid_pen(1, RGB(160, 160, 160));
  const selected_object pen(hdc, rule_pen.get());
  segment(hdc, margin, area.table_top + 1, area.width - margin, area.table_top + 1);
  int y = area.table_top + 6;
  text.put(margin, y, "SETTINGS, MOST LUCID DREAMS PER NIGHT FIRST");
  y += line + 4;
  const int heading_y = y, rows_y = y + 2 * line + 7;

  // Whole rows only; when some are left over, the last line says how many.
  const int64_t room = std::max<int64_t>((int64_t{area.height} - 4 - rows_y) / row, 0);
  const auto total = static_cast<int64_t>(groups.size());
  const int64_t shown = total <= room ? total : std::max<int64_t>(room - 1, 0);
  std::vector<std::vector<std::string>> cells;
  cells.reserve(static_cast<std::size_t>(shown));
  for (int64_t i = 0; i < shown; ++i) cells.push_back(group_fields(groups[static_cast<std::size_t>(i)]));

  // Columns right-aligned, as wide as their widest text; the columns that do not fit are left out.
  int x = margin, last_right = margin;
  for (std::size_t c = 0; c < std::size(headings); ++c) {
    int wide = std::max(text.width(headings[c][0]), text.width(headings[c][1]));
    for (const auto& fields : cells) wide = std::max(wide, text.width(fields[c]));
    if (x + wide > area.width - margin) break;
    last_right = x + wide;
    text.put_left_of(last_right, heading_y, headings[c][0]);
    text.put_left_of(last_right, heading_y + line, headings[c][1]);
    for (std::size_t r = 0; r < cells.size(); ++r)
      text.put_left_of(last_right, rows_y + static_cast<int>(r) * row, cells[r][c]);
    x = last_right + column_gap;
  }
  segment(hdc, margin, rows_y - 3, last_right, rows_y - 3);
  if (shown < total && room > 0) {
    char more[64];
    std::snprintf(more, sizeof more, "%lld more combination(s) not shown", static_cast<long long>(total - shown));
    text.put(margin, rows_y + static_cast<int>(shown) * row, more);
  }
}

owned_bitmap trends_win_type::chart_picture() {
  const window_dc screen(window);
  const memory_dc memory(screen.get());
  owned_bitmap picture;
  const selected_object font(memory.get(), display_font.get());
  const layout area = layout_of(memory.get());
  if (area.width <= 0 || area.table_top <= 0) return picture;
  picture.reset(CreateCompatibleBitmap(screen.get(), area.width, area.table_top));
  if (!picture) return picture;
  {
    const selected_object drawn(memory.get(), picture.get());
    const RECT all{0, 0, area.width, area.table_top};
    FillRect(memory.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    draw_chart(memory.get(), area);
  }
  return picture;
}

void trends_win_type::copy_trends() {
  std::string text;
  try {
    text = trends_text(trends());
  } catch (const std::bad_alloc&) {
    host.show_message(text_failed);
    return;
  }
  owned_bitmap chart = chart_picture();
  HGLOBAL memory = clipboard_text(host, text);
  if (!memory) return;
  if (!OpenClipboard(window)) {
    GlobalFree(memory);
    return;
  }
  EmptyClipboard();
  if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);                                 // else the clipboard's
  if (chart && SetClipboardData(CF_BITMAP, chart.get())) static_cast<void>(chart.release());  // the same
  CloseClipboard();
}

void trends_win_type::export_report() {
  save_report(*this, [this] {
    std::string text = trends_text(trends());
    std::erase(text, '\r');  // the report file puts every return back
    return text;
  });
}

bool trends_win_type::do_command(int id) {
  window_host& program = host;
  switch (id) {
    case IDM_COPY: copy_trends(); break;
    case IDM_EXPORT_REPORT: export_report(); break;
    default: return win_type::do_command(id);
  }
  program.update_all_menus();
  return true;
}

void trends_win_type::update_menus(const menu_facts& facts) {
  win_type::update_menus(facts);
  enable_item(IDM_REVERT, facts.data_path);
  enable_item(IDM_EXPORT_REPORT, true);
  enable_item(IDM_COPY, true);
}
