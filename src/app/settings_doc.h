// The settings document: the settings prepared for the mask, with the Settings window that edits them.
#pragma once

#include <memory>

#include "app/base_doc.h"
#include "model/settings_file.h"

class settings_win_type;

class settings_doc : public base_doc {
 public:
  // A new document (the reset settings), or one read from a file; its window is shown when the
  // application's show-new-windows flag is set.
  explicit settings_doc(app_type& app, const settings_section& read = new_settings_section());
  ~settings_doc() override;

  win_type& main_window() const override;
  bool owns(const win_type& window) const override;
  void update_menus(const menu_facts& facts) override;
  // After reading a file: the window where the file puts it, shown.
  void place_windows();

  settings_section section;
  std::unique_ptr<settings_win_type> settings_window;

 protected:
  bool write(const std::string& file, std::string& reason) override;
};
