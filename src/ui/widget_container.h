// The widgets of one window: owns them, draws them, routes mouse presses and characters to them,
// moves the keyboard focus with Tab and Enter and tells the help line what to show.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "ui/widget_type.h"

class win_type;

class widget_container {
 public:
  explicit widget_container(win_type* owner_window);
  widget_container(const widget_container&) = delete;
  widget_container& operator=(const widget_container&) = delete;
  ~widget_container();

  // Takes the widget, appended after the others; returns it.
  template <class W>
  W* add(std::unique_ptr<W> widget) {
    W* added = widget.get();
    widgets_.push_back(std::move(widget));
    return added;
  }
  // Deletes every widget (before the fonts and controls they use go).
  void delete_all();
  void draw_all(HDC hdc);
  // Focuses the widget under the press (none: the focus is removed) and passes the press on;
  // returns the index hit or -1.
  int route_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  // Tab and Enter move the focus (with Shift backwards); other characters go to the focused
  // widget. Returns the focus index that results.
  int route_char(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void set_focus_index(int index);
  void reset_focus();

  int count() const { return static_cast<int>(widgets_.size()); }
  // The widget at the index; null outside the list.
  widget_type* get(int index) const;
  int index_of(const widget_type* widget) const;
  // The focused widget, or null.
  widget_type* focused() const { return get(focus_index); }

  int focus_index = -1;
  win_type* owner = nullptr;         // not owned
  widget_type* help_line = nullptr;  // one of this container's widgets, or null
  int help_base = 0;                 // help string number = help base + focus index
  int default_focus = -1;            // what reset_focus focuses

 private:
  void tell_owner() const;
  int next_focus(int direction);

  std::vector<std::unique_ptr<widget_type>> widgets_;
};
