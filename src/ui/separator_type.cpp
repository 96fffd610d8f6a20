// The separator line and its row of dashes in reports.
#include "ui/separator_type.h"

#include <algorithm>

#include "exchange/widget_texts.h"

separator_type::separator_type(win_type* parent, int x1, int y1, int x_end, int y_end, const char* label)
    : widget_type(parent, x1, y1, label), x2(x_end), y2(y_end) {}

void separator_type::draw(HDC hdc) {
  MoveToEx(hdc, x, y, nullptr);
  LineTo(hdc, x2, y2);
}

void separator_type::get_rect(RECT& rect) {
  rect = {std::min(x, x2), std::min(y, y2), std::max(x, x2), std::max(y, y2)};
}
