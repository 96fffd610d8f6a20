// A modal dialog driven step by step from a timer, and its button presses.
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
