// Dialogs in tests: a modal run driven step by step from a timer, button presses and a description of a template.
#pragma once

#include "test_app.h"

// Runs a modal dialog with steps from a thread timer: each tick that finds the dialog runs
// the next step on it.
struct dialog_driver {
  const char* caption;
  std::vector<std::function<void(HWND)>> steps;
  size_t next = 0;
  inline static dialog_driver* current = nullptr;

  static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = FindWindowA("#32770", current->caption);
    if (!dialog || !IsWindowVisible(dialog)) return;
    if (current->next++ < current->steps.size())
      current->steps[current->next - 1](dialog);
    else
      EndDialog(dialog, 99);  // out of steps: a failing test must not hang
  }
  // True when the dialog ended with the last step.
  bool drive(const std::function<void()>& run_modal) {
    current = this;
    const UINT_PTR timer = SetTimer(nullptr, 0, 5, tick);
    run_modal();
    KillTimer(nullptr, timer);
    return next == steps.size();
  }
};

inline void press(HWND dialog, int id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
// The dialog's caption and style, then one line per control in template order: id, class,
// style type and text.
inline std::string describe(HWND dialog) {
  std::string out =
      title(dialog) + (GetWindowLongPtrA(dialog, GWL_STYLE) & WS_SYSMENU ? " with" : " without") + " system menu\n";
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[32] = "";
    GetClassNameA(child, name, sizeof name);
    out += std::to_string(static_cast<short>(GetDlgCtrlID(child))) + " " + name + " " +
           std::to_string(GetWindowLongPtrA(child, GWL_STYLE) & 0xFF) + " " + title(child) + "\n";
  }
  return out;
}
