// Base class of every top-level window: one object bound to one Win32 window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "model/data_file.h"
#include "ui/gdi.h"
#include "ui/window_host.h"

class widget_type;

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
  explicit win_type(window_host& host);
  win_type(const win_type&) = delete;
  win_type& operator=(const win_type&) = delete;
  virtual ~win_type();  // DestroyWindow

  virtual LRESULT handle_message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  virtual void draw(HDC hdc);
  // The close box and File, Close: the document's windows close their document (through the host).
  virtual void close();
  // Popup-menu choices, Print Window and Close; every other id goes to the host. True when handled.
  virtual bool do_command(int id);
  // The rules every window shares: the document commands and the Windows menu.
  virtual void update_menus(const menu_facts& facts);
  virtual void handle_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  virtual LRESULT handle_key(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  // A widget took the focus or a value: the menus follow.
  virtual void widgets_changed();
  // The child control that the focused widget holds, which takes the keys when the window gets the
  // keyboard focus; null when the window takes them itself.
  virtual HWND focus_control() const { return nullptr; }

  void paint();
  void show();  // shown and brought to the top
  void hide();
  void invalidate();
  bool visible() const;
  // Prints the client area stretched over one page.
  void print();

  // Where the window stands, left, top, right and bottom on the screen, as a file keeps it; for a
  // minimised window where it stood before.
  window_rect saved_rect() const;
  // Moves the window to a rectangle a file gave, repainting it.
  void move_to(const window_rect& rect);
  std::string title() const;
  void set_title(const std::string& text);

  // Menu helpers on this window's own menu bar, by command id.
  void enable_item(int id, bool enabled);
  void check_item(int id, bool checked);

  HINSTANCE instance() const { return host.instance(); }

  window_host& host;
  HWND window = nullptr;
  owned_font display_font;
  owned_font print_font;
  widget_type* popup_owner = nullptr;  // receives menu ids from IDM_POPUP_BASE up
  bool printing = false;               // while print draws onto a printer
  HDC printer_dc = nullptr;            // the printer context while printing

 protected:
  // Registers the class (a second registration fails harmlessly) and creates the window hidden where
  // `place` says (its outer rectangle on the screen), bound to this object from its first message on.
  void create_window(const win_class_info& info, const std::string& title, const window_rect& place);
  // ShowWindow with the host's show command when new windows show themselves, then UpdateWindow.
  void show_if_wanted();
  // "Arial" of these heights; a print height of 0 makes no print font.
  void create_fonts(int display_height, int print_height);

 private:
  static LRESULT CALLBACK window_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  RECT normal_rect_{};  // the last rectangle while not minimised
};

// The menu rules of the data and settings windows: Export Report, Copy Text and Set Interface Timeout
// enabled, Copy Data Settings when there is a record to copy into a settings document, the COM ports
// enabled with the chosen one checked.
void update_device_items(win_type& window, const menu_facts& facts);

// Export Report and Copy Text of the data and settings windows: the save dialog, then the report
// text in a file with CR LF line ends; or the text with CR LF line ends on the clipboard.
void save_report(win_type& window, const std::function<std::string()>& make_text);
void copy_report(win_type& window, const std::function<std::string()>& make_text);
// The bytes as they are, ended by a NUL, in a global memory block for CF_TEXT; null, after saying
// so, when the system has no memory for it.
HGLOBAL clipboard_text(window_host& host, std::string_view bytes);
