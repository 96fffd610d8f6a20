// The Plot Records dialog: which records to plot, which series and in which colours.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "model/cue_plot.h"

// What Plot Records hands its dialog as the dialog's parameter and gets back.
struct plot_dialog_state {
  std::vector<std::string> lines;  // "#1:  " and each record's label
  std::vector<int> selection;      // out: the chosen records' positions, ascending
  series_choice series;            // in and out: the series shown and their colours
};

// "plot_records_dlog": ends with 0 after OK (selection and series set), 1 for Cancel.
INT_PTR CALLBACK plot_records_proc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp);
