// A separator: a straight line between two points, drawn with the selected pen.
#pragma once

#include "ui/widget_type.h"

class separator_type : public widget_type {
 public:
  separator_type(win_type* owner, int x1, int y1, int x2, int y2, const char* text = nullptr);

  void draw(HDC hdc) override;
  void get_rect(RECT& rect) override;

  int x2 = 0;
  int y2 = 0;
};
