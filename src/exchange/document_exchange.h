// The data document's texts and rows: its report, its database export and import, for the program and
// the command line alike.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "exchange/import_rows.h"
#include "exchange/report_texts.h"
#include "model/data_model.h"

// The Data window's view of the night shown, the help line showing `help_text`.
data_window_view shown_view(const data_model& model, const std::string& help_text);
// The view while record `index` is shown, DREAMS focused (as a freshly opened window shows it);
// the no-record flag is the document's.
data_window_view record_view(const data_model& model, int index);

// The rows of the records at the given 0-based positions, in that order, each after its REC column;
// with `names` the header line first. The shown night's edits are stored first; positions outside
// the list are passed over.
std::string export_rows(data_model& model, const std::vector<int>& positions, bool names, const std::string& version);

// Appends the records of every row of this program that the reader gives (the header line and other
// programs' rows are skipped) and shows the last; how many came. Running out of memory part way
// leaves the document as it was.
std::size_t import_rows(data_model& model, line_reader& reader);
