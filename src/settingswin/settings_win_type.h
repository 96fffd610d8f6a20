// The Settings window: the settings document's settings as a form, with upload and reset.
#pragma once

#include <windows.h>

#include <string>

#include "model/settings_file.h"
#include "ui/widget_container.h"
#include "ui/win_type.h"

class help_line_type;

class settings_win_type : public win_type {
 public:
  // The form edits section.settings in place.
  settings_win_type(window_host& host, settings_section& section, const std::string& title);
  ~settings_win_type() override;

  void draw(HDC hdc) override;
  bool do_command(int id) override;
  void handle_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;
  LRESULT handle_key(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;  // characters only
  void update_menus(const menu_facts& facts) override;

  void set_device_settings();  // confirm, stamp, upload
  void reset_settings();       // confirm, defaults
  void export_report();        // the settings' report into a text file
  void copy_text();            // the settings' report to the clipboard
  // The form as a text report, with the help line as it stands.
  std::string report_text() const;

  settings_section& section;  // the document's: where the window stood and what the form edits
  widget_container widgets{this};
  help_line_type* help = nullptr;

 private:
  void build_widgets();
  int sensitivity_index_ = -1;  // moved 2 pixels right on paper
};
