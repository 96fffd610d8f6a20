// Filling and reading the list boxes of the record dialogs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The id a record dialog's WM_COMMAND stands for. Escape sends IDCANCEL (2), which in these dialogs is
// the list box's id; a list box never sends notification 0, so 2 with 0 is Escape: the dialog's Cancel.
inline int cancel_or(int id, int notification, int cancel_id) {
  return id == IDCANCEL && notification == 0 ? cancel_id : id;
}

// Adds the lines to a list box.
void add_list_lines(HWND list_box, const std::vector<std::string>& lines);
// Selects every line of a multiple-selection list box.
void select_all_lines(HWND list_box);
// The positions of the selected lines of a multiple-selection list box, ascending.
std::vector<int> selected_lines(HWND list_box);
