// The About window: a picture from the program's resources, also the start-up picture.
#pragma once

#include "ui/win_type.h"

class app_type;

class about_win_type : public win_type {
 public:
  // bitmap_name: "about" or "about2". The window is the picture's size, at 175, 105.
  about_win_type(app_type& app, const char* title, const char* bitmap_name);
  ~about_win_type() override;

  void draw(HDC hdc) override;
  void close() override;  // the application's close_about

  HBITMAP bitmap = nullptr;  // owned

 private:
  app_type& app_;
};

// Copies the bitmap to (x, y) of hdc at its size in hdc's logical units.
void draw_bitmap(HDC hdc, HBITMAP picture, int x, int y);
