// The choice field: its box with the shadow, the popup menu and the stored choice.
#include "ui/choice_field_type.h"

#include <algorithm>

#include "exchange/widget_texts.h"
#include "ui/desktop_io.h"
#include "ui/win_type.h"

choice_field_type::choice_field_type(win_type* parent, int x_pos, int y_pos, const char* label, int item_count,
                                     const char* const* item_texts, int* bound)
    : widget_type(parent, x_pos, y_pos, label), value(bound) {
  for (int i = 0; i < item_count && item_texts != nullptr; i++)
    items.emplace_back(item_texts[i] != nullptr ? item_texts[i] : "");
  if (!items.empty()) {
    int widest = 0;
    for (const auto& item : items) widest = std::max(widest, static_cast<int>(measure_on_owner(item).cx));
    box_width = widest + 4;
  }
}

choice_field_type::~choice_field_type() {
  // A menu choice arriving later must not reach a field that is gone.
  if (owner != nullptr && owner->popup_owner == this) owner->popup_owner = nullptr;
}

void choice_field_type::refresh_shown_index() {
  if (value != nullptr) shown_index = *value;
}

RECT choice_field_type::box_rect() const {
  int left = x + label_width_on_owner() + 3;
  return {left, y, left + box_width, y + 15};
}

void choice_field_type::draw(HDC hdc) {
  select_font(hdc);
  SetBkMode(hdc, TRANSPARENT);
  TextOutA(hdc, x, y, text.c_str(), static_cast<int>(text.size()));
  int left = x + measure_text(hdc, text).cx + 3;
  int right = left + box_width;
  int bottom = y + 15;
  Rectangle(hdc, left, y, right, bottom);
  // One-pixel drop shadow under the box and down its right side.
  MoveToEx(hdc, left + 1, bottom, nullptr);
  LineTo(hdc, right, bottom);
  LineTo(hdc, right, y + 1);
  if (items.empty()) return;
  refresh_shown_index();
  // A value that names no item (it can only come from a file or a copy) leaves the box empty.
  if (shown_index < 0 || shown_index >= static_cast<int>(items.size())) return;
  const std::string& shown = items[static_cast<size_t>(shown_index)];
  TextOutA(hdc, left + 2, y, shown.c_str(), static_cast<int>(shown.size()));
}

bool choice_field_type::handle_mouse(HWND, UINT, WPARAM, LPARAM lp) {
  if (!hit_test(LOWORD(lp), HIWORD(lp))) return false;
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return false;
  for (size_t i = 0; i < items.size(); i++)
    AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(first_item_id + static_cast<int>(i)), items[i].c_str());
  POINT corner{x + label_width_on_owner() + 3, y};
  if (owner != nullptr) owner->popup_owner = this;
  ClientToScreen(owner_window(), &corner);
  io().track_popup(menu, corner, owner_window());
  DestroyMenu(menu);
  return true;
}

void choice_field_type::get_rect(RECT& rect) {
  int label = label_width_on_owner();
  rect = {x, y, x + label + 4 + box_width, y + 16};
}

bool choice_field_type::hit_test(int px, int py) { return point_in(box_rect(), px, py); }

void choice_field_type::notify(int id) {
  int index = id - first_item_id;
  if (index < 0 || index >= static_cast<int>(items.size())) return;  // not one of this field's items
  shown_index = index;
  if (value != nullptr) *value = index;
  invalidate_rect(box_rect());
}
