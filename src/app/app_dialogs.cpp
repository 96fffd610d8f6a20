// The default-port and interface-timeout dialog procedures.
#include "app/app_dialogs.h"

#include <cstdio>
#include <cstdlib>

#include "device/device_link.h"
#include "res/resource_ids.h"
#include "ui/desktop_io.h"

int parse_port_entry(const char* text) {
  // strtol rather than atoi: a huge number saturates instead of overflowing.
  long value = std::strtol(text, nullptr, 10);
  if (value < 1) return 1;
  if (value > highest_port) return highest_port;
  return static_cast<int>(value);
}

INT_PTR CALLBACK default_port_proc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
  int* const port = dialog_state<int>(dialog, msg, lp);
  if (!port) return FALSE;
  switch (msg) {
    case WM_INITDIALOG: {
      char text[16];
      std::snprintf(text, sizeof text, "%d", *port);
      SetDlgItemTextA(dialog, IDC_PORT_EDIT, text);
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IDC_PORT_OK: {
          char text[256] = "";
          GetDlgItemTextA(dialog, IDC_PORT_EDIT, text, sizeof text);
          *port = parse_port_entry(text);
          EndDialog(dialog, 1);
          return TRUE;
        }
        case IDC_PORT_QUIT:  // also Escape, which sends IDCANCEL = 2
          EndDialog(dialog, 2);
          return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

INT_PTR CALLBACK timeout_proc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
  int* const timeout = dialog_state<int>(dialog, msg, lp);
  if (!timeout) return FALSE;
  switch (msg) {
    case WM_INITDIALOG: {
      int choice = *timeout;
      if (choice < 0 || choice > 2) choice = 0;
      CheckRadioButton(dialog, IDC_TIMEOUT_NORMAL, IDC_TIMEOUT_LONGEST, IDC_TIMEOUT_NORMAL + choice);
      return TRUE;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wp);
      switch (id) {
        case IDC_TIMEOUT_OK:
          for (int button = IDC_TIMEOUT_NORMAL; button <= IDC_TIMEOUT_LONGEST; ++button)
            if (IsDlgButtonChecked(dialog, button) == BST_CHECKED) *timeout = button - IDC_TIMEOUT_NORMAL;
          EndDialog(dialog, 0);
          return TRUE;
        case IDC_TIMEOUT_CANCEL: EndDialog(dialog, 1); return TRUE;
        case IDC_TIMEOUT_NORMAL:  // Escape sends 2 as well, which lands here
        case IDC_TIMEOUT_LONGER:
        case IDC_TIMEOUT_LONGEST: CheckRadioButton(dialog, IDC_TIMEOUT_NORMAL, IDC_TIMEOUT_LONGEST, id); return TRUE;
      }
      return FALSE;
    }
  }
  return FALSE;
}
