// Reports, database export and import, clipboard text and printing through the Data and Settings windows.
#include <random>

#include "../exchange/sample_nights.h"
#include "exchange/export_rows.h"
#include "exchange/help_strings.h"
#include "exchange/import_rows.h"
#include "exchange/report_texts.h"
#include "res/export_dialog_ids.h"
#include "sim_night.h"
#include "test_app.h"
#include "ui/edit_text_type.h"

namespace {

// What the Export Data dialog showed, and what the timer does in it: "2 5" selects those lines,
// "all" presses Select All, "names" unchecks the field names, "cancel" presses Cancel.
struct dialog_script {
  std::string actions, seen;
} script;

void CALLBACK drive_export_dialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindWindowA("#32770", "Export Data");
  if (!dialog) return;
  KillTimer(nullptr, timer);
  HWND list = GetDlgItem(dialog, IDC_EXPORT_LIST);
  char line[256] = "";
  SendMessageA(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(line));
  script.seen = text_of("%d lines, %s, names %d", static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)), line,
                        IsDlgButtonChecked(dialog, IDC_EXPORT_NAMES));
  auto press = [&](int id) { SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); };
  std::istringstream actions(script.actions);
  for (std::string word; actions >> word;) {
    if (word == "all") press(IDC_EXPORT_SELECT_ALL);
    if (word == "names") press(IDC_EXPORT_NAMES), CheckDlgButton(dialog, IDC_EXPORT_NAMES, BST_UNCHECKED);
    if (word == "cancel") return press(IDC_EXPORT_CANCEL);
    if (std::isdigit(static_cast<unsigned char>(word[0]))) SendMessageA(list, LB_SETSEL, TRUE, std::stoi(word) - 1);
  }
  press(IDC_EXPORT_OK);
}

class exchange : public app_fixture {
 protected:
  void SetUp() override {
    app_fixture::SetUp();
    start_app();
  }
  data_win_type& w() const { return *data_win(); }
  // Nights of the simulator and the two sample nights, each with its own counts and comment.
  static record_list nights() {
    device_block dated = dated_night();
    dated.type = 4, dated.walarm = 1;  // what a row gives back: a known cue type's name, ON for 1
    const device_block blocks[] = {make_night(1, {2024, 3, 1, 7, 0, 0}), dated,
                                   make_night(2, {2024, 3, 2, 6, 30, 0}), long_night(),
                                   make_night(3, {2024, 3, 3, 8, 15, 0}), make_night(4, {2024, 3, 5, 7, 5, 0})};
    const char* const comments[] = {"Lucid at the lake", "first \"line\"\r\nsecond", "a, b; c", "x", "flying",
                                    "woke twice"};
    record_list out;
    for (int i = 0; i < 6; ++i) {
      out.push_back(std::make_unique<data_record>(blocks[i]));
      // A spreadsheet writes an empty text cell back as nothing, which a row cannot lose:
      // every night has the interface version that a download brings, and a comment.
      if (!out.back()->block.ibv[0]) std::strcpy(out.back()->block.ibv, "SLX-IB 1.4");
      for (int c = 0; c < journal_count_total; ++c) out.back()->counts[c] = i + c;
      out.back()->comment = comments[i];
    }
    return out;
  }
  // The nights in the window, the third one shown.
  void add_nights() const {
    w().records = nights();
    w().current_index = 2;
    w().load_record(2);
    w().no_record = 0;
  }
  // The core's row of record i, as a freshly shown window gives it.
  std::string row(int i) const { return rec_column(i + 1) + make_export_row(view_of_record(*w().records[i]), version); }
  // Export To Database with the dialog driven by the script; the file's bytes.
  std::string export_file(const std::string& actions, const std::string& name = "data.txt") {
    script = {actions, ""};
    app->save_name = name;
    SetTimer(nullptr, 0, 20, drive_export_dialog);
    command(w().window, IDM_EXPORT_DATABASE);
    return read_file(name.c_str());
  }
  std::string import_file(const std::string& name) {
    app->open_name = name;
    app->boxes.clear();
    command(w().window, IDM_IMPORT_DATABASE);
    return app->boxes.empty() ? "" : app->boxes.back().text;
  }
  static std::string clipboard() {
    std::string bytes;
    OpenClipboard(nullptr);
    if (HANDLE memory = GetClipboardData(CF_TEXT)) {
      bytes.assign(static_cast<const char*>(GlobalLock(memory)), GlobalSize(memory));
      GlobalUnlock(memory);
    }
    CloseClipboard();
    return bytes;
  }
};

TEST_F(exchange, report_file_and_clipboard_hold_each_windows_report_with_cr_lf_and_one_zero) {
  add_nights();
  w().current_index = 1;
  w().load_record(1);
  settings_win()->settings.walarm = 1;
  const std::string data = add_returns(data_report_text(view_of_record(*w().records[1]), version));
  const std::string settings =
      add_returns(settings_report_text(settings_win()->settings, HELP_TEXT_CUE_DURATION, version));
  for (const auto& [window, report] : {std::pair{static_cast<win_type*>(data_win()), data}, {settings_win(), settings}}) {
    app->save_name = "report.txt";
    command(window->window, IDM_EXPORT_REPORT);
    EXPECT_EQ(read_file("report.txt"), report);
    command(window->window, IDM_COPY);
    EXPECT_EQ(clipboard(), report + '\0');
  }
  EXPECT_EQ(app->save_dialogs[0], "SomnReport.txt | Somnolux Report (*.TXT) | txt");
  app->save_name = "no such folder\\report.txt";
  command(w().window, IDM_EXPORT_REPORT);
  ASSERT_EQ(app->boxes.size(), 1u);
  EXPECT_EQ(app->boxes[0].text, "Sorry, couldn't create report file.");
}

TEST_F(exchange, export_writes_the_chosen_rows_and_shows_the_night_it_showed_before) {
  add_nights();
  SetWindowTextA(w().comments->control, "edited");  // stored before the rows are made
  const struct {
    const char* actions;
    std::vector<int> rows;  // positions written, after the field names unless "names" unchecks them
  } rows[] = {{"2 3 5", {1, 2, 4}}, {"names all", {0, 1, 2, 3, 4, 5}}, {"2 cancel", {}}, {"", {}}};
  for (const auto& r : rows) {
    std::filesystem::remove("data.txt");
    const std::size_t dialogs = app->save_dialogs.size();
    const std::string bytes = export_file(r.actions);
    std::string expected = r.rows.empty() || std::strstr(r.actions, "names") ? "" : export_header();
    for (int i : r.rows) expected += row(i);  // the shown night's edit is stored first
    EXPECT_EQ(bytes, add_returns(r.rows.empty() ? "" : expected)) << r.actions;
    EXPECT_EQ(script.seen, "6 lines, " + record_list_line(1, w().records[1]->block) + ", names 1");
    EXPECT_EQ(app->save_dialogs.size() - dialogs, r.rows.empty() ? 0u : 1u);
    char shown[64] = "";
    GetWindowTextA(w().comments->control, shown, sizeof shown);
    EXPECT_EQ(text_of("%d %d %s %s", w().current_index, w().counts[dreams], shown, w().records[2]->comment.c_str()),
              "2 2 edited edited");
  }
  EXPECT_EQ(app->save_dialogs[0], "SomnData.txt | Somnolux Data (*.TXT) | txt");  // from the first row
  app->save_name = "no such folder\\data.txt";
  export_file("1", app->save_name);
  EXPECT_EQ(app->boxes.back().text, "Sorry, couldn't create data file.");
}

TEST_F(exchange, import_takes_the_rows_of_this_program_from_any_file_without_harm) {
  add_nights();
  std::mt19937 random(11);
  std::string noise(1 << 16, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  const std::string cut = row(5).substr(0, row(5).size() - 1);
  std::string tabbed = row(1);
  tabbed.insert(tabbed.find("_line"), "\t");  // a tab in a comment shifts the row's columns
  const std::string six = row(0) + row(1) + row(2) + row(3) + row(4) + row(5);
  std::string many;
  for (int i = 0; i < 100000 / 6; ++i) many += six;
  many += row(0) + row(1) + row(2) + row(3);
  const struct {
    std::string bytes;
    const char* message;
    int added;
  } rows[] = {{noise, "0 record(s) imported.", 0},
              {"", "0 record(s) imported.", 0},
              {export_header(), "0 record(s) imported.", 0},
              {tabbed + row(3) + cut, "1 record(s) imported.", 1},  // the cut last row is lost
              {add_returns(export_header() + many), "100000 record(s) imported.", 100000}};
  for (const auto& r : rows) {
    write_file("in.txt", r.bytes);
    const int before = w().record_count();
    EXPECT_EQ(import_file("in.txt"), r.message);
    EXPECT_EQ(w().record_count() - before, r.added);
  }
  EXPECT_EQ(w().current_index, w().record_count() - 1);
  EXPECT_EQ(w().no_record, 0);
  EXPECT_EQ(w().make_export_row(), make_export_row(view_of_record(*w().records[3]), version));  // night 4 came back
  EXPECT_EQ(import_file("missing.txt"), "Couldn't open database file.");
  EXPECT_EQ(app->save_dialogs.back(), "open  | Text File (*.TXT) | txt");
}

TEST_F(exchange, print_maps_the_client_area_onto_the_page_and_reports_each_failure) {
  add_nights();
  SetWindowTextA(w().comments->control, "one\r\ntwo\r\nthree");
  test_printer& paper = app->paper();
  const std::string job = "choose|doc Untitled 1+|page+|";
  const struct {
    int answer;
    DWORD error;
    const char* failing;
    std::string calls, message;
  } rows[] = {{0, 0, "none", "choose|release|", ""},
              {0, 4095, "none", "choose|release|", ""},
              {0, 4096, "none", "choose|release|", "PrintDlg() error: 4096 PDERR_PRINTERCODES."},
              {0, 4103, "none", "choose|release|", "PrintDlg() error: 4103 PDERR_NODEVICES."},
              {0, 4108, "none", "choose|release|", "PrintDlg() error: 4108 PDERR_DEFAULTDIFFERENT."},
              {0, 4109, "none", "choose|release|", ""},
              {1, 0, "doc", "choose|doc Untitled 1+|release|", "StartDoc() failed: 5."},
              {1, 0, "page", job + "end doc|release|", "StartPage() failed: 5."},
              {1, 0, "end page", job + "end page+|end doc|release|", "EndPage() failed: 5."},
              {1, 0, "end doc", job + "end page+|end doc+|release|", "EndDoc() failed: 5."},
              {1, 0, "none", job + "end page+|end doc+|release|", ""}};
  for (const auto& r : rows) {
    paper.answer = r.answer, paper.error = r.error, paper.failing = r.failing, paper.calls.clear();
    app->boxes.clear();
    command(w().window, IDM_PRINT);
    EXPECT_EQ(paper.calls, r.calls) << r.failing << r.error;
    EXPECT_EQ(app->boxes.empty() ? "" : app->boxes[0].text, r.message);
    EXPECT_EQ(app->status_window, nullptr);
  }
  RECT client{};
  GetClientRect(w().window, &client);
  HDC screen = GetDC(nullptr);
  const std::vector<std::string> mapping = {"map mode 8", text_of("window %ldx%ld", client.right, client.bottom),
                                            text_of("viewport %dx%d", GetDeviceCaps(screen, HORZRES),
                                                    GetDeviceCaps(screen, VERTRES))};
  ReleaseDC(nullptr, screen);
  const std::vector<std::string> shapes = shapes_of(paper.drawn);
  ASSERT_GE(shapes.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(shapes.begin(), shapes.begin() + 3), mapping);
  // Only on paper does the comments box draw its text itself, and only its first two lines.
  std::string comment;
  for (const std::string& shape : shapes)
    for (const char* line : {"text one ", "text two ", "text three "})
      if (shape.rfind(line, 0) == 0) comment += line;
  EXPECT_EQ(comment, "text one text two ");
  EXPECT_TRUE(w().printing == 0 && w().printer_dc == nullptr);
}

// The two halves of the spreadsheet round trip of tests/e2e/spreadsheet_e2e.sh, which hands over
// the folder of its files: the nights exported with the field names, then the file the spreadsheet
// wrote back imported into a new window and exported again.
TEST_F(exchange, spreadsheet_export) {
  const char* folder = std::getenv("NG_SPREADSHEET_DIR");
  if (!folder) GTEST_SKIP() << "run by tests/e2e/spreadsheet_e2e.sh";
  add_nights();
  EXPECT_FALSE(export_file("all", std::string(folder) + "\\nights.txt").empty());
}

TEST_F(exchange, spreadsheet_import) {
  const char* folder = std::getenv("NG_SPREADSHEET_DIR");
  if (!folder) GTEST_SKIP() << "run by tests/e2e/spreadsheet_e2e.sh";
  EXPECT_EQ(import_file(std::string(folder) + "\\back.txt"), "6 record(s) imported.");
  const record_list sent = nights();
  for (std::size_t i = 0; i < sent.size() && i < w().records.size(); ++i) {
    const data_record &back = *w().records[i], &night = *sent[i];
    std::string comment = night.comment;
    std::replace(comment.begin(), comment.end(), '"', '_');  // as the export writes it
    EXPECT_EQ(comment_lines(back.comment), comment_lines(comment)) << i;
    EXPECT_TRUE(std::equal(std::begin(back.counts), std::end(back.counts), std::begin(night.counts))) << i;
  }
  EXPECT_FALSE(export_file("all", std::string(folder) + "\\again.txt").empty());
}

}  // namespace
