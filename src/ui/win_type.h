// Base class of every top-level window: one object bound to one Win32 window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "ui/gdi.h"

class app_type;
class data_doc;
class widget_type;

// Window kinds.
enum win_kind { about_win_kind = 1, data_win_kind = 2, plot_win_kind = 3, settings_win_kind = 4, status_win_kind = 5 };

// How a derived class wants its window class registered and its window created.
struct win_class_info {
  const char* class_name;
  const char* menu_name;  // nullptr for none
  const char* icon_name;  // resource name; nullptr for the standard application icon
  DWORD ex_style;
  DWORD style;
};

class win_type {
 public:
  // Every field zero. A derived constructor then sets its fields, gets its own
  // get_initial_rect and calls create_window, and finally show_if_wanted.
  win_type();
  // A plain "win_type" window for the given document (never used by the program itself).
  win_type(const char* title, data_doc* document);
  win_type(const win_type&) = delete;
  win_type& operator=(const win_type&) = delete;

  virtual ~win_type();                                                        // 0: DestroyWindow
  virtual LRESULT handle_message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);  // 1
  virtual void get_initial_rect(RECT& rect);                                  // 2: x, y, width, height
  virtual void draw(HDC hdc);                                                 // 3
  virtual void paint();                                                       // 4
  virtual void show();                                                        // 5
  virtual void hide();                                                        // 6
  virtual void close();                                                       // 7
  virtual int do_command(int id);                                             // 8: 1 handled, 0 not
  virtual void invalidate();                                                  // 9
  virtual int read_from_file(std::FILE* file);                                // 12: window rectangle
  virtual int write_to_file(std::FILE* file);                                 // 14: window rectangle
  virtual int handle_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);        // 16
  virtual void print();                                                       // 18
  virtual void refresh_contents();                                            // 21
  virtual LRESULT handle_key(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);      // 22
  virtual void export_report();                                               // 25
  virtual void export_to_database();                                          // 26
  virtual void copy_text();                                                   // 32
  virtual void clear_contents();                                              // 35
  virtual void update_menus();                                                // 37

  // Registers the class (a second registration fails harmlessly), creates the window
  // hidden at `initial` (x, y, width, height) and stores this object in its user data.
  void create_window(const win_class_info& info, const char* title, const RECT& initial);
  // ShowWindow with the application's show command when its show-new-windows flag
  // is set, then UpdateWindow either way.
  void show_if_wanted();
  // Moves the window to a rectangle read from a file: left, top, right, bottom on the screen.
  void move_to_stored(const int32_t rect[4]);

  // The window procedure of every class: dispatches to the object in the user data.
  static LRESULT CALLBACK window_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  // Menu helpers on this window's own menu bar, by command id.
  void enable_item(int id, bool enabled);
  void check_item(int id, bool checked);
  // Creates the display font and, when print_height is not 0, the print font: "Arial" of
  // those heights. They go with the window.
  void create_fonts(int display_height, int print_height);
  // What the data and settings windows share. The menu rules: Export Report, Copy Text
  // and Set Interface Timeout enabled, Copy Data Settings when there is a current record
  // to copy into a settings document, COM1 ... COM10 enabled with the link's port checked.
  void update_device_items();
  // Their commands Copy Data Settings, Set Interface Timeout and the COM ports; true
  // when id was one of these.
  bool do_device_command(int id);
  // Their Export Report: the save dialog, then the report text in a file with CR LF line ends.
  void save_report(const std::function<std::string()>& make_text);
  // Their Copy Text: the report text with CR LF line ends on the clipboard as plain text.
  void copy_report(const std::function<std::string()>& make_text,
                   const std::function<std::string(const std::string&)>& with_returns);

  data_doc* document = nullptr;
  app_type* application = nullptr;
  HWND window = nullptr;
  int kind = 0;
  owned_font display_font;
  owned_font print_font;
  widget_type* popup_owner = nullptr;  // receives menu ids from IDM_POPUP_BASE up
  int printing = 0;                    // 1 while print draws onto a printer
  HDC printer_dc = nullptr;            // the printer context while printing
};
