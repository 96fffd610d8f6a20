// The status window: one centred line while the program is busy and the message loop waits.
#include "app/msg_win_type.h"

#include <cstdio>

#include "app/app_type.h"

msg_win_type::msg_win_type(const char* title, app_type* app, const char* line) {
  application = app;
  kind = status_win_kind;
  std::snprintf(text, sizeof text, "%s", line ? line : "");
  RECT rect;
  get_initial_rect(rect);
  create_window(
      {"msg_win_type", nullptr, nullptr, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX},
      title, rect);
  show_if_wanted();  // UpdateWindow paints it now: the message loop will not run for a while
}

void msg_win_type::get_initial_rect(RECT& rect) {
  rect.left = 175;
  rect.top = 175;
  rect.right = 275;
  rect.bottom = 50;
}

void msg_win_type::draw(HDC hdc) {
  RECT client;
  GetClientRect(window, &client);
  DrawTextA(hdc, text, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void msg_win_type::close() { application->close_status(); }
