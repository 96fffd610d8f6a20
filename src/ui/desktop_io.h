// What the program asks of the desktop and a test answers instead: message boxes, the start-up pause,
// modal dialogs, file choosers, the refusal beep, a button's pause and popup menus.
#pragma once

#include <windows.h>

#include <string>

// One open or save dialog: what it proposes and, when the user chose, what was chosen.
struct file_choice {
  enum class kind { open_document, save, read };  // read: any existing file (an import)
  kind mode = kind::save;
  std::string path;               // in: the proposed name; out: the chosen full path
  std::string title;              // out: the chosen file's name without its folder
  const char* filter = "";        // pairs of NUL-terminated texts, double-NUL terminated
  const char* extension = "";     // the default extension, without its dot
  const char* caption = nullptr;  // the dialog's title; nullptr for the system's own
  HWND owner = nullptr;
  int filter_index = 1;  // out, for open_document: 1 or 2, the filter chosen
};

class desktop_io {
 public:
  virtual ~desktop_io() = default;
  // A task-modal message box without owner; the button pressed (IDOK, IDYES, ...).
  virtual int message_box(const std::string& text, const char* caption, UINT type);
  virtual void wait_ms(int milliseconds);
  // A modal dialog from the program's resources; `state` reaches its procedure at WM_INITDIALOG.
  virtual INT_PTR run_dialog(HINSTANCE instance, const char* template_name, DLGPROC procedure, HWND owner,
                             LPARAM state);
  // The system's open or save dialog; true when a file was chosen.
  virtual bool choose_file(HINSTANCE instance, file_choice& choice);
  virtual void beep();                                             // a refused keystroke
  virtual void pause(int milliseconds);                            // a pressed button shows itself
  virtual void track_popup(HMENU menu, POINT screen, HWND owner);  // a choice reaches owner as WM_COMMAND
};

// A dialog procedure's state: given as the parameter of WM_INITDIALOG, kept in the dialog's user data.
template <class T>
T* dialog_state(HWND dialog, UINT msg, LPARAM lp) {
  if (msg == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lp);
  return reinterpret_cast<T*>(GetWindowLongPtrA(dialog, DWLP_USER));
}
