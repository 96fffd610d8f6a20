// The widgets of one window: owns them, draws them, routes mouse presses and characters to them,
// moves the keyboard focus with Tab and Enter and tells the help line what to show.
#pragma once

#include <windows.h>

#include "model/item_list.h"
#include "ui/widget_type.h"

class win_type;

// Widgets appended to the container belong to it: it deletes them with itself or in delete_all.
class widget_container : public item_list<widget_type> {
 public:
  explicit widget_container(win_type* owner_window);
  widget_container(const widget_container&) = delete;
  widget_container& operator=(const widget_container&) = delete;

  ~widget_container() override;  // deletes every widget
  virtual void delete_all();
  virtual void draw_all(HDC hdc);
  // Focuses the widget under the press (none: the focus is removed) and passes the press on;
  // returns the index hit or -1.
  virtual int route_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  // Tab and Enter move the focus (with Shift backwards); other characters go to the focused
  // widget. Returns the focus index that results.
  virtual int route_char(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  virtual void set_focus_index(int index);
  virtual void reset_focus();

  // The focused widget, or null.
  widget_type* focused() const { return get(focus_index); }

  int focus_index = -1;
  win_type* owner = nullptr;         // not owned
  widget_type* help_line = nullptr;  // one of this container's widgets, or null
  int help_base = 0;                 // help string number = help base + focus index
  int default_focus = -1;            // what reset_focus focuses

 private:
  void update_menus() const;
  int next_focus(int direction);
};
