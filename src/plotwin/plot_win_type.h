// The Plot window: cues per bin of the night, summed over chosen records of the data document.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "model/cue_plot.h"
#include "model/data_model.h"
#include "ui/win_type.h"

class plot_win_type : public win_type {
 public:
  static constexpr int bins = 128;

  // Created hidden; only plotting, a file or Show Plot Window shows it.
  plot_win_type(window_host& host, data_model& model, const std::string& title);

  // WM_SIZE redraws the whole plot; a double click opens Plot Records owned by this window.
  LRESULT handle_message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;
  // Axes and frame, hour and count ticks with their labels, the shown series as step outlines,
  // the title and the legend, all from the client rectangle.
  void draw(HDC hdc) override;
  void close() override;  // hides: the plot stays
  bool do_command(int id) override;
  void update_menus(const menu_facts& facts) override;

  // The Plot Records dialog owned by the given window; OK stores the series choice and plots the
  // chosen records. It does not open twice at once, nor without records.
  void plot_records(win_type& owner);
  // Sums the records at the given positions of the document, then shows the plot.
  void build_plot(const std::vector<int>& positions);
  // The client area as a bitmap on the clipboard.
  void copy_picture();

  data_model& model;     // its plot sums are what this window shows
  series_choice series;  // set by the Plot Records dialog; not kept in files

 private:
  bool dialog_open_ = false;
};
