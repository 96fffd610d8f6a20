// A rounded push button: shows its press for a quarter of a second, then runs its action.
#pragma once

#include <functional>

#include "ui/widget_type.h"

class button_type : public widget_type {
 public:
  using action_type = std::function<void(button_type*)>;

  button_type(win_type* owner, const RECT& rectangle, const char* label, action_type action);

  void draw(HDC hdc) override;
  bool handle_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;
  void get_rect(RECT& rect) override;
  bool hit_test(int x, int y) override;

  static constexpr int press_milliseconds = 250;

  RECT rectangle;
  action_type action;    // may be empty
  bool pressed = false;  // only while the press is shown
  bool enabled = true;   // set by the owner

 private:
  void repaint_now();
};
