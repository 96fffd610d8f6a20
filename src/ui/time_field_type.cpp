// The time field: its two numeric parts, the colon, and the focus that moves between the parts.
#include "ui/time_field_type.h"

#include "exchange/widget_texts.h"

time_field_type::time_field_type(win_type* parent, int x_pos, int y_pos, const char* label, int* bound, int shift_index)
    : widget_type(parent, x_pos, y_pos, label), print_shift_index(shift_index), value(bound) {
  hours = std::make_unique<numeric_field_type>(parent, x, y, text.c_str(), part_box_width, value, 0, 23, "%d");
  minutes = std::make_unique<numeric_field_type>(parent, x + hours->get_width() + 5, y, "", part_box_width,
                                                 value != nullptr ? value + 1 : nullptr, 0, 59, "%02d");
}

numeric_field_type* time_field_type::part(int index) const {
  if (index == 0) return hours.get();
  if (index == 1) return minutes.get();
  return nullptr;
}

int time_field_type::print_shift() const {
  switch (print_shift_index) {
    case 0: return 5;
    case 1: return 10;
    case 2: return 13;
    default: return 0;
  }
}

void time_field_type::draw(HDC hdc) {
  hours->draw(hdc);
  // The colon uses the font and background mode that the hours part left selected.
  TextOutA(hdc, x + hours->get_width() + 2, y, ":", 1);
  int shift = owner_printing() ? print_shift() : 0;
  minutes->x += shift;
  minutes->draw(hdc);
  minutes->x -= shift;
}

bool time_field_type::handle_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  int px = LOWORD(lp);
  int py = HIWORD(lp);
  int hit = hours->hit_test(px, py) ? 0 : minutes->hit_test(px, py) ? 1 : -1;
  set_part(hit);
  if (numeric_field_type* focused = part(focused_part)) focused->handle_mouse(hwnd, msg, wp, lp);
  return hit >= 0;
}

void time_field_type::handle_char(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (numeric_field_type* focused = part(focused_part)) focused->handle_char(hwnd, msg, wp, lp);
}

void time_field_type::get_rect(RECT& rect) {
  RECT hours_rect;
  RECT minutes_rect;
  hours->get_rect(hours_rect);
  minutes->get_rect(minutes_rect);
  rect = {hours_rect.left, hours_rect.top, minutes_rect.right, minutes_rect.bottom};
}

bool time_field_type::hit_test(int px, int py) {
  if (hours->hit_test(px, py)) {
    entry_part = 0;
    return true;
  }
  if (minutes->hit_test(px, py)) {
    entry_part = 1;
    return true;
  }
  return false;
}

void time_field_type::set_focus(bool on) {
  if (!on) {
    set_part(-1);
  } else if (entry_part == -1) {
    set_part(0);
  } else {
    set_part(entry_part);
    entry_part = -1;
  }
}

bool time_field_type::accepts_focus(int direction) {
  if (direction >= 1) entry_part = 0;
  if (direction < 0) entry_part = 1;
  return true;
}

bool time_field_type::move_focus_within(int direction) {
  if (direction > 0 && focused_part == 0) {
    set_part(1);
    return true;
  }
  if (direction < 0 && focused_part == 1) {
    set_part(0);
    return true;
  }
  return false;
}

void time_field_type::set_part(int index) {
  if (index == focused_part) return;
  if (numeric_field_type* old_part = part(focused_part)) old_part->set_focus(false);
  focused_part = index;
  if (numeric_field_type* new_part = part(focused_part)) new_part->set_focus(true);
}
