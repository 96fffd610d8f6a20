// The Plot window: plotting, drawing, the clipboard picture, its file section, menu rules and commands.
#include "plotwin/plot_win_type.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/app_type.h"
#include "app/data_doc.h"
#include "datawin/data_win_type.h"
#include "model/data_file.h"
#include "res/resource_ids.h"
#include "ui/gdi.h"

plot_win_type::plot_win_type(const char* title, data_doc* doc) {
  kind = plot_win_kind;
  document = doc;
  application = doc->owner;
  RECT rect;
  get_initial_rect(rect);
  create_window({"plot_win_type", "plot_win_type_menu", "somn", 0, WS_OVERLAPPEDWINDOW}, title, rect);
  create_fonts(12, 0);
  refresh_contents();
  UpdateWindow(window);  // no ShowWindow: hidden until something is plotted or it is asked for
}

plot_win_type::~plot_win_type() = default;

LRESULT plot_win_type::handle_message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SIZE) {
    refresh_contents();
    invalidate();
  } else if (msg == WM_LBUTTONDBLCLK && document) {
    document->data_window->plot_records_for(this);
    if (!IsWindow(hwnd)) return 0;  // the document was replaced from another window while the dialog was open
  }
  return win_type::handle_message(hwnd, msg, wp, lp);
}

void plot_win_type::get_initial_rect(RECT& rect) {
  const window_rect& first = plot_window_first_rect;
  rect = {first.left, first.top, first.right - first.left, first.bottom - first.top};
}

void plot_win_type::build_plot(const std::vector<int>& positions) {
  sums = sum_cues(document->data_window->records, positions, series);
  show();
  invalidate();
}

void plot_win_type::draw(HDC hdc) {
  RECT client{};
  GetClientRect(window, &client);
  const int l = client.left + 35, t = client.top + 16, r = client.right - 10, b = client.bottom - 19;
  const int w = r - l + 2, h = b - t - 1;  // the plot area's width and height in pixels
  auto x_of = [&](int bin) { return l + (bin * w) / bins - 1; };
  const int32_t max = sums.max;
  auto y_of = [&](int32_t value) { return static_cast<int>((max < 1 ? b : b - (int64_t{value} * h) / max) - 1); };
  auto segment = [&](int x1, int y1, int x2, int y2) {
    MoveToEx(hdc, x1, y1, nullptr);
    LineTo(hdc, x2, y2);
  };
  auto text_width = [&](const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32A(hdc, text.c_str(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  };
  auto text = [&](int x, int y, const std::string& text) {
    TextOutA(hdc, x, y, text.c_str(), static_cast<int>(text.size()));
  };

  // Axes in the 2-pixel pen, the top and right frame in the 1-pixel one.
  const owned_pen axis_pen = solid_pen(2, RGB(0, 0, 0));
  const owned_pen gray_pen = solid_pen(1, RGB(180, 180, 180));
  const auto black_pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
  const selected_object pen(hdc, axis_pen.get());
  segment(l - 2, t, l - 2, b + 1);
  LineTo(hdc, r + 1, b + 1);
  SelectObject(hdc, black_pen);
  segment(l - 1, t - 1, r + 1, t - 1);
  LineTo(hdc, r + 1, b + 1);
  const selected_object font(hdc, display_font.get());
  auto thick_segment = [&](int x1, int y1, int x2, int y2) {
    SelectObject(hdc, axis_pen.get());
    segment(x1, y1, x2, y2);
    SelectObject(hdc, black_pen);
  };

  // Hours under the axis: every hour labelled, half hours and single bins as the width allows.
  const int foot = b + 1;
  for (int i = 0; i < bins; ++i) {
    const int x = x_of(i);
    if (i % 12 == 0) {
      thick_segment(x, foot, x, foot + 4);
      const std::string label = i == 0 ? "HRS:" : std::to_string(i / 12);
      text(i == 0 ? l - 2 : x - text_width(label) / 2, foot + 5, label);
    } else if (i % 6 == 0 && w >= 215) {
      segment(x, foot, x, foot + 4);
    } else if (w >= 375) {
      segment(x, foot, x, foot + 3);
    }
  }

  // Counts beside the axis, labelled as densely as max allows.
  for (const count_mark& mark : count_axis_marks(max, h)) {
    const int y = (max < 1 ? b : b - mark.rise) - 1;
    if (mark.tens) thick_segment(l - 2, y, l - 7, y);
    if (mark.fives) segment(l - 2, y, l - 7, y);
    if (mark.others) segment(l - 2, y, l - 6, y);
    if (mark.label >= 0) {
      const std::string label = std::to_string(mark.label);
      text(l - 1 - text_width(label) - 8, y - 6, label);
    }
  }

  // Each shown series as a step outline: level over its bin, upright between bins.
  auto pen_of = [&](int s) { return series.colour[s] == 1 ? gray_pen.get() : black_pen; };
  for (int s = 0; s < series_total; ++s) {
    if (series.show[s] != 1) continue;
    SelectObject(hdc, pen_of(s));
    const int32_t* const values = series_values(sums, s);
    for (int i = 0; i < bins; ++i) {
      const int y = y_of(values[i]);
      if (i == 0)
        MoveToEx(hdc, x_of(0), y, nullptr);
      else
        LineTo(hdc, x_of(i), y);
      LineTo(hdc, x_of(i + 1), y);
    }
  }

  // Title and legend along the top.
  SelectObject(hdc, black_pen);
  char title[64];
  std::snprintf(title, sizeof title, "%d record(s)     Max = %d", static_cast<int>(sums.record_count),
                static_cast<int>(max));
  text(l, 2, title);
  int x = l + text_width(title) + 20;
  for (int s = 0; s < series_total; ++s) {
    if (series.show[s] != 1) continue;
    text(x, 2, series_names[s]);
    x += text_width(series_names[s]) + 2;
    SelectObject(hdc, pen_of(s));
    segment(x, 7, x + 40, 7);
    x += 40 + 20;
    SelectObject(hdc, black_pen);
  }
}

void plot_win_type::close() { hide(); }

int plot_win_type::do_command(int id) {
  app_type* const app = application;
  switch (id) {
    case IDM_COPY: copy_text(); break;
    case IDM_PLOT_RECORDS: document->data_window->plot_records_for(this); break;
    default: return win_type::do_command(id);
  }
  app->update_all_menus();
  return 1;
}

void plot_win_type::copy_text() {
  RECT client{};
  GetClientRect(window, &client);
  UpdateWindow(window);  // a pending repaint first, so that the picture is the plot shown
  owned_bitmap picture;
  {
    const window_dc screen(window);
    const memory_dc memory(screen.get());
    picture.reset(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
    const selected_object copied(memory.get(), picture.get());
    BitBlt(memory.get(), 0, 0, client.right, client.bottom, screen.get(), 0, 0, SRCCOPY);
  }
  if (!picture || !OpenClipboard(window)) return;
  EmptyClipboard();
  if (SetClipboardData(CF_BITMAP, picture.get())) picture.release();  // from now on the clipboard's
  CloseClipboard();
}

void plot_win_type::clear_contents() {
  hide();
  sums = plot_sums{};
}

int plot_win_type::write_to_file(std::FILE* file) {
  if (!win_type::write_to_file(file)) return 0;
  plot_sums stored = sums;
  stored.visible = IsWindowVisible(window) ? 1 : 0;
  return write_plot_body(file, stored) ? 1 : 0;
}

int plot_win_type::read_from_file(std::FILE* file) {
  plot_sums stored;
  if (!win_type::read_from_file(file) || !read_plot_body(file, stored)) return 0;
  sums = stored;
  sums.visible = 0;
  if (stored.visible) show();
  invalidate();
  return 1;
}

void plot_win_type::update_menus() {
  win_type::update_menus();
  enable_item(IDM_REVERT, document && document->has_file_path());
  enable_item(IDM_PLOT_RECORDS, document && document->data_window->record_count() >= 1);
  enable_item(IDM_COPY, true);
}
