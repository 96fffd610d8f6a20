// The Export Data dialog's procedure and the state it shares with the export.
#include "datawin/export_dialog.h"

#include "res/export_dialog_ids.h"

export_dialog_state export_dialog;

INT_PTR CALLBACK export_records_proc(HWND dialog, UINT msg, WPARAM wp, LPARAM) {
  HWND list = GetDlgItem(dialog, IDC_EXPORT_LIST);
  if (msg == WM_INITDIALOG) {
    for (const std::string& line : export_dialog.lines)
      SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    CheckDlgButton(dialog, IDC_EXPORT_NAMES, export_dialog.include_field_names ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
  }
  if (msg != WM_COMMAND) return FALSE;
  const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  switch (LOWORD(wp)) {
    case IDC_EXPORT_OK:
      for (int i = 0; i < count; ++i)
        if (SendMessageA(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) export_dialog.selection.push_back(i);
      export_dialog.include_field_names = IsDlgButtonChecked(dialog, IDC_EXPORT_NAMES) == BST_CHECKED ? 1 : 0;
      EndDialog(dialog, 0);
      return TRUE;
    case IDC_EXPORT_CANCEL:
      EndDialog(dialog, 1);
      return TRUE;
    case IDC_EXPORT_SELECT_ALL:
      // The EX form: its range is not cut to 16 bits, so that every line of a long list is selected.
      if (count > 0) SendMessageA(list, LB_SELITEMRANGEEX, 0, count - 1);
      return TRUE;
    default:
      return FALSE;
  }
}
