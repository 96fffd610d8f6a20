// The push button: outline, label, the shown press and the action after it.
#include "ui/button_type.h"

#include "ui/desktop_io.h"
#include "ui/gdi.h"

namespace {
constexpr COLORREF gray = RGB(180, 180, 180);
}

button_type::button_type(win_type* parent, const RECT& area, const char* label, action_type on_press)
    : widget_type(parent, area.left, area.top, label), rectangle(area), action(std::move(on_press)) {}

void button_type::draw(HDC hdc) {
  select_font(hdc);
  SetBkMode(hdc, TRANSPARENT);
  SelectObject(hdc, GetStockObject(NULL_BRUSH));
  const owned_pen gray_pen = solid_pen(1, gray);
  const selected_object pen(hdc, enabled ? GetStockObject(BLACK_PEN) : gray_pen.get());
  SetTextColor(hdc, enabled ? RGB(0, 0, 0) : gray);
  if (pressed) SelectObject(hdc, GetStockObject(LTGRAY_BRUSH));
  RoundRect(hdc, rectangle.left, rectangle.top, rectangle.right, rectangle.bottom, 18, 18);
  SelectObject(hdc, GetStockObject(NULL_BRUSH));
  RECT area = rectangle;
  DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SetTextColor(hdc, RGB(0, 0, 0));
}

void button_type::repaint_now() {
  invalidate_rect(rectangle);
  update_owner();
}

bool button_type::handle_mouse(HWND, UINT, WPARAM, LPARAM lp) {
  if (!enabled) return false;
  int hit = hit_test(LOWORD(lp), HIWORD(lp));
  if (hit) {
    pressed = true;
    repaint_now();
    io().pause(press_milliseconds);
    pressed = false;
    repaint_now();
    if (action) action(this);
  }
  return hit;
}

void button_type::get_rect(RECT& rect) { rect = rectangle; }

bool button_type::hit_test(int px, int py) { return enabled && point_in(rectangle, px, py); }
