// Database rows of the Data window: column texts, the header line and the whole row.
// The record view and settings view give their export texts from here; the Data window's
// make_export_row and Export To Database, and the command-line tool, assemble rows here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "exchange/report_texts.h"
#include "model/device_block.h"

constexpr int export_column_count = 176;

// Column positions, 0-based, in the order of the header line.
enum export_column {
  col_rec = 0,
  col_recstarth = 4,
  col_recstartm = 5,
  col_mode = 6,
  col_dur = 12,
  col_rem1 = 15,
  col_dreams = 143,  // the seven journal counts, 143 to 149
  col_comments = 150,
  col_cdur = 151,
  col_intens = 152,
  col_rate = 153,
  col_type = 154,
  col_walarm = 155,
  col_wtimeh = 156,
  col_wtimem = 157,
  col_dalarm = 158,
  col_delay = 159,
  col_sens = 160,
  col_cstarth = 161,
  col_cstartm = 162,
  col_cendh = 163,
  col_cendm = 164,
  col_packv = 165,
  col_somnv = 166,
  col_ibv = 167,
  col_softv = 168,
  col_todd = 169,  // TODD, TODH, TODM, TODS: 169 to 172
  col_delayp = 173,
  col_smoded = 174,
  col_tstamp = 175,
};

// "REC\tRECSTARTMN\t...\tSMODED\tTSTAMP\n": the optional first line of an export file.
const std::string& export_header();

// Record view (Data window, container index 0): columns RECSTARTMN to REM128, no tab after
// the last; empty values ("") while the window shows no record.
std::string record_view_export_text(const device_block& block, bool no_record);
// Settings view (Data window, container index 14): columns CDUR to CENDM, no tab after the last.
std::string settings_view_export_text(const device_block& block, bool no_record);

// The row of the shown record after its REC column, ended by a line feed: the export texts of
// the record view, the seven counts and the settings view each followed by a tab, the comment's
// quoted field in container order, then the device columns PACKV to TSTAMP.
std::string make_export_row(const data_window_view& view, const std::string& version);
// The REC column: the record's 1-based position and a tab.
std::string rec_column(int position);
