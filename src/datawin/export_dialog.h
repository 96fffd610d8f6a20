// The Export Data dialog: which records go into the database file, and whether its first line names the fields.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// What the export hands its dialog as the dialog's parameter and gets back.
struct export_dialog_state {
  std::vector<std::string> lines;  // "#1:  " and the record's label, one line a record
  std::vector<int> selection;      // out: the chosen records' positions, ascending
  bool include_field_names = true;
};

// The procedure of "export_records_dlog": the lines into its list, the check box from the state;
// OK (0) takes the selection and the check box and ends with 0, Cancel (1) ends with 1, Select All
// (4) selects every line.
INT_PTR CALLBACK export_records_proc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp);
