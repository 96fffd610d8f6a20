// The status window: one centred line while the program is busy and the message loop waits.
#pragma once

#include "ui/win_type.h"

class msg_win_type : public win_type {
 public:
  // Shown (with the application's show command) and painted at once.
  msg_win_type(const char* title, app_type* application, const char* text);

  void get_initial_rect(RECT& rect) override;  // 175, 175, 275 x 50
  void draw(HDC hdc) override;                 // the text centred on one line
  void close() override;                       // the application's close_status

  char text[256] = {};
};
