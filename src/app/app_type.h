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
class printer_type;

// The real program constructs app_type(instance, show command), which runs the whole
// start-up. Tests derive from it and use the protected no_startup_tag constructor, which
// only sets the fields; they then call start() themselves, so that their overrides of
// the message boxes, the file dialog, the dialogs and wait_ms take effect during start-up
// (virtual calls made inside a base constructor never reach the derived class).
class app_type : public link_owner {
 public:
  app_type(HINSTANCE instance, int show_command);
  app_type(const app_type&) = delete;
  app_type& operator=(const app_type&) = delete;

  ~app_type() override;                                                  // 0
  virtual int run();                                                     // 1
  virtual void quit();                                                   // 2
  virtual void new_data_window(int ask);                                 // 3
  virtual void create_data_doc();                                        // 4
  virtual void new_settings_window(int ask);                             // 5
  virtual void create_settings_doc();                                    // 6
  virtual void close_data_doc();                                         // 7
  virtual void close_settings_doc();                                     // 8
  virtual void open_document();                                          // 9
  virtual int choose_file_to_open(char* path, char* title);              // 10: 264 and 512 bytes
  virtual void open_data_file(const char* path, const char* title);      // 11
  virtual void open_settings_file(const char* path, const char* title);  // 12
  virtual void revert_data_doc();                                        // 13
  virtual void revert_settings_doc();                                    // 14
  virtual void update_all_menus();                                       // 15
  void show_message(const char* text) override;                          // 16
  virtual int ask_ok_cancel(const char* text, const char* caption);      // 17: 1 for OK
  virtual int ask_yes_no_cancel(const char* text, const char* caption);  // 18: 1 yes, 0 no, 2 cancel
  virtual void add_extension(char* name, const char* extension);         // 19: name holds 512 bytes
  virtual void strip_extension(char* name, const char* extension);       // 20
  virtual int find_suffix(const char* text, const char* suffix);         // 21: position or -1
  virtual void show_about();                                             // 22
  virtual void close_about();                                            // 23
  virtual void show_status(const char* title, const char* text);         // 24
  virtual void close_status();                                           // 25
  virtual void copy_data_settings();                                     // 26
  virtual void append_text(char*& text, const char* addition);           // 27: text is malloc'ed
  virtual void interface_timeout_dialog();                               // 28
  virtual void default_port_dialog();                                    // 29

  // The save dialog: path (260 characters, holds the proposed name on entry) and title
  // (512 bytes); filter as for OPENFILENAME; the dialog's caption, or the system's own for
  // none. 1 when a file was chosen.
  virtual int choose_file_to_save(char* path, char* title, const char* filter, const char* extension, HWND owner,
                                  const char* caption = nullptr);
  // The open dialog of other files than documents (Import From Database): the file must exist.
  virtual int choose_file_to_read(char* path, char* title, const char* filter, const char* extension, HWND owner);
  // The task-modal message box without owner behind show_message and the two questions.
  virtual int message_box(const char* text, const char* caption, UINT type);
  // The pause that shows the start-up picture (Sleep in the program).
  virtual void wait_ms(int milliseconds);
  // Runs a modal dialog from the program's resources, owned by the given window or by none.
  virtual INT_PTR run_dialog(const char* template_name, DLGPROC procedure, HWND owner = nullptr);

  // Each pointer is reset (set to null, then the object deleted) by its owner here.
  std::unique_ptr<data_doc> data_document;
  std::unique_ptr<settings_doc> settings_document;
  HINSTANCE instance = nullptr;
  int show_command = SW_SHOWNORMAL;
  int show_new_windows = 1;  // 0 while a document that will receive a file is created
  std::unique_ptr<about_win_type> about_window;
  std::unique_ptr<msg_win_type> status_window;
  std::unique_ptr<device_link> link;
  std::unique_ptr<printer_type> printer;  // what Print Window prints on
  char version[256] = {};                 // "W95 Nightglow v1.1"

  // Dialogs open now (their modal loops nest). A dialog disables only its own window, so the
  // others could close or replace its document meanwhile and leave it returning into a window
  // that is gone; while one is open, closing, replacing and quitting are refused with a beep.
  int open_dialogs = 0;
  bool refused_while_dialog_open();
  struct dialog_scope {
    explicit dialog_scope(app_type& app) : app(app) { ++app.open_dialogs; }
    ~dialog_scope() { --app.open_dialogs; }
    dialog_scope(const dialog_scope&) = delete;
    dialog_scope& operator=(const dialog_scope&) = delete;
    app_type& app;
  };

 protected:
  struct no_startup_tag {};
  // Fields only: no link, no documents, no picture, no dialog.
  app_type(HINSTANCE instance, int show_command, no_startup_tag);
  // The rest of the start-up, in order: random seed, device link (reads the preferences
  // file), time zone, data document, settings document, start-up picture for 1,000 ms,
  // and the port dialog when no port is known.
  void start();
};
