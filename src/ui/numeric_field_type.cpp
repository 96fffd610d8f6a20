// The numeric field: drawing its box, typing into it and its focus.
#include "ui/numeric_field_type.h"

#include "exchange/widget_texts.h"
#include "ui/desktop_io.h"
#include "ui/win_type.h"

numeric_field_type::numeric_field_type(win_type* parent, int x_pos, int y_pos, const char* label, int width, int* bound,
                                       int minimum, int maximum, const char* format)
    : widget_type(parent, x_pos, y_pos, label),
      box_width(width > 0 ? width : default_box_width),
      value(bound),
      entry(minimum, maximum, format) {}

void numeric_field_type::draw(HDC hdc) {
  select_font(hdc);
  SetBkMode(hdc, TRANSPARENT);
  int label_width = -3;
  if (!text.empty()) {
    TextOutA(hdc, x, y, text.c_str(), static_cast<int>(text.size()));
    label_width = label_offset(measure_text(hdc, text));
  }
  int left = x + label_width + 3;
  // A focused box is filled light gray; an unfocused one is an outline on the background.
  SelectObject(hdc, GetStockObject(focused ? LTGRAY_BRUSH : NULL_BRUSH));
  Rectangle(hdc, left, y, left + box_width, y + 14);
  SelectObject(hdc, GetStockObject(NULL_BRUSH));
  std::string shown = entry.format_value(shown_value());
  TextOutA(hdc, left + 3, y, shown.c_str(), static_cast<int>(shown.size()));
}

bool numeric_field_type::handle_mouse(HWND, UINT, WPARAM, LPARAM) { return false; }

void numeric_field_type::handle_char(HWND, UINT, WPARAM wp, LPARAM) {
  numeric_entry::result result = entry.type(static_cast<int>(wp));
  if (!result.accepted) {
    io().beep();
    return;
  }
  if (value != nullptr) *value = result.value;
  invalidate_box();
}

void numeric_field_type::get_rect(RECT& rect) {
  rect = {x, y, x + label_offset(measure_for_layout(text)) + 3 + box_width, y + 14};
}

void numeric_field_type::get_box_rect(RECT& rect) {
  int left = x + label_offset(measure_on_owner(text)) + 3;
  rect = {left, y, left + box_width, y + 14};
}

void numeric_field_type::invalidate_box() {
  RECT rect;
  get_box_rect(rect);
  invalidate_rect(rect);
}

bool numeric_field_type::hit_test(int px, int py) {
  RECT box;
  get_box_rect(box);
  return point_in(box, px, py);
}

void numeric_field_type::set_focus(bool on) {
  if (on == focused) return;
  focused = on;
  entry.clear_typed();
  invalidate_box();
}

bool numeric_field_type::accepts_focus(int) { return true; }
