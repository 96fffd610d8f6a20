// The Export Data dialog: the records to export and whether the file begins with the field names.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// What the export hands its dialog and gets back; one for the program, since a dialog
// procedure receives no object.
struct export_dialog_state {
  std::vector<std::string> lines;  // "#1:  " and the record's label, one line a record
  std::vector<int> selection;      // the chosen records' positions, ascending
  int include_field_names = 1;
};
extern export_dialog_state export_dialog;

// The procedure of "export_records_dlog": the lines into its list, the check box from the state;
// OK (0) takes the selection and the check box and ends with 0, Cancel (1) ends with 1, Select All
// (4) selects every line.
INT_PTR CALLBACK export_records_proc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp);
