// The widget base: a text label drawn at its point in the owner's font.
#include "ui/widget_type.h"

#include <cstring>

#include "ui/desktop_io.h"
#include "ui/gdi.h"
#include "ui/win_type.h"

widget_type::widget_type(win_type* parent, int x_pos, int y_pos, const char* label)
    : owner(parent), x(x_pos), y(y_pos) {
  if (label != nullptr) text.assign(label, strnlen(label, max_text_length));
}

HWND widget_type::owner_window() const { return owner != nullptr ? owner->window : nullptr; }

bool widget_type::owner_printing() const { return owner != nullptr && owner->printing; }

desktop_io& widget_type::io() const { return owner->host.io(); }

HFONT widget_type::current_font() const {
  if (owner == nullptr) return nullptr;
  if (owner->printing && owner->print_font) return owner->print_font.get();
  return owner->display_font.get();
}

void widget_type::select_font(HDC hdc) const {
  if (HFONT font = current_font()) SelectObject(hdc, font);
}

SIZE widget_type::measure_text(HDC hdc, const std::string& measured) const {
  SIZE size{0, 0};
  GetTextExtentPoint32A(hdc, measured.c_str(), static_cast<int>(measured.size()), &size);
  return size;
}

SIZE widget_type::measure_on_owner(const std::string& measured) const {
  const window_dc screen(owner_window());
  const selected_object font(screen.get(), current_font());
  return measure_text(screen.get(), measured);
}

SIZE widget_type::measure_for_layout(const std::string& measured) const {
  if (!owner_printing() || owner->printer_dc == nullptr) return measure_on_owner(measured);
  select_font(owner->printer_dc);
  return measure_text(owner->printer_dc, measured);
}

void widget_type::invalidate_rect(const RECT& rect) const {
  if (HWND hwnd = owner_window()) InvalidateRect(hwnd, &rect, TRUE);
}

void widget_type::update_owner() const {
  if (HWND hwnd = owner_window()) UpdateWindow(hwnd);
}

void widget_type::draw(HDC hdc) {
  select_font(hdc);
  SetBkMode(hdc, TRANSPARENT);
  TextOutA(hdc, x, y, text.c_str(), static_cast<int>(text.size()));
}

bool widget_type::handle_mouse(HWND, UINT, WPARAM, LPARAM) { return false; }

void widget_type::handle_char(HWND, UINT, WPARAM, LPARAM) {}

void widget_type::get_rect(RECT& rect) {
  SIZE size = measure_on_owner(text);
  rect = {x, y, x + size.cx, y + size.cy};
}

int widget_type::get_width() {
  RECT rect;
  get_rect(rect);
  return rect.right - rect.left;
}

void widget_type::invalidate() {
  RECT rect;
  get_rect(rect);
  invalidate_rect(rect);
}

bool widget_type::hit_test(int, int) { return false; }

void widget_type::set_focus(bool) {}

bool widget_type::accepts_focus(int) { return false; }

void widget_type::notify(int) {}

bool widget_type::move_focus_within(int) { return false; }
