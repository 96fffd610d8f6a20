// The settings document: the Settings window and its settings, kept as a ".sl2" file.
#pragma once

#include <cstdio>
#include <memory>

class app_type;
class settings_win_type;

class settings_doc {
 public:
  // Creates the Settings window "Settings 1", shown when the application's
  // show-new-windows flag is set.
  explicit settings_doc(app_type* owner);
  settings_doc(const settings_doc&) = delete;
  settings_doc& operator=(const settings_doc&) = delete;

  virtual ~settings_doc();                             // destroys the settings window
  virtual void update_menus();
  virtual int choose_file(char* path, char* title);    // save dialog; 1 when a file was chosen
  virtual void save();
  virtual void save_as();
  virtual int query_close();                           // 0 when the user cancelled
  virtual int confirm_replace();                       // 1 to go on
  virtual int confirm_revert();                        // 1 to go on
  virtual int write_to_file(std::FILE* file);          // 1 on success
  virtual int read_from_file(std::FILE* file);         // 1, or the code of the first failure

  bool has_file_path() const { return path[0] != '\0'; }
  void get_title(char* buffer, int size) const;

  app_type* owner;
  std::unique_ptr<settings_win_type> settings_window;
  char path[264] = {};
};
