// The status window: one centred line while the program is busy and the message loop waits.
#pragma once

#include <string>

#include "ui/win_type.h"

class app_type;

class msg_win_type : public win_type {
 public:
  // Shown (with the application's show command) and painted at once.
  msg_win_type(app_type& app, const char* title, const char* text);

  void draw(HDC hdc) override;  // the text centred on one line
  void close() override;        // the application's close_status

  const std::string text;

 private:
  app_type& app_;
};
