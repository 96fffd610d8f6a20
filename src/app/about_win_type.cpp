// The About window: a picture from the program's resources, also the start-up picture.
#include "app/about_win_type.h"

#include "app/app_type.h"

about_win_type::about_win_type(app_type& app, const char* title, const char* bitmap_name)
    : win_type(app), bitmap(LoadBitmapA(app.instance(), bitmap_name)), app_(app) {
  BITMAP info{};
  if (bitmap) GetObjectA(bitmap, sizeof info, &info);
  create_window(
      {"about_win_type", nullptr, nullptr, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX},
      title, RECT{175, 105, info.bmWidth + 5, info.bmHeight + 20});
  show_if_wanted();
}

about_win_type::~about_win_type() {
  if (bitmap) DeleteObject(bitmap);
  bitmap = nullptr;
}

void about_win_type::draw(HDC hdc) { draw_bitmap(hdc, bitmap, 0, 0); }

void about_win_type::close() { app_.close_about(); }

void draw_bitmap(HDC hdc, HBITMAP picture, int x, int y) {
  if (!picture) return;
  HDC memory = CreateCompatibleDC(hdc);
  if (!memory) return;
  HGDIOBJ old = SelectObject(memory, picture);
  SetMapMode(memory, GetMapMode(hdc));
  BITMAP info{};
  GetObjectA(picture, sizeof info, &info);
  POINT size{info.bmWidth, info.bmHeight};
  DPtoLP(hdc, &size, 1);
  POINT origin{0, 0};
  DPtoLP(memory, &origin, 1);
  BitBlt(hdc, x, y, size.x, size.y, memory, origin.x, origin.y, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}
