// The About window: a picture from the program's resources, also the start-up picture.
#include "app/about_win_type.h"

#include "app/app_type.h"
#include "ui/gdi.h"

about_win_type::about_win_type(const char* title, app_type* app, const char* bitmap_name) {
  application = app;
  kind = about_win_kind;
  bitmap = LoadBitmapA(app->instance, bitmap_name);
  RECT rect;
  get_initial_rect(rect);
  create_window(
      {"about_win_type", nullptr, nullptr, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX},
      title, rect);
  show_if_wanted();
}

about_win_type::~about_win_type() {
  if (bitmap) DeleteObject(bitmap);
  bitmap = nullptr;
}

void about_win_type::get_initial_rect(RECT& rect) {
  BITMAP info{};
  if (bitmap) GetObjectA(bitmap, sizeof info, &info);
  rect.left = 175;
  rect.top = 105;
  rect.right = info.bmWidth + 5;
  rect.bottom = info.bmHeight + 20;
}

void about_win_type::draw(HDC hdc) { draw_bitmap(hdc, bitmap, 0, 0); }

void about_win_type::close() { application->close_about(); }

void about_win_type::draw_bitmap(HDC hdc, HBITMAP picture, int x, int y) {
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
