// The Show Record and Plot Records dialog procedures and the record list helpers they share.
#include "datawin/record_dialogs.h"

#include "res/resource_ids.h"

record_dialog_state record_dialogs;

std::vector<std::string> record_list_lines(const record_list& records) {
  std::vector<std::string> lines;
  lines.reserve(records.size());
  for (std::size_t i = 0; i < records.size(); ++i)
    lines.push_back(record_list_line(static_cast<int>(i), records[i].block));
  return lines;
}

void add_list_lines(HWND list_box, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) SendMessageA(list_box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

void select_all_lines(HWND list_box) {
  // -1 selects every line at once, also beyond the 65,535 that a range message can name.
  SendMessageA(list_box, LB_SETSEL, TRUE, -1);
}

std::vector<int> selected_lines(HWND list_box) {
  const LRESULT count = SendMessageA(list_box, LB_GETSELCOUNT, 0, 0);
  std::vector<int> positions(count > 0 ? static_cast<std::size_t>(count) : 0);
  if (!positions.empty()) {
    const LRESULT got =
        SendMessageA(list_box, LB_GETSELITEMS, positions.size(), reinterpret_cast<LPARAM>(positions.data()));
    positions.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  }
  return positions;
}

INT_PTR CALLBACK show_record_proc(HWND dialog, UINT msg, WPARAM wp, LPARAM) {
  record_dialog_state& state = record_dialogs;
  HWND list = GetDlgItem(dialog, IDC_RECORD_LIST);
  if (msg == WM_INITDIALOG) {
    add_list_lines(list, state.show_lines);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(state.selected_record), 0);
    return TRUE;
  }
  if (msg != WM_COMMAND) return FALSE;
  const int id = LOWORD(wp);
  if (id == IDC_RECORD_OK || (id == IDC_RECORD_LIST && HIWORD(wp) == LBN_DBLCLK)) {
    state.selected_record = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));  // LB_ERR is -1
    EndDialog(dialog, 0);
  } else if (id == IDC_RECORD_CANCEL) {
    EndDialog(dialog, 1);
  } else if (id != IDC_RECORD_LIST) {
    return FALSE;
  }
  return TRUE;
}

INT_PTR CALLBACK plot_records_proc(HWND dialog, UINT msg, WPARAM wp, LPARAM) {
  record_dialog_state& state = record_dialogs;
  series_choice& series = state.plot_series;
  HWND list = GetDlgItem(dialog, IDC_RECORD_LIST);
  auto check_box = [](int s) { return IDC_PLOT_CUES + 3 * s; };  // then its Black and Gray buttons
  if (msg == WM_INITDIALOG) {
    add_list_lines(list, state.plot_lines);
    for (int s = 0; s < series_total; ++s) {
      CheckDlgButton(dialog, check_box(s), series.show[s] ? BST_CHECKED : BST_UNCHECKED);
      CheckRadioButton(dialog, check_box(s) + 1, check_box(s) + 2, check_box(s) + 1 + (series.colour[s] ? 1 : 0));
    }
    return TRUE;
  }
  if (msg != WM_COMMAND) return FALSE;
  const int id = LOWORD(wp);
  if (id == IDC_RECORD_OK) {
    try {
      state.plot_selection = selected_lines(list);
    } catch (...) {
      return TRUE;  // no memory for the selection: the dialog stays open
    }
    for (int s = 0; s < series_total; ++s) {
      series.show[s] = IsDlgButtonChecked(dialog, check_box(s)) == BST_CHECKED ? 1 : 0;
      series.colour[s] = IsDlgButtonChecked(dialog, check_box(s) + 2) == BST_CHECKED ? 1 : 0;
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
