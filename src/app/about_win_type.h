// The About window: a picture from the program's resources, also the start-up picture.
#pragma once

#include "ui/win_type.h"

class about_win_type : public win_type {
 public:
  // bitmap_name: "about" or "about2".
  about_win_type(const char* title, app_type* application, const char* bitmap_name);
  ~about_win_type() override;

  void get_initial_rect(RECT& rect) override;  // 175, 105, picture + 5 x picture + 20
  void draw(HDC hdc) override;
  void close() override;  // the application's close_about

  // Copies the bitmap to (x, y) of hdc at its size in hdc's logical units.
  virtual void draw_bitmap(HDC hdc, HBITMAP picture, int x, int y);  // 38

  HBITMAP bitmap = nullptr;  // owned
};
