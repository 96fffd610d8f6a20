// What a window needs from the program around it: its services, the commands it does not handle
// itself, and the facts its menu rules read. The application implements it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

class desktop_io;
class device_link;
class printer_type;
class win_type;
struct file_choice;

// What the menu rules of every window depend on beyond the window itself.
struct menu_facts {
  bool data_document = false;      // there is a data document
  bool settings_document = false;  // there is a settings document
  int records = 0;                 // records of the data document
  bool current_record = false;     // the data document shows a record
  bool data_path = false;          // the data document has a file
  bool settings_path = false;      // the settings document has a file
  int port = 0;                    // the serial port chosen, 0 for none
};

// The base is a host with no program around it: the module's resources, windows shown normally, the
// system's desktop and printer, no documents, no device and no commands of its own. The application
// overrides what it adds.
class window_host {
 public:
  // The system's own desktop and printer where none is given.
  explicit window_host(std::unique_ptr<desktop_io> io = nullptr, std::unique_ptr<printer_type> printer = nullptr);
  virtual ~window_host();
  window_host(const window_host&) = delete;
  window_host& operator=(const window_host&) = delete;

  virtual HINSTANCE instance() const;
  // New windows show themselves with the show command unless a file is about to place them.
  virtual bool show_new_windows() const;
  virtual int show_command() const;
  desktop_io& io() { return *io_; }
  printer_type& printer() { return *printer_; }
  virtual device_link* link();

  // The commands that concern documents, other windows, the program or the device; false for
  // an id nobody handles. May close or replace the window's document, and with it the window.
  virtual bool route_command(int id, win_type& from);
  virtual void update_all_menus();

  // Task-modal boxes without owner (the program's close its About and status windows first).
  virtual void show_message(const std::string& text);
  virtual bool ask_ok_cancel(const std::string& text, const char* caption);
  virtual int ask_yes_no_cancel(const std::string& text, const char* caption);  // 1 yes, 0 no, 2 cancel
  virtual void show_status(const char* title, const char* text);
  virtual void close_status();

  // Dialogs, file choosers and the print dialog. While one is open the program refuses to close or
  // replace a document: the dialog would return into a window that is gone.
  virtual INT_PTR run_dialog(const char* template_name, DLGPROC procedure, HWND owner, LPARAM state);
  virtual bool choose_file(file_choice& choice);
  virtual void dialog_opened(bool open);

 private:
  std::unique_ptr<desktop_io> io_;
  std::unique_ptr<printer_type> printer_;
};

// Activates the window again when it still exists and is shown (a closed box, dialog or status window
// leaves the system to pick the next active window, often not the one the user worked in).
void reactivate(HWND window);

// The window active when the scope began is active again when it ends.
class active_window_scope {
 public:
  active_window_scope() : before_(GetActiveWindow()) {}
  ~active_window_scope() { reactivate(before_); }
  active_window_scope(const active_window_scope&) = delete;
  active_window_scope& operator=(const active_window_scope&) = delete;

 private:
  HWND before_;
};

// Counts a dialog as open for as long as it lives.
class open_dialog_scope {
 public:
  explicit open_dialog_scope(window_host& host) : host_(host) { host_.dialog_opened(true); }
  ~open_dialog_scope() { host_.dialog_opened(false); }
  open_dialog_scope(const open_dialog_scope&) = delete;
  open_dialog_scope& operator=(const open_dialog_scope&) = delete;

 private:
  window_host& host_;
};
