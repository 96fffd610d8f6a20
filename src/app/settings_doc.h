// The settings document: the Settings window and its settings, kept as a ".sl2" file.
#pragma once

#include <memory>

#include "app/base_doc.h"

class settings_win_type;

class settings_doc : public base_doc {
 public:
  // Creates the Settings window "Settings 1", shown when the application's
  // show-new-windows flag is set.
  explicit settings_doc(app_type* owner);

  ~settings_doc() override;  // destroys the settings window
  void update_menus() override;
  int write_to_file(std::FILE* file) override;   // header, settings window
  int read_from_file(std::FILE* file) override;  // 1, or -1 ... -7
  win_type* main_window() const override;        // the settings window

  std::unique_ptr<settings_win_type> settings_window;
};
