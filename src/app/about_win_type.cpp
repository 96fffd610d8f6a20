// The About window: a picture from the program's resources, also the start-up picture.
#include "app/about_win_type.h"

#include "app/app_type.h"
#include "ui/gdi.h"

about_win_type::about_win_type(app_type& app, const char* title, const char* bitmap_name)
    : win_type(app), bitmap(LoadBitmapA(app.instance(), bitmap_name)), app_(app) {
  BITMAP info{};
  if (bitmap) GetObjectA(bitmap, sizeof info, &info);
  create_window(
      {"about_win_type", nullptr, nullptr, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX},
      title, window_rect{175, 105, 175 + info.bmWidth + 5, 105 + info.bmHeight + 20});
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
  const memory_dc memory(hdc);
  if (!memory.get()) return;
  const selected_object selected(memory.get(), picture);
  SetMapMode(memory.get(), GetMapMode(hdc));
  BITMAP info{};
  GetObjectA(picture, sizeof info, &info);
  POINT size{info.bmWidth, info.bmHeight};
  DPtoLP(hdc, &size, 1);
  POINT origin{0, 0};
  DPtoLP(memory.get(), &origin, 1);
  BitBlt(hdc, x, y, size.x, size.y, memory.get(), origin.x, origin.y, SRCCOPY);
}
