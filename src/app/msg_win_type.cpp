// The status window: one centred line while the program is busy and the message loop waits.
#include "app/msg_win_type.h"

#include "app/app_type.h"

msg_win_type::msg_win_type(app_type& app, const char* title, const char* line)
    : win_type(app), text(line ? line : ""), app_(app) {
  create_window(
      {"msg_win_type", nullptr, nullptr, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX},
      title, window_rect{175, 175, 450, 225});
  show_if_wanted();  // UpdateWindow paints it now: the message loop will not run for a while
}

void msg_win_type::draw(HDC hdc) {
  RECT client;
  GetClientRect(window, &client);
  DrawTextA(hdc, text.c_str(), -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void msg_win_type::close() { app_.close_status(); }
