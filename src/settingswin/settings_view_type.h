// The settings view: the device settings that came with the Data window's shown record, read only.
#pragma once

#include "ui/widget_type.h"

class data_win_type;

class settings_view_type : public widget_type {
 public:
  settings_view_type(data_win_type* owner, const RECT& rectangle, const char* name);

  void draw(HDC hdc) override;
  // The shown record's settings lines of the text report, and its columns of a database row.
  void get_report_text(std::string& buffer) override;
  void get_export_text(std::string& buffer) override;
  void get_rect(RECT& rect) override;

  RECT rectangle;

 private:
  data_win_type* data_window;
};
