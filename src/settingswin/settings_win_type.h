// The Settings window: the device settings as a form, with upload and reset.
#pragma once

#include <windows.h>

#include <string>

#include "model/device_block.h"
#include "model/settings_file.h"
#include "ui/widget_container.h"
#include "ui/win_type.h"

class settings_doc;

class settings_win_type : public win_type {
 public:
  settings_win_type(const char* title, settings_doc* document);
  ~settings_win_type() override;

  void get_initial_rect(RECT& rect) override;  // 100, 295, 552 x 177
  void draw(HDC hdc) override;
  void close() override;  // closes the settings document
  int do_command(int id) override;
  int read_from_file(std::FILE* file) override;  // rectangle and settings; 1, or 0 when short
  int write_to_file(std::FILE* file) override;   // rectangle and settings; 1, or 0 when short
  int handle_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;
  LRESULT handle_key(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;  // characters only
  void export_report() override;                                           // the settings' report into a text file
  void copy_text() override;                                               // the settings' report to the clipboard
  void update_menus() override;

  virtual void build_widgets();                        // 38
  virtual void set_defaults(device_settings& target);  // 39
  virtual void set_device_settings();                  // 40: confirm, stamp, upload
  virtual void reset_settings();                       // 41: confirm, defaults
  // The form as a text report, from its widgets' texts in container order.
  virtual std::string make_report_text();                    // 42
  virtual std::string add_returns(const std::string& text);  // 43: CR LF for every line feed

  // The window's part of a settings file: its screen rectangle and the settings.
  settings_section section() const;
  // Moves the window to the section's rectangle and takes its settings.
  void apply_section(const settings_section& read);

  settings_doc* settings_document;  // not owned; the base's document field stays null
  widget_container widgets{this};
  device_settings settings{};  // what the form edits; the fields point into it
  int sensitivity_index = -1;  // moved 2 pixels right on paper
};
