// The record dialogs: Show Record and Plot Records, their shared state and the record list helpers.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "model/cue_plot.h"
#include "model/data_file.h"

// What an operation and its dialog procedure share; one for the whole program, because a
// dialog procedure receives no object. The open flags keep each dialog from opening twice.
struct record_dialog_state {
  int show_record_open = 0;
  int selected_record = -1;  // -1: none
  std::vector<std::string> show_lines;

  int plot_records_open = 0;
  std::vector<std::string> plot_lines;
  std::vector<int> plot_selection;  // record positions, ascending
  series_choice plot_series;
};
extern record_dialog_state record_dialogs;

// "show_record_dlog": ends with 0 after OK or a double click (selected_record set), 1 for Cancel.
INT_PTR CALLBACK show_record_proc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp);
// "plot_records_dlog": ends with 0 after OK (selection and series set), 1 for Cancel.
INT_PTR CALLBACK plot_records_proc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp);

// The lines of a record list box: "#%d:  " and the label of each record, in list order.
std::vector<std::string> record_list_lines(const record_list& records);
// Adds the lines to a list box.
void add_list_lines(HWND list_box, const std::vector<std::string>& lines);
// Selects every line of a multiple-selection list box.
void select_all_lines(HWND list_box);
// The positions of the selected lines of a multiple-selection list box, ascending.
std::vector<int> selected_lines(HWND list_box);
