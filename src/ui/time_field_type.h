// A time of day field: an hours part with the label and a minutes part, joined by a colon; Tab
// steps from the hours to the minutes before it leaves the field.
#pragma once

#include <memory>

#include "ui/numeric_field_type.h"

class time_field_type : public widget_type {
 public:
  // value points to the hour, directly followed by the minute. The print shift index (0, 1, 2)
  // moves the minutes 5, 10 or 13 pixels to the right on paper.
  time_field_type(win_type* owner, int x, int y, const char* label, int* value, int print_shift_index);

  void draw(HDC hdc) override;
  bool handle_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;
  void handle_char(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;
  void get_rect(RECT& rect) override;
  bool hit_test(int x, int y) override;
  void set_focus(bool on) override;
  bool accepts_focus(int direction) override;
  bool move_focus_within(int direction) override;
  virtual void set_part(int index);

  static constexpr int part_box_width = 20;

  int print_shift_index = 0;
  int focused_part = -1;  // -1 none, 0 hours, 1 minutes
  int entry_part = -1;    // the part that the next focus gain lands on
  int* value = nullptr;   // not owned: hour, then minute
  std::unique_ptr<numeric_field_type> hours;
  std::unique_ptr<numeric_field_type> minutes;

 private:
  numeric_field_type* part(int index) const;
  int print_shift() const;
};
