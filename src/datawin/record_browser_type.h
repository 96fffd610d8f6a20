// The record browser: where the user is among the records, with the Show, Delete and Plot buttons.
#pragma once

#include <memory>

#include "ui/button_type.h"
#include "ui/widget_type.h"

class data_win_type;

class record_browser_type : public widget_type {
 public:
  record_browser_type(data_win_type* owner, const RECT& rectangle);

  void draw(HDC hdc) override;
  // Offers the press to Delete, Show and Plot in this order; 1 when one took it.
  bool handle_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;
  void get_rect(RECT& rect) override;
  bool hit_test(int x, int y) override;

  RECT rectangle;
  // Drawn and pressed through the browser; not in the window's container. Disabled until drawn.
  std::unique_ptr<button_type> show_button, delete_button, plot_button;

 private:
  data_win_type* data_window;
};
