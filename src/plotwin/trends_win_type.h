// The Journal Trends window: every night's journal and cues as a chart, the settings combinations under it.
#pragma once

#include <windows.h>

#include "exchange/journal_trends.h"
#include "model/data_model.h"
#include "ui/win_type.h"

class trends_win_type : public win_type {
 public:
  static constexpr COLORREF lucid_colour = RGB(36, 58, 150);
  static constexpr COLORREF dreams_colour = RGB(178, 198, 236);  // lighter, behind the lucid dreams
  static constexpr COLORREF cues_colour = RGB(222, 112, 18);
  static constexpr COLORREF change_colour = RGB(200, 28, 28);

  // Created hidden; only Show Journal Trends shows it.
  trends_win_type(window_host& host, data_model& model);

  // WM_SIZE redraws the whole window.
  LRESULT handle_message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;
  // The chart over the table, both laid out from the client rectangle.
  void draw(HDC hdc) override;
  void close() override;  // hides
  bool do_command(int id) override;
  void update_menus(const menu_facts& facts) override;

  // The nights may have changed: they are read again when next drawn or copied.
  void refresh();
  // Every night of the document, the shown night's typed counts included.
  const journal_trends& trends();
  // The trends text as it is and the chart as a bitmap on the clipboard.
  void copy_trends();
  // The trends text into a report file, the same bytes.
  void export_report();

  data_model& model;

 private:
  // The client area's size, the text line and where the table begins under the chart.
  struct layout {
    int width = 0, height = 0, line = 0, table_top = 0;
  };
  layout layout_of(HDC hdc);
  void draw_chart(HDC hdc, const layout& area);
  void draw_table(HDC hdc, const layout& area);
  // The chart alone, drawn into a bitmap of its size.
  owned_bitmap chart_picture();

  journal_trends trends_;
  bool stale_ = true;
};
