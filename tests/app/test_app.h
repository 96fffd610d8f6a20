// The application tests' support: an application whose boxes, file dialogs, dialogs and pause are scripted.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "../device/test_link.h"
#include "../ui/emf_recording.h"
#include "app/about_win_type.h"
#include "app/app_dialogs.h"
#include "app/app_type.h"
#include "app/data_doc.h"
#include "app/msg_win_type.h"
#include "app/settings_doc.h"
#include "datawin/data_win_type.h"
#include "device/device_link.h"
#include "plotwin/plot_win_type.h"
#include "res/resource_ids.h"
#include "settingswin/settings_win_type.h"
#include "ui/time_field_type.h"
#include "ui/ui_effects.h"
#include "ui/win_print.h"

using strings = std::vector<std::string>;
inline constexpr COLORREF gray = RGB(180, 180, 180);  // disabled widgets, the cue bracket, not-delivered cues

// One message box asked for, and whether the status or About window was open then.
struct box_record {
  std::string text, caption;
  UINT type;
  bool status_or_about_open;
};

// A printer whose dialog answers as scripted (cancel by default) and whose paper is an enhanced
// metafile of the screen's size. It logs its calls ("choose|doc Untitled 1+|...", + while the status
// window stands) and keeps what was drawn; the call that `failing` begins fails with system error 5.
struct test_printer : printer_type {
  int choose(PRINTDLGA& request) override {
    if (answer == 1) request.hDC = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    return step("choose"), answer;
  }
  DWORD dialog_error() override { return error; }
  int start_doc(HDC, const DOCINFOA& info) override { return step("doc " + std::string(info.lpszDocName)); }
  int start_page(HDC) override { return step("page"); }
  int end_page(HDC) override { return step("end page"); }
  int end_doc(HDC) override { return step("end doc"); }
  void release(PRINTDLGA& request) override {
    step("release");
    if (request.hDC) drawn = read_metafile(CloseEnhMetaFile(request.hDC));
  }
  int step(const std::string& name) {
    calls += name + (app->status_window ? "+|" : "|");
    SetLastError(5);
    return !failing.empty() && name.rfind(failing, 0) == 0 ? 0 : 1;
  }

  int answer = 0;
  DWORD error = 0;
  std::string failing, calls;
  std::vector<drawn_item> drawn;
  const app_type* app = nullptr;
};

class test_app : public app_type {
 public:
  test_app() : app_type(GetModuleHandleA(nullptr), SW_HIDE, no_startup_tag{}) {
    auto paper = std::make_unique<test_printer>();
    paper->app = this;
    printer = std::move(paper);
  }
  using app_type::start;
  test_printer& paper() { return static_cast<test_printer&>(*printer); }

  int message_box(const char* text, const char* caption, UINT type) override {
    boxes.push_back({text, caption, type, status_window || about_window});
    const int answer = answers.empty() ? ((type & MB_TYPEMASK) == MB_YESNOCANCEL ? IDNO : IDOK) : answers.front();
    if (!answers.empty()) answers.pop_front();
    return answer;
  }
  void wait_ms(int milliseconds) override {
    waits.push_back(milliseconds);
    if (on_wait) on_wait();
  }
  INT_PTR run_dialog(const char* name, DLGPROC procedure, HWND owner) override {
    dialogs.push_back(name);
    dialog_scope open(*this);
    return on_dialog ? on_dialog() : app_type::run_dialog(name, procedure, owner);
  }
  // The chosen files are named relative to the current directory and given as full paths.
  int choose_file_to_open(char* path, char* title) override {
    std::snprintf(path, 264, "%s", full_path(open_name).c_str());
    std::snprintf(title, 512, "%s", open_name.c_str());
    return open_choice;
  }
  int choose_file_to_read(char* path, char* title, const char* filter, const char* extension, HWND) override {
    save_dialogs.push_back(std::string("open ") + path + " | " + filter + " | " + extension);
    std::snprintf(path, 264, "%s", full_path(open_name).c_str());
    std::snprintf(title, 512, "%s", open_name.c_str());
    return !open_name.empty();
  }
  int choose_file_to_save(char* path, char* title, const char* filter, const char* extension, HWND,
                          const char* caption) override {
    save_dialogs.push_back((caption ? caption + std::string(": ") : "") + path + " | " + filter + " | " + extension);
    std::snprintf(path, 260, "%s", full_path(save_name).c_str());
    std::snprintf(title, 512, "%s", save_name.c_str());
    return !save_name.empty();
  }
  static std::string full_path(const std::string& name) { return (std::filesystem::current_path() / name).string(); }

  std::vector<box_record> boxes;
  std::deque<int> answers;  // IDOK, IDCANCEL, IDYES, IDNO ... in the order asked; else OK or No
  std::vector<int> waits;
  std::function<void()> on_wait;
  std::vector<std::string> dialogs;
  std::function<INT_PTR()> on_dialog;  // without it the real modal dialog runs
  int open_choice = 0;
  std::string open_name, save_name;
  std::vector<std::string> save_dialogs;  // [caption: ]proposed path | filter | extension; "open " for reading
};

inline bool enabled(HWND window, int id) {
  const UINT state = GetMenuState(GetMenu(window), static_cast<UINT>(id), MF_BYCOMMAND);
  EXPECT_NE(state, static_cast<UINT>(-1)) << "no menu item " << id;
  return (state & (MF_GRAYED | MF_DISABLED)) == 0;
}
inline bool checked(HWND window, int id) {
  return (GetMenuState(GetMenu(window), static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED) != 0;
}
inline std::string title(HWND window) {
  char text[512] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}
inline RECT rect_of(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}
inline LRESULT command(HWND window, int id) { return SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
// Types the characters into the window, with Shift held or not.
inline void type_chars(HWND window, const std::string& keys, bool shift = false) {
  BYTE held[256];
  GetKeyboardState(held);
  held[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(held);
  for (char key : keys) SendMessageA(window, WM_CHAR, static_cast<BYTE>(key), 1);
  held[VK_SHIFT] = 0;
  SetKeyboardState(held);
}
// The focused widget's index with h or m for a time field's part, or "none".
inline std::string focus_name(widget_container& widgets) {
  if (widgets.focus_index < 0) return "none";
  auto* time = dynamic_cast<time_field_type*>(widgets.focused());
  return std::to_string(widgets.focus_index) + (time ? (time->focused_part ? "m" : "h") : "");
}
// The size of a text in the window's display or print font.
inline SIZE text_size(const win_type& w, const std::string& text, bool print = false) {
  HDC hdc = GetDC(w.window);
  HGDIOBJ old = SelectObject(hdc, print ? w.print_font : w.display_font);
  SIZE size{};
  GetTextExtentPoint32A(hdc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(hdc, old);
  ReleaseDC(w.window, hdc);
  return size;
}
// What the drawing does in the window, on the screen or on paper as the window's print does.
inline std::vector<drawn_item> recorded(win_type& w, const std::function<void(HDC)>& draw, bool paper = false) {
  auto items = record_drawing([&](HDC hdc) {
    w.printing = paper ? 1 : 0;
    w.printer_dc = paper ? hdc : nullptr;
    draw(hdc);
  });
  w.printing = 0;
  w.printer_dc = nullptr;
  return items;
}

// Each test runs in a fresh temporary directory as the current directory, where the
// preferences file and the documents go.
class app_fixture : public ::testing::Test {
 protected:
  void SetUp() override {
    char base[MAX_PATH], name[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    ASSERT_NE(GetTempFileNameA(base, "ngt", 0, name), 0u);
    std::filesystem::remove(name);
    std::filesystem::create_directory(directory = name);
    std::filesystem::current_path(directory);
    take_quit();
  }
  void TearDown() override {
    current_ui_effects() = system_ui_effects();
    app.reset();
    take_quit();
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(directory);
  }

  // A started application; by default the preferences name COM3, so no port dialog.
  test_app& start_app(const char* preferences = "port = COM3\n") {
    if (preferences) write_file("somnprefs.txt", preferences);
    app = std::make_unique<test_app>();
    app->start();
    return *app;
  }
  // Whether WM_QUIT was posted since the last call, taking it off the queue.
  static bool take_quit(int* code = nullptr) {
    MSG msg;
    bool quit = false;
    for (; PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE); quit = true)
      if (code) *code = static_cast<int>(msg.wParam);
    return quit;
  }
  static void write_file(const char* name, const std::string& bytes) { std::ofstream(name, std::ios::binary) << bytes; }
  static std::string read_file(const char* name) {
    std::ostringstream text;
    text << std::ifstream(name, std::ios::binary).rdbuf();
    return text.str();
  }

  data_win_type* data_win() const { return app->data_document ? app->data_document->data_window.get() : nullptr; }
  plot_win_type* plot_win() const { return app->data_document ? app->data_document->plot_window.get() : nullptr; }
  settings_win_type* settings_win() const {
    return app->settings_document ? app->settings_document->settings_window.get() : nullptr;
  }
  // Replaces the application's device link by one on a fake port that serves from the simulator's
  // engine, or that never opens when there is none; the port number stays.
  fake_port& use_test_link(sim_engine* engine = nullptr) {
    auto port = std::make_unique<fake_port>(engine);
    port->open_succeeds = engine != nullptr;
    auto link = std::make_unique<device_link>(app.get(), port->io());
    link->port_number = app->link->port_number;
    app->link = std::move(link);
    test_port = std::move(port);
    return *test_port;
  }
  // Adds a record to the data window and makes it current, behind the menus' back.
  void add_record() const {
    data_win()->records.emplace_back();
    data_win()->current_index = data_win()->record_count() - 1;
  }

  std::filesystem::path directory, previous = std::filesystem::current_path();
  std::unique_ptr<fake_port> test_port;  // the port of use_test_link's link
  std::unique_ptr<test_app> app;
};

// The same with the application started on the default preferences.
class started_app : public app_fixture {
 protected:
  void SetUp() override {
    app_fixture::SetUp();
    start_app();
  }
};
