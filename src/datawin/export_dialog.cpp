// The Export Data dialog's procedure and the state it shares with the export.
#include "datawin/export_dialog.h"

#include "datawin/record_dialogs.h"
#include "res/export_dialog_ids.h"

export_dialog_state export_dialog;

INT_PTR CALLBACK export_records_proc(HWND dialog, UINT msg, WPARAM wp, LPARAM) {
  HWND list = GetDlgItem(dialog, IDC_EXPORT_LIST);
  if (msg == WM_INITDIALOG) {
    add_list_lines(list, export_dialog.lines);
    CheckDlgButton(dialog, IDC_EXPORT_NAMES, export_dialog.include_field_names ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
  }
  if (msg != WM_COMMAND) return FALSE;
  switch (LOWORD(wp)) {
    case IDC_EXPORT_OK:
      export_dialog.selection = selected_lines(list);
      export_dialog.include_field_names = IsDlgButtonChecked(dialog, IDC_EXPORT_NAMES) == BST_CHECKED ? 1 : 0;
      EndDialog(dialog, 0);
      return TRUE;
    case IDC_EXPORT_CANCEL: EndDialog(dialog, 1); return TRUE;
    case IDC_EXPORT_SELECT_ALL: select_all_lines(list); return TRUE;
    default: return FALSE;
  }
}
