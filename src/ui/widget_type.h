// Base class of the drawn elements of a window; on its own it is a text label.
#pragma once

#include <windows.h>

#include <string>

class desktop_io;
class win_type;

class widget_type {
 public:
  widget_type() = default;
  widget_type(win_type* owner, int x, int y, const char* text);  // text: at most 255 characters kept
  widget_type(const widget_type&) = delete;
  widget_type& operator=(const widget_type&) = delete;

  virtual ~widget_type() = default;
  virtual void draw(HDC hdc);
  virtual bool handle_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  virtual void handle_char(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  virtual void get_rect(RECT& rect);
  virtual int get_width();
  virtual void invalidate();
  virtual bool hit_test(int x, int y);
  virtual void set_focus(bool on);
  virtual bool accepts_focus(int direction);
  virtual void notify(int value);
  virtual bool move_focus_within(int direction);
  // True for a widget whose own control takes the keyboard when it is focused (the comments box).
  virtual bool has_own_control() const { return false; }

  static constexpr size_t max_text_length = 255;

  win_type* owner = nullptr;  // not owned
  int x = 0;
  int y = 0;
  std::string text;

 protected:
  // The font the widgets draw with: the print font while the owner is printed (when it has
  // one), else the display font; null when the owner has neither.
  HFONT current_font() const;
  void select_font(HDC hdc) const;
  // Size of a text on the given context in the font already selected there.
  SIZE measure_text(HDC hdc, const std::string& text) const;
  // Size of a text in the current font on a context of the owner window, taken and released
  // for the purpose.
  SIZE measure_on_owner(const std::string& text) const;
  // The same on the printer's context while the owner is printed, else on the owner window.
  SIZE measure_for_layout(const std::string& text) const;
  desktop_io& io() const;  // the owner's beep, pause and popup menus
  // InvalidateRect on the owner window, background erased.
  void invalidate_rect(const RECT& rect) const;
  void update_owner() const;  // UpdateWindow of the owner window
  HWND owner_window() const;
  bool owner_printing() const;
};

// A point lies in the rectangle, its right and bottom edges included.
inline bool point_in(const RECT& rect, int x, int y) {
  return x >= rect.left && x <= rect.right && y >= rect.top && y <= rect.bottom;
}
