// The Plot window: plotting, drawing, the clipboard picture, its file section, menu rules and commands.
#include "plotwin/plot_win_type.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "plotwin/plot_records_dialog.h"
#include "res/resource_ids.h"
#include "ui/gdi.h"

plot_win_type::plot_win_type(window_host& window_host, data_model& document, const std::string& title)
    : win_type(window_host), model(document) {
  create_window({"plot_win_type", "plot_win_type_menu", "somn", 0, WS_OVERLAPPEDWINDOW}, title, plot_window_first_rect);
  create_fonts(12, 0);
  UpdateWindow(window);  // no ShowWindow: hidden until something is plotted or it is asked for
}

LRESULT plot_win_type::handle_message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SIZE) {
    invalidate();
  } else if (msg == WM_LBUTTONDBLCLK) {
    host.route_command(IDM_PLOT_RECORDS, *this);
    if (!IsWindow(hwnd)) return 0;  // the document was replaced from another window while the dialog was open
  }
  return win_type::handle_message(hwnd, msg, wp, lp);
}

void plot_win_type::plot_records(win_type& owner) {
  if (model.count() == 0 || dialog_open_) return;
  window_host& program = host;
  plot_dialog_state state{model.list_lines(), {}, series};
  dialog_open_ = true;
  const HWND own = window;
  const INT_PTR result =
      program.run_dialog("plot_records_dlog", plot_records_proc, owner.window, reinterpret_cast<LPARAM>(&state));
  if (IsWindow(own)) {  // not when the document was replaced meanwhile
    dialog_open_ = false;
    if (result == 0) {
      series = state.series;
      if (!state.selection.empty()) {
        build_plot(state.selection);
      } else {  // the series shown may have changed, and with them the scale
        model.image.plot.max = shown_max(model.image.plot, series);
        invalidate();
      }
    }
  }
  program.update_all_menus();
}

void plot_win_type::build_plot(const std::vector<int>& positions) {
  model.set_plot(sum_cues(model.image.records, positions, series));
  show();
  invalidate();
}

void plot_win_type::draw(HDC hdc) {
  RECT client{};
  GetClientRect(window, &client);
  const selected_object font(hdc, display_font.get());
  auto text_size = [&](const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32A(hdc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
  };
  auto text_width = [&](const std::string& text) { return static_cast<int>(text_size(text).cx); };
  const plot_sums& sums = model.image.plot;
  const int32_t max = sums.max;
  const int t = client.top + 16, r = client.right - 10, b = client.bottom - 19;
  const int h = b - t - 1;  // the plot area's height in pixels
  // The counts' labels stand apart by the height of their digits at least (the text's cell less its
  // leading and descent), and the axis stands right of the widest.
  const std::vector<count_mark> marks = count_axis_marks(max, h, text_size("0").cy - 4);
  int widest = 0;
  for (const count_mark& mark : marks)
    if (mark.label >= 0) widest = std::max(widest, text_width(std::to_string(mark.label)));
  const int l = client.left + std::max(35, widest + 11);
  const int w = r - l + 2;  // the plot area's width in pixels
  auto x_of = [&](int bin) { return l + (bin * w) / bins - 1; };
  auto y_of = [&](int32_t value) { return static_cast<int>((max < 1 ? b : b - (int64_t{value} * h) / max) - 1); };
  auto segment = [&](int x1, int y1, int x2, int y2) {
    MoveToEx(hdc, x1, y1, nullptr);
    LineTo(hdc, x2, y2);
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
      text(i == 0 ? l - 2 : x - text_width(label) / 2, foot + 4, label);  // all of it inside the window
    } else if (i % 6 == 0 && w >= 215) {
      segment(x, foot, x, foot + 4);
    } else if (w >= 375) {
      segment(x, foot, x, foot + 3);
    }
  }

  // Counts beside the axis, labelled as densely as max allows.
  for (const count_mark& mark : marks) {
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
  auto pen_of = [&](int s) { return series.gray[s] ? gray_pen.get() : black_pen; };
  for (int s = 0; s < series_total; ++s) {
    if (!series.show[s]) continue;
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
    if (!series.show[s]) continue;
    text(x, 2, series_names[s]);
    x += text_width(series_names[s]) + 2;
    SelectObject(hdc, pen_of(s));
    segment(x, 7, x + 40, 7);
    x += 40 + 20;
    SelectObject(hdc, black_pen);
  }
}

void plot_win_type::close() { hide(); }

bool plot_win_type::do_command(int id) {
  window_host& program = host;
  switch (id) {
    case IDM_COPY: copy_picture(); break;
    default: return win_type::do_command(id);
  }
  program.update_all_menus();
  return true;
}

void plot_win_type::copy_picture() {
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

void plot_win_type::update_menus(const menu_facts& facts) {
  win_type::update_menus(facts);
  enable_item(IDM_REVERT, facts.data_path);
  enable_item(IDM_PLOT_RECORDS, facts.records >= 1);
  enable_item(IDM_COPY, true);
}
