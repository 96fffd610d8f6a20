// The window tests' support: the real application on a scripted desktop (message boxes, file dialogs,
// dialogs, waits) and a printer that draws into a metafile, each test in a fresh folder.
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
#include "app/app_type.h"
#include "app/data_doc.h"
#include "app/msg_win_type.h"
#include "app/settings_doc.h"
#include "datawin/data_win_type.h"
#include "device/device_link.h"
#include "plotwin/plot_win_type.h"
#include "plotwin/trends_win_type.h"
#include "res/resource_ids.h"
#include "settingswin/settings_win_type.h"
#include "ui/desktop_io.h"
#include "ui/time_field_type.h"
#include "ui/win_print.h"

using strings = std::vector<std::string>;
inline constexpr COLORREF gray = RGB(180, 180, 180);  // disabled widgets, the cue bracket, not-delivered cues

// One message box asked for, and whether the status or About window was open then.
struct box_record {
  std::string text, caption;
  UINT type;
  bool status_or_about_open;
};

// A desktop whose boxes, file dialogs, dialogs and pauses are scripted and recorded.
struct scripted_io : desktop_io {
  int message_box(const std::string& text, const char* caption, UINT type) override {
    boxes.push_back({text, caption, type, app && (app->status_window || app->about_window)});
    if (on_box) on_box(boxes.back());
    const int answer = answers.empty() ? ((type & MB_TYPEMASK) == MB_YESNOCANCEL ? IDNO : IDOK) : answers.front();
    if (!answers.empty()) answers.pop_front();
    return answer;
  }
  void wait_ms(int milliseconds) override {
    waits.push_back(milliseconds);
    if (on_wait) on_wait();
  }
  INT_PTR run_dialog(HINSTANCE instance, const char* name, DLGPROC procedure, HWND owner, LPARAM state) override {
    dialogs.push_back(name);
    return on_dialog ? on_dialog(name, state) : desktop_io::run_dialog(instance, name, procedure, owner, state);
  }
  // The chosen files are named relative to the current directory and given as full paths.
  bool choose_file(HINSTANCE, file_choice& choice) override {
    const bool save = choice.mode == file_choice::kind::save;
    file_dialogs.push_back(std::string(save ? "" : "open ") +
                           (choice.caption ? choice.caption + std::string(": ") : "") + choice.path + " | " +
                           choice.filter + " | " + choice.extension);
    const std::string& name = save ? save_name : open_name;
    if (name.empty()) return false;
    choice.path = (std::filesystem::current_path() / name).string();
    choice.title = name;
    choice.filter_index = open_filter;
    if (on_chosen) on_chosen();
    return true;
  }
  void beep() override { ++beeps; }
  void pause(int milliseconds) override {
    pauses.push_back(milliseconds);
    if (on_pause) on_pause();
  }
  void track_popup(HMENU menu, POINT screen, HWND owner) override {
    if (on_popup) on_popup(menu, screen, owner);
    if (popup_choice >= 0) SendMessageA(owner, WM_COMMAND, GetMenuItemID(menu, popup_choice), 0);
  }

  const app_type* app = nullptr;
  std::vector<box_record> boxes;
  std::deque<int> answers;  // IDOK, IDCANCEL, IDYES, IDNO ... in the order asked; else OK or No
  std::function<void(const box_record&)> on_box;
  std::vector<int> waits;
  std::function<void()> on_wait;
  std::vector<std::string> dialogs;
  std::function<INT_PTR(const std::string& name, LPARAM state)> on_dialog;  // else the real modal dialog
  std::string open_name, save_name;                                         // "" cancels the dialog
  int open_filter = 1;                    // the open dialog's filter: 1 data, 2 settings
  std::vector<std::string> file_dialogs;  // [open ][caption: ]proposed path | filter | extension
  std::function<void()> on_chosen;        // right after a file was chosen
  int beeps = 0;
  std::vector<int> pauses;
  std::function<void()> on_pause;
  int popup_choice = -1;  // the item a popup menu chooses; -1 none
  // Called as a popup menu opens, before the choice is sent.
  std::function<void(HMENU menu, POINT screen, HWND owner)> on_popup;
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
    request.hDC = nullptr;
  }
  int step(const std::string& name) {
    calls += name + (app && app->status_window ? "+|" : "|");
    SetLastError(5);
    return !failing.empty() && name.rfind(failing, 0) == 0 ? 0 : 1;
  }

  int answer = 0;
  DWORD error = 0;
  std::string failing, calls;
  std::vector<drawn_item> drawn;
  const app_type* app = nullptr;
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
// Resizes the window so that its client area has this size.
inline void size_client(HWND window, int width, int height) {
  for (int i = 0; i < 2; ++i) {  // again when the menu bar changed its lines
    RECT c{}, r = rect_of(window);
    GetClientRect(window, &c);
    SetWindowPos(window, nullptr, 0, 0, r.right - r.left + width - c.right, r.bottom - r.top + height - c.bottom,
                 SWP_NOMOVE | SWP_NOZORDER);
  }
}
inline void key_down(HWND window, WPARAM key) { SendMessageA(window, WM_KEYDOWN, key, 1); }
inline void click(HWND window, int x, int y) { SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
// The focused widget's index with h or m for a time field's part, or "none".
inline std::string focus_name(widget_container& widgets) {
  if (widgets.focus_index < 0) return "none";
  auto* time = dynamic_cast<time_field_type*>(widgets.focused());
  return std::to_string(widgets.focus_index) + (time ? (time->focused_part ? "m" : "h") : "");
}
// What the drawing does in the window, on the screen or on paper as the window's print does.
inline std::vector<drawn_item> recorded(win_type& w, const std::function<void(HDC)>& draw, bool paper = false) {
  auto items = record_drawing([&](HDC hdc) {
    w.printing = paper;
    w.printer_dc = paper ? hdc : nullptr;
    draw(hdc);
  });
  w.printing = false;
  w.printer_dc = nullptr;
  return items;
}

// The application behind the open window of that class, read from the window: during the start-up
// the fixture does not hold the application yet.
inline app_type* app_behind(const char* window_class) {
  const HWND found = FindWindowA(window_class, nullptr);
  auto* object = found ? reinterpret_cast<win_type*>(GetWindowLongPtrA(found, GWLP_USERDATA)) : nullptr;
  return object ? dynamic_cast<app_type*>(&object->host) : nullptr;
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
    app.reset();
    take_quit();
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(directory);
  }

  // The application started on this desktop and printer; by default the preferences name COM3, so
  // that no port dialog comes. `before` sets up the desktop's script for the start-up.
  app_type& start_app(const char* preferences = "port = COM3\n", int show = SW_HIDE,
                      const std::function<void(scripted_io&)>& before = nullptr) {
    if (preferences) write_file("somnprefs.txt", preferences);
    auto desktop = std::make_unique<scripted_io>();
    auto paper = std::make_unique<test_printer>();
    io = desktop.get();
    printer = paper.get();
    if (before) before(*io);
    app.reset();
    app = std::make_unique<app_type>(GetModuleHandleA(nullptr), show, std::move(desktop), std::move(paper));
    io->app = printer->app = app.get();
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
  trends_win_type* trends_win() const { return app->data_document ? app->data_document->trends_window.get() : nullptr; }
  settings_win_type* settings_win() const {
    return app->settings_document ? app->settings_document->settings_window.get() : nullptr;
  }
  data_model& model() const { return app->data_document->model; }
  // Replaces the application's device link by one on a fake port that serves from the simulator's
  // engine, or that never opens when there is none; the port number stays.
  fake_port& use_fake_port(sim_engine* engine = nullptr) {
    port = std::make_unique<fake_port>(engine);
    port->open_succeeds = engine != nullptr;
    auto link = std::make_unique<device_link>(app.get(), port->io());
    link->port_number = app->link()->port_number;
    app->device = std::move(link);
    return *port;
  }
  // Adds records to the data document and shows the last, as a download would.
  void add_records(int count = 1) const {
    for (int i = 0; i < count; ++i) model().append_night(reset_device_block());
  }

  std::filesystem::path directory, previous = std::filesystem::current_path();
  scripted_io* io = nullptr;        // the application's
  test_printer* printer = nullptr;  // the application's
  std::unique_ptr<fake_port> port;  // the link's after use_fake_port
  std::unique_ptr<app_type> app;
};

// The same with the application started on the default preferences.
class started_app : public app_fixture {
 protected:
  void SetUp() override {
    app_fixture::SetUp();
    start_app();
  }
};
