// The help line: a fixed label followed by the string-table text for the focused field.
#pragma once

#include "ui/widget_type.h"

class help_line_type : public widget_type {
 public:
  help_line_type(win_type* owner, int x, int y, const char* label);

  void draw(HDC hdc) override;
  void get_rect(RECT& rect) override;
  // Shows string number id of the program's string table; a missing string or a negative id
  // empties the text.
  void notify(int id) override;

  static constexpr int width = 500;

  int help_id = -1;
  std::string help_text;  // at most 255 characters
};
