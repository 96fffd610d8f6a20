// The settings view: the device settings that came with the Data window's shown record, read only.
#pragma once

#include "ui/widget_type.h"

class data_win_type;

class settings_view_type : public widget_type {
 public:
  settings_view_type(data_win_type* owner, const RECT& rectangle);

  void draw(HDC hdc) override;
  void get_rect(RECT& rect) override;

  RECT rectangle;

 private:
  data_win_type* data_window;
};
