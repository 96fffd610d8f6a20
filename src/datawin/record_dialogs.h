// The Show Record dialog and the list box helpers that the record dialogs share.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// What Show Record and its procedure share, handed to the dialog as its parameter.
struct show_record_state {
  std::vector<std::string> lines;  // "#1:  " and each record's label
  int selected_record = -1;        // in: the record shown; out: the one chosen, -1 for none
};

// "show_record_dlog": ends with 0 after OK or a double click (selected_record set), 1 for Cancel.
INT_PTR CALLBACK show_record_proc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp);
