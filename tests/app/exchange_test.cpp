// Reports, database export and import and the clipboard through the Data and Settings windows.
#include "../exchange/sample_nights.h"
#include "exchange/document_exchange.h"
#include "exchange/export_rows.h"
#include "exchange/help_strings.h"
#include "exchange/import_rows.h"
#include "exchange/report_texts.h"
#include "res/export_dialog_ids.h"
#include "sim_night.h"
#include "test_app.h"

namespace {

class exchange : public started_app {
 protected:
  data_win_type& w() const { return *data_win(); }
  const std::vector<data_record>& records() const { return model().image.records; }
  // Six nights with their own counts and comments, the third one shown; each with the interface version a
  // download brings and a comment, since a spreadsheet writes an empty cell back as nothing.
  void add_nights() const {
    device_block dated = dated_night();
    dated.type = 4, dated.walarm = 1;  // values a row gives back: a known cue type's name, ON for 1
    const device_block blocks[] = {make_night(1, {2024, 3, 1, 7, 0, 0}),  dated,
                                   make_night(2, {2024, 3, 2, 6, 30, 0}), long_night(),
                                   make_night(3, {2024, 3, 3, 8, 15, 0}), make_night(4, {2024, 3, 5, 7, 5, 0})};
    const char* const comments[] = {"Lucid at the lake", "first \"line\"\r\nsecond", "a, b; c", "x", "flying", "woke"};
    std::vector<data_record> nights;
    for (int i = 0; i < 6; ++i) {
      data_record& night = nights.emplace_back(new_record(blocks[i]));
      if (!night.block.ibv[0]) std::strcpy(night.block.ibv, "SLX-IB 1.4");
      for (int c = 0; c < journal_count_total; ++c) night.counts[c] = i + c;
      night.comment = comments[i];
    }
    model().append_records(std::move(nights));
    model().switch_to(2);
  }
  // The core's row of record i, as a freshly shown window gives it.
  std::string row(int i) const { return rec_column(i + 1) + make_export_row(view_of_record(records()[i]), version); }
  // Export To Database: in the Export Data dialog "2 5" selects lines, "all" presses Select All, "names"
  // clicks the field names' box, "cancel" presses Cancel, else OK.
  std::string export_file(const std::string& actions, const std::string& name = "data.txt") {
    io->save_name = name;
    dialog_driver driver{"Export Data", {[&](HWND d) {
                           int button = IDC_EXPORT_OK;
                           std::istringstream words(actions);
                           for (std::string word; words >> word;) {
                             if (word == "all") press(d, IDC_EXPORT_SELECT_ALL);
                             if (word == "names") SendDlgItemMessageA(d, IDC_EXPORT_NAMES, BM_CLICK, 0, 0);
                             if (word == "cancel") button = IDC_EXPORT_CANCEL;
                             if (std::isdigit(static_cast<unsigned char>(word[0])))
                               SendDlgItemMessageA(d, IDC_EXPORT_LIST, LB_SETSEL, TRUE, std::stoi(word) - 1);
                           }
                           press(d, button);
                         }}};
    driver.drive([&] { command(w().window, IDM_EXPORT_DATABASE); });
    return read_file(name.c_str());
  }
  // Import From Database of the file; the message it showed.
  std::string import_file(const std::string& name) {
    io->open_name = name;
    io->boxes.clear();
    command(w().window, IDM_IMPORT_DATABASE);
    return io->boxes.empty() ? "" : io->boxes.back().text;
  }
};

TEST_F(exchange, report_file_and_clipboard_hold_each_windows_report_with_cr_lf_and_one_zero) {
  add_nights();
  const std::pair<win_type*, std::string> rows[] = {
      {data_win(), data_report_text(view_of_record(records()[2]), version)},
      {settings_win(), settings_report_text(settings_win()->section.settings, HELP_TEXT_CUE_DURATION, version)}};
  for (const auto& [window, report] : rows) {
    io->save_name = "report.txt";
    command(window->window, IDM_EXPORT_REPORT);
    EXPECT_EQ(read_file("report.txt"), add_returns(report));
    command(window->window, IDM_COPY);
    EXPECT_EQ(clipboard_text(true), add_returns(report) + '\0');
  }
}

TEST_F(exchange, export_writes_the_chosen_rows_and_shows_again_the_night_it_showed) {
  add_nights();
  const std::pair<const char*, std::vector<int>> rows[] = {
      {"2 3 5", {1, 2, 4}}, {"names all", {0, 1, 2, 3, 4, 5}}, {"2 cancel", {}}, {"", {}}};
  for (const auto& [actions, positions] : rows) {
    std::filesystem::remove("data.txt");
    const std::size_t dialogs = io->file_dialogs.size();
    const std::string bytes = export_file(actions);
    std::string expected = positions.empty() || std::strstr(actions, "names") ? "" : export_header();
    for (int i : positions) expected += row(i);
    EXPECT_EQ(bytes, add_returns(positions.empty() ? "" : expected)) << actions;
    EXPECT_EQ(io->file_dialogs.size() - dialogs, positions.empty() ? 0u : 1u);
    EXPECT_EQ(model().current, 2) << actions;
  }
}

// The two Windows halves of tests/e2e/exchange_e2e.sh, on the files of the folder it names: the nights
// exported with the field names; then the file a spreadsheet saved back, imported and exported again.
TEST_F(exchange, spreadsheet_round_trip) {
  const char* folder = std::getenv("NG_SPREADSHEET_DIR");
  const char* half = std::getenv("NG_SPREADSHEET_STEP");
  if (!folder || !half) GTEST_SKIP() << "a step of tests/e2e/exchange_e2e.sh";
  const std::string out = std::string(folder) + "\\";
  if (std::string(half) == "export") {
    add_nights();
    EXPECT_FALSE(export_file("all", out + "nights.txt").empty());
  } else {
    EXPECT_EQ(import_file(out + "back.txt"), "6 record(s) imported.");
    EXPECT_FALSE(export_file("all", out + "again.txt").empty());
  }
}

}  // namespace
