// A check box bound to an integer setting: the box, a cross when on, and its label.
#pragma once

#include "ui/widget_type.h"

class check_box_type : public widget_type {
 public:
  check_box_type(win_type* owner, int x, int y, const char* label, int* value);

  void draw(HDC hdc) override;
  bool handle_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;
  void handle_char(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;
  void get_rect(RECT& rect) override;
  bool hit_test(int x, int y) override;
  void set_focus(bool on) override;
  bool accepts_focus(int direction) override;

  RECT inner_square() const { return {x + 4, y + 2, x + 14, y + 12}; }

  int* value = nullptr;  // not owned; 0 off, anything else on
  bool checked = false;  // the drawn state, taken from the value at every drawing
  bool focused = false;

 private:
  void toggle();
};
