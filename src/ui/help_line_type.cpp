// The help line: loading its string and drawing it after the label.
#include "ui/help_line_type.h"

#include <algorithm>

#include "exchange/widget_texts.h"
#include "ui/win_type.h"

help_line_type::help_line_type(win_type* parent, int x_pos, int y_pos, const char* label)
    : widget_type(parent, x_pos, y_pos, label) {}

void help_line_type::draw(HDC hdc) {
  select_font(hdc);
  SetBkMode(hdc, TRANSPARENT);
  TextOutA(hdc, x, y, text.c_str(), static_cast<int>(text.size()));
  int label_width = measure_text(hdc, text).cx;
  TextOutA(hdc, x + label_width + 2, y, help_text.c_str(), static_cast<int>(help_text.size()));
}

void help_line_type::get_rect(RECT& rect) { rect = {x, y, x + width, y + 14}; }

void help_line_type::notify(int id) {
  help_id = id;
  help_text.clear();
  if (id >= 0) {
    HINSTANCE instance = owner != nullptr ? owner->instance() : GetModuleHandleA(nullptr);
    char loaded[256] = {};
    int length = LoadStringA(instance, static_cast<UINT>(id), loaded, sizeof loaded);
    if (length > 0) help_text.assign(loaded, static_cast<size_t>(std::min(length, 255)));
  }
  invalidate();
}
