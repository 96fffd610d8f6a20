// The Show Record dialog procedure.
#include "datawin/record_dialogs.h"

#include "res/resource_ids.h"
#include "ui/desktop_io.h"
#include "ui/list_box.h"

INT_PTR CALLBACK show_record_proc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
  auto* const state = dialog_state<show_record_state>(dialog, msg, lp);
  if (!state) return FALSE;
  HWND list = GetDlgItem(dialog, IDC_RECORD_LIST);
  if (msg == WM_INITDIALOG) {
    add_list_lines(list, state->lines);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(state->selected_record), 0);
    return TRUE;
  }
  if (msg != WM_COMMAND) return FALSE;
  const int id = cancel_or(LOWORD(wp), HIWORD(wp), IDC_RECORD_CANCEL);
  if (id == IDC_RECORD_OK || (id == IDC_RECORD_LIST && HIWORD(wp) == LBN_DBLCLK)) {
    state->selected_record = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));  // LB_ERR is -1
    EndDialog(dialog, 0);
  } else if (id == IDC_RECORD_CANCEL) {
    EndDialog(dialog, 1);
  } else if (id != IDC_RECORD_LIST) {
    return FALSE;
  }
  return TRUE;
}
