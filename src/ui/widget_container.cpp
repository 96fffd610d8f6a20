// Routing of drawing, mouse presses, characters, focus and help among a window's widgets.
#include "ui/widget_container.h"

#include "ui/win_type.h"

widget_container::widget_container(win_type* parent) : owner(parent) {}

widget_container::~widget_container() = default;

void widget_container::delete_all() {
  std::vector<std::unique_ptr<widget_type>> doomed;
  doomed.swap(widgets_);
  focus_index = -1;
  help_line = nullptr;
}

widget_type* widget_container::get(int index) const {
  if (index < 0 || index >= count()) return nullptr;
  return widgets_[static_cast<std::size_t>(index)].get();
}

int widget_container::index_of(const widget_type* widget) const {
  for (int i = 0; i < count(); ++i)
    if (get(i) == widget) return i;
  return -1;
}

void widget_container::tell_owner() const {
  if (owner != nullptr) owner->widgets_changed();
}

void widget_container::draw_all(HDC hdc) {
  for (const auto& widget : widgets_) widget->draw(hdc);
}

int widget_container::route_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  int x = LOWORD(lp);
  int y = HIWORD(lp);
  int hit = -1;
  for (int i = 0; i < count(); i++) {
    if (widgets_[static_cast<size_t>(i)]->hit_test(x, y)) {
      hit = i;
      break;
    }
  }
  set_focus_index(hit);
  if (widget_type* widget = focused()) widget->handle_mouse(hwnd, msg, wp, lp);
  tell_owner();
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
    if (widgets_[static_cast<size_t>(current)]->accepts_focus(direction)) return current;
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
  tell_owner();
  return result;
}

void widget_container::set_focus_index(int index) {
  if (index == focus_index) return;
  if (widget_type* widget = focused()) widget->set_focus(false);
  focus_index = index;
  HWND window = owner != nullptr ? owner->window : nullptr;
  if (help_line != nullptr) {
    help_line->notify(help_base + index);
    if (window != nullptr) UpdateWindow(window);
  }
  widget_type* widget = focused();
  if (widget != nullptr) widget->set_focus(true);
  tell_owner();
  if ((widget == nullptr || !widget->has_own_control()) && window != nullptr) SetFocus(window);
}

void widget_container::reset_focus() {
  set_focus_index(-1);
  set_focus_index(default_focus);
}
