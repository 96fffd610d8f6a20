// The Settings window: the device settings as a form, with upload and reset.
#pragma once

#include <windows.h>

#include "ui/win_type.h"

class settings_doc;

class settings_win_type : public win_type {
 public:
  settings_win_type(const char* title, settings_doc* document);
  ~settings_win_type() override;

  void get_initial_rect(RECT& rect) override;   // 100, 295, 552 x 177
  void draw(HDC hdc) override;
  void close() override;                        // closes the settings document
  int do_command(int id) override;
  void update_menus() override;

  // Own operations; the form, the upload and the reset are filled in with the settings form.
  virtual void build_widgets();                 // 38
  virtual void set_device_settings();           // 40
  virtual void reset_settings();                // 41

  settings_doc* settings_document;  // not owned; the base's document field stays null
};
