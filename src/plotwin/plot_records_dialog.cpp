// The Plot Records dialog's procedure.
#include "plotwin/plot_records_dialog.h"

#include "res/resource_ids.h"
#include "ui/desktop_io.h"
#include "ui/list_box.h"

INT_PTR CALLBACK plot_records_proc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
  auto* const state = dialog_state<plot_dialog_state>(dialog, msg, lp);
  if (!state) return FALSE;
  series_choice& series = state->series;
  HWND list = GetDlgItem(dialog, IDC_RECORD_LIST);
  auto check_box = [](int s) { return IDC_PLOT_CUES + 3 * s; };  // then its Black and Gray buttons
  if (msg == WM_INITDIALOG) {
    add_list_lines(list, state->lines);
    for (int s = 0; s < series_total; ++s) {
      CheckDlgButton(dialog, check_box(s), series.show[s] ? BST_CHECKED : BST_UNCHECKED);
      CheckRadioButton(dialog, check_box(s) + 1, check_box(s) + 2, check_box(s) + 1 + (series.gray[s] ? 1 : 0));
    }
    return TRUE;
  }
  if (msg != WM_COMMAND) return FALSE;
  const int id = cancel_or(LOWORD(wp), HIWORD(wp), IDC_RECORD_CANCEL);
  if (id == IDC_RECORD_OK) {
    try {
      state->selection = selected_lines(list);
    } catch (...) {
      return TRUE;  // no memory for the selection: the dialog stays open
    }
    for (int s = 0; s < series_total; ++s) {
      series.show[s] = IsDlgButtonChecked(dialog, check_box(s)) == BST_CHECKED;
      series.gray[s] = IsDlgButtonChecked(dialog, check_box(s) + 2) == BST_CHECKED;
    }
    EndDialog(dialog, 0);
  } else if (id == IDC_RECORD_CANCEL) {
    EndDialog(dialog, 1);
  } else if (id == IDC_PLOT_SELECT_ALL) {
    select_all_lines(list);
  } else if (id > IDC_PLOT_CUES && id < IDC_PLOT_SELECT_ALL && (id - IDC_PLOT_CUES) % 3 != 0) {
    const int black = id - (id - IDC_PLOT_CUES) % 3 + 1;  // the group's first radio button
    CheckRadioButton(dialog, black, black + 1, id);
  } else {
    return FALSE;
  }
  return TRUE;
}
