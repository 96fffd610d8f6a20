// The Export Data dialog's procedure.
#include "datawin/export_dialog.h"

#include "res/export_dialog_ids.h"
#include "ui/desktop_io.h"
#include "ui/list_box.h"

INT_PTR CALLBACK export_records_proc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
  auto* const state = dialog_state<export_dialog_state>(dialog, msg, lp);
  if (!state) return FALSE;
  HWND list = GetDlgItem(dialog, IDC_EXPORT_LIST);
  if (msg == WM_INITDIALOG) {
    add_list_lines(list, state->lines);
    CheckDlgButton(dialog, IDC_EXPORT_NAMES, state->include_field_names ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
  }
  if (msg != WM_COMMAND) return FALSE;
  switch (cancel_or(LOWORD(wp), HIWORD(wp), IDC_EXPORT_CANCEL)) {
    case IDC_EXPORT_OK:
      state->selection = selected_lines(list);
      state->include_field_names = IsDlgButtonChecked(dialog, IDC_EXPORT_NAMES) == BST_CHECKED;
      EndDialog(dialog, 0);
      return TRUE;
    case IDC_EXPORT_CANCEL: EndDialog(dialog, 1); return TRUE;
    case IDC_EXPORT_SELECT_ALL: select_all_lines(list); return TRUE;
    default: return FALSE;
  }
}
