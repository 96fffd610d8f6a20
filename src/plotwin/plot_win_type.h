// The Plot window: cues per bin of the night, summed over chosen records of the data document.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "model/cue_plot.h"
#include "ui/win_type.h"

class plot_win_type : public win_type {
 public:
  static constexpr int bins = 128;

  // Created hidden; only plotting, a file or Show Plot Window shows it.
  plot_win_type(const char* title, data_doc* document);
  ~plot_win_type() override;

  // WM_SIZE redraws the whole plot; a double click opens Plot Records owned by this window.
  LRESULT handle_message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;
  void get_initial_rect(RECT& rect) override;  // 200, 100, 500 x 325
  // Axes and frame, hour and count ticks with their labels, the shown series as step outlines,
  // the title and the legend, all from the client rectangle.
  void draw(HDC hdc) override;
  void close() override;  // hides: the plot stays
  int do_command(int id) override;
  // Rectangle, visible flag, record count, max and the two stored series; combined is
  // recomputed and a window that was visible is shown again. 0 at the first short transfer.
  int read_from_file(std::FILE* file) override;
  int write_to_file(std::FILE* file) override;
  // The client area as a bitmap on the clipboard.
  void copy_text() override;
  void clear_contents() override;  // hide and empty the plot
  void update_menus() override;

  // Sums the records at the given positions of the data window's list, then shows the plot.
  virtual void build_plot(const std::vector<int>& positions);  // 38

  // The series, max and the number of records in the plot; its visible flag is left 0 (the
  // window's own visibility is what the file keeps).
  plot_sums sums;
  series_choice series;  // set by the Plot Records dialog; not kept in files
};
