// The record view: the shown night's start, mode, end, duration, cue counts and cue plot.
#pragma once

#include "model/data_record.h"
#include "ui/widget_type.h"

class data_win_type;

class record_view_type : public widget_type {
 public:
  record_view_type(data_win_type* owner, const RECT& rectangle, const char* name);

  void draw(HDC hdc) override;
  // The shown record's lines of the text report, and its columns of a database row.
  void get_report_text(std::string& buffer) override;
  void get_export_text(std::string& buffer) override;
  void get_rect(RECT& rect) override;
  virtual bool is_rem_bin(int bin);
  // Cues (delivered 1) or cues not delivered (delivered 0) among the first min(DUR, 128)
  // bins, on the time frame of the last draw; any other argument counts nothing.
  virtual int count_cues(int delivered);
  virtual bool bin_in_cue_period(int bin);
  // The span of the plot and the cue period on one day, free of time zones.
  virtual void compute_time_frame();

  RECT rectangle;
  time_line frame;  // span start and end, cue period start and end

 private:
  void draw_texts(HDC hdc, int top);
  void draw_bracket(HDC hdc, int axis_y, int x0, int x128);

  data_win_type* data_window;
};
