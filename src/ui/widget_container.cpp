// Routing of drawing, mouse presses, characters, focus and help among a window's widgets.
#include "ui/widget_container.h"

#include "app/app_type.h"
#include "ui/win_type.h"

widget_container::widget_container(win_type* parent) : owner(parent) {}

widget_container::~widget_container() {
  for (widget_type* widget : items) delete widget;
}

void widget_container::delete_all() {
  std::vector<widget_type*> doomed;
  doomed.swap(items);
  focus_index = -1;
  help_line = nullptr;
  for (widget_type* widget : doomed) delete widget;
  clear();
}

void widget_container::update_menus() const {
  if (owner != nullptr && owner->application != nullptr) owner->application->update_all_menus();
}

void widget_container::draw_all(HDC hdc) {
  for (widget_type* widget : items) widget->draw(hdc);
}

int widget_container::route_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  int x = LOWORD(lp);
  int y = HIWORD(lp);
  int hit = -1;
  for (int i = 0; i < count(); i++) {
    if (items[static_cast<size_t>(i)]->hit_test(x, y)) {
      hit = i;
      break;
    }
  }
  set_focus_index(hit);
  if (widget_type* widget = focused()) widget->handle_mouse(hwnd, msg, wp, lp);
  update_menus();
  return hit;
}

// The next widget that takes the focus in the direction (+1 or -1), or -1 when none does.
int widget_container::next_focus(int direction) {
  int current = focus_index;
  if (current < 0) current = direction < 0 ? count() : -1;
  for (int step = 0; step < count(); step++) {
    current += direction;
    if (current < 0) current = count() - 1;
    if (current >= count()) current = 0;
    if (items[static_cast<size_t>(current)]->accepts_focus(direction)) return current;
  }
  return -1;
}

int widget_container::route_char(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  bool tab = wp == 9;
  bool enter = wp == 13;
  int result = -1;
  if (tab || enter) {
    int direction = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
    widget_type* widget = focused();
    if (widget != nullptr && widget->move_focus_within(direction))
      result = focus_index;
    else
      result = next_focus(direction);
    set_focus_index(result);
  } else {
    if (widget_type* widget = focused()) widget->handle_char(hwnd, msg, wp, lp);
    result = focus_index;
  }
  update_menus();
  return result;
}

void widget_container::set_focus_index(int index) {
  if (index == focus_index) return;
  if (widget_type* widget = focused()) widget->set_focus(0);
  focus_index = index;
  HWND window = owner != nullptr ? owner->window : nullptr;
  if (help_line != nullptr) {
    help_line->notify(help_base + index);
    if (window != nullptr) UpdateWindow(window);
  }
  widget_type* widget = focused();
  if (widget != nullptr) widget->set_focus(1);
  update_menus();
  if ((widget == nullptr || widget->kind != edit_text_kind) && window != nullptr) SetFocus(window);
}

void widget_container::reset_focus() {
  set_focus_index(-1);
  set_focus_index(default_focus);
}
