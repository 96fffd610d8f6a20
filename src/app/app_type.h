// The one application object: documents, status and About windows, the device link.
#pragma once

#include <windows.h>

#include <memory>

#include "device/link_owner.h"

class data_doc;
class settings_doc;
class about_win_type;
class msg_win_type;
class device_link;

class app_type : public link_owner {
 public:
  app_type(HINSTANCE instance, int show_command);
  app_type(const app_type&) = delete;
  app_type& operator=(const app_type&) = delete;

  ~app_type() override;                                           // 0
  virtual int run();                                              // 1
  virtual void quit();                                            // 2
  virtual void new_data_window(int ask);                          // 3
  virtual void create_data_doc();                                 // 4
  virtual void new_settings_window(int ask);                      // 5
  virtual void create_settings_doc();                             // 6
  virtual void close_data_doc();                                  // 7
  virtual void close_settings_doc();                              // 8
  virtual void open_document();                                   // 9
  virtual int choose_file_to_open(char* path, char* title);       // 10: 264 and 512 bytes
  virtual void open_data_file(const char* path, const char* title);      // 11
  virtual void open_settings_file(const char* path, const char* title);  // 12
  virtual void revert_data_doc();                                 // 13
  virtual void revert_settings_doc();                             // 14
  virtual void update_all_menus();                                // 15
  void show_message(const char* text) override;                   // 16
  virtual int ask_ok_cancel(const char* text, const char* caption);      // 17
  virtual int ask_yes_no_cancel(const char* text, const char* caption);  // 18
  virtual void add_extension(char* name, const char* extension);  // 19
  virtual void strip_extension(char* name, const char* extension);  // 20
  virtual int find_suffix(const char* text, const char* suffix);  // 21
  virtual void show_about();                                      // 22
  virtual void close_about();                                     // 23
  virtual void show_status(const char* title, const char* text);  // 24
  virtual void close_status();                                    // 25
  virtual void copy_data_settings();                              // 26
  virtual void append_text(char*& text, const char* addition);    // 27
  virtual void interface_timeout_dialog();                        // 28
  virtual void default_port_dialog();                             // 29

  data_doc* data_document = nullptr;
  settings_doc* settings_document = nullptr;
  HINSTANCE instance = nullptr;
  int show_command = SW_SHOWNORMAL;
  int show_new_windows = 1;
  about_win_type* about_window = nullptr;
  msg_win_type* status_window = nullptr;
  device_link* link = nullptr;
  char version[256] = "W95 Nightglow v1.1";

 protected:
  // Tests construct the object without the start-up sequence and then call start().
  struct no_startup_tag {};
  app_type(HINSTANCE instance, int show_command, no_startup_tag);
  void start();  // steps of construction after the fields: link, documents, picture, port
};
