// Filling and reading the list boxes of the record dialogs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Adds the lines to a list box.
void add_list_lines(HWND list_box, const std::vector<std::string>& lines);
// Selects every line of a multiple-selection list box.
void select_all_lines(HWND list_box);
// The positions of the selected lines of a multiple-selection list box, ascending.
std::vector<int> selected_lines(HWND list_box);
