// The check box: drawing, toggling by press or space, and its focus frame.
#include "ui/check_box_type.h"

#include "exchange/widget_texts.h"
#include "ui/gdi.h"
#include "ui/win_type.h"

check_box_type::check_box_type(win_type* parent, int x_pos, int y_pos, const char* label, int* bound)
    : widget_type(parent, x_pos, y_pos, label), value(bound) {}

void check_box_type::draw(HDC hdc) {
  select_font(hdc);
  SetBkMode(hdc, TRANSPARENT);
  SelectObject(hdc, GetStockObject(NULL_BRUSH));
  Rectangle(hdc, x + 2, y, x + 16, y + 14);
  Rectangle(hdc, x + 4, y + 2, x + 14, y + 12);
  if (value != nullptr) checked = *value != 0;
  if (checked) {
    // On paper the cross fills the inner square; on the screen it stays one pixel short.
    int reach = owner_printing() ? 14 : 13;
    MoveToEx(hdc, x + 4, y + 2, nullptr);
    LineTo(hdc, x + reach, y + reach - 2);
    MoveToEx(hdc, x + reach, y + 2, nullptr);
    LineTo(hdc, x + 4, y + reach - 2);
  }
  if (focused) {
    const owned_pen gray_pen = solid_pen(1, RGB(180, 180, 180));
    const selected_object pen(hdc, gray_pen.get());
    RECT frame;
    get_rect(frame);
    Rectangle(hdc, frame.left, frame.top, frame.right, frame.bottom);
  }
  TextOutA(hdc, x + 21, y, text.c_str(), static_cast<int>(text.size()));
}

void check_box_type::toggle() {
  // The bound value is the truth; it may have changed since the last drawing.
  if (value != nullptr) checked = *value != 0;
  checked = !checked;
  if (value != nullptr) *value = checked ? 1 : 0;
  invalidate_rect(inner_square());
}

bool check_box_type::handle_mouse(HWND, UINT, WPARAM, LPARAM lp) {
  if (!point_in(inner_square(), LOWORD(lp), HIWORD(lp))) return false;
  toggle();
  return true;
}

void check_box_type::handle_char(HWND, UINT, WPARAM wp, LPARAM) {
  if (wp == ' ') toggle();
}

void check_box_type::get_rect(RECT& rect) { rect = {x, y - 2, x + measure_for_layout(text).cx + 23, y + 16}; }

bool check_box_type::hit_test(int px, int py) {
  RECT rect;
  get_rect(rect);
  return point_in(rect, px, py);
}

void check_box_type::set_focus(bool on) {
  focused = on;
  invalidate();
}

bool check_box_type::accepts_focus(int) { return true; }
