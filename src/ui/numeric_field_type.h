// A numeric field: a label and a framed box showing a bound integer; digits typed into the focused
// field are checked against its range at once and stored, or refused with a beep.
#pragma once

#include "model/numeric_entry.h"
#include "ui/widget_type.h"

class numeric_field_type : public widget_type {
 public:
  // A box width of 0 or less means 30; an empty or missing format means "%d".
  numeric_field_type(win_type* owner, int x, int y, const char* label, int box_width, int* value, int minimum,
                     int maximum, const char* format = nullptr);

  void draw(HDC hdc) override;
  bool handle_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;
  void handle_char(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;
  void get_rect(RECT& rect) override;
  bool hit_test(int x, int y) override;
  void set_focus(bool on) override;
  bool accepts_focus(int direction) override;
  virtual void get_box_rect(RECT& rect);
  virtual void invalidate_box();

  // The value drawn: the bound integer, or the minimum when none is bound.
  int shown_value() const { return value != nullptr ? *value : entry.minimum(); }
  const std::string& typed_text() const { return entry.typed(); }
  // Digits typed so far are forgotten: the next one starts a new value (another night is shown).
  void forget_typing() { entry.clear_typed(); }

  static constexpr int default_box_width = 30;

  bool focused = false;
  int box_width = default_box_width;
  int* value = nullptr;  // not owned

 private:
  // Label width as the box's offset needs it: an empty label gives -3, so that the box starts at x.
  int label_offset(const SIZE& label) const { return text.empty() ? -3 : label.cx; }

  numeric_entry entry;
};
