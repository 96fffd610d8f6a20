// Base class of every top-level window: one object bound to one Win32 window.
#pragma once

#include <windows.h>

#include <cstdio>

class app_type;
class data_doc;
class widget_type;

// Window kinds.
enum win_kind { about_win_kind = 1, data_win_kind = 2, plot_win_kind = 3, settings_win_kind = 4, status_win_kind = 5 };

class win_type {
 public:
  win_type();  // every field zero; derived classes create the window themselves
  win_type(const char* title, data_doc* document);  // a plain "win_type" window
  win_type(const win_type&) = delete;
  win_type& operator=(const win_type&) = delete;

  virtual ~win_type();                                                   // 0: DestroyWindow
  virtual LRESULT handle_message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);  // 1
  virtual void get_initial_rect(RECT& rect);                            // 2: x, y, width, height
  virtual void draw(HDC hdc);                                            // 3
  virtual void paint();                                                  // 4
  virtual void show();                                                   // 5
  virtual void hide();                                                   // 6
  virtual void close();                                                  // 7
  virtual int do_command(int id);                                        // 8
  virtual void invalidate();                                             // 9
  virtual int read_from_file(std::FILE* file);                           // 12
  virtual int write_to_file(std::FILE* file);                            // 14
  virtual int handle_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);   // 16
  virtual void print();                                                  // 18
  virtual void refresh_contents();                                       // 21
  virtual LRESULT handle_key(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp); // 22
  virtual void export_report();                                          // 25
  virtual void export_to_database();                                     // 26
  virtual void copy_text();                                              // 32
  virtual void clear_contents();                                         // 35
  virtual void update_menus();                                           // 37

  // Class registration and creation shared by every window class; see win_type.cpp.
  struct class_info {
    const char* class_name;
    const char* menu_name;  // nullptr for none
    const char* icon_name;  // nullptr for the standard application icon
    DWORD ex_style;
    DWORD style;
  };
  void create_window(const class_info& info, const char* title, const RECT& initial);

  // The window procedure of every class: dispatches to the object in the user data.
  static LRESULT CALLBACK window_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  data_doc* document = nullptr;
  app_type* application = nullptr;
  HWND window = nullptr;
  int kind = 0;
  HFONT display_font = nullptr;
  HFONT print_font = nullptr;
  widget_type* popup_owner = nullptr;
  int printing = 0;
  HDC printer_dc = nullptr;
};
