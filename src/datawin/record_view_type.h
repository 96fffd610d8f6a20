// The record view: the shown night's start, mode, end, duration, cue counts and cue plot.
#pragma once

#include "model/data_record.h"
#include "ui/widget_type.h"

class data_win_type;

class record_view_type : public widget_type {
 public:
  record_view_type(data_win_type* owner, const RECT& rectangle);

  void draw(HDC hdc) override;
  void get_rect(RECT& rect) override;

  RECT rectangle;

 private:
  const device_block& block() const;
  bool shows_no_record() const;  // labels without values
  void draw_texts(HDC hdc, int top);
  void draw_bracket(HDC hdc, const time_line& frame, int axis_y, int x0, int x128);

  data_win_type* data_window;
};
