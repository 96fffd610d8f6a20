// The Plot window: cues per bin of the night, summed over chosen records of the data document.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/win_type.h"

class plot_win_type : public win_type {
 public:
  static constexpr int bins = 128;

  // Created hidden; only plotting, a file or Show Plot Window shows it.
  plot_win_type(const char* title, data_doc* document);
  ~plot_win_type() override;

  LRESULT handle_message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;
  void get_initial_rect(RECT& rect) override;   // 200, 100, 500 x 325
  void draw(HDC hdc) override;
  void close() override;                        // hides: the plot stays
  int do_command(int id) override;
  // Rectangle, visible flag, record count, max and the two stored series; combined is
  // recomputed and a window that was visible is shown again. 0 at the first short transfer.
  int read_from_file(std::FILE* file) override;
  int write_to_file(std::FILE* file) override;
  void clear_contents() override;               // hide and empty the plot
  void update_menus() override;

  int32_t cues[bins] = {};
  int32_t cues_not_delivered[bins] = {};
  int32_t combined[bins] = {};
  int32_t max = 0;
  int32_t record_count = 0;  // records in the plot
  int32_t show_cues = 1, show_cues_not_delivered = 1, show_combined = 1;
  int32_t colour_cues = 0, colour_cues_not_delivered = 1, colour_combined = 0;  // 0 black, 1 gray
};
