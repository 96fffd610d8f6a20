// The real application on a scripted desktop, in a fresh folder.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "../device/test_link.h"
#include "../ui/emf_recording.h"
#include "app/app_type.h"
#include "app/data_doc.h"
#include "app/settings_doc.h"
#include "datawin/data_win_type.h"
#include "device/device_link.h"
#include "plotwin/plot_win_type.h"
#include "plotwin/trends_win_type.h"
#include "res/resource_ids.h"
#include "settingswin/settings_win_type.h"
#include "ui/desktop_io.h"
#include "ui/help_line_type.h"
#include "ui/time_field_type.h"
#include "ui/win_print.h"

using strings = std::vector<std::string>;
inline constexpr COLORREF gray = RGB(180, 180, 180);  // disabled widgets, gray series

struct box_record {
  std::string text, caption;
};

// A desktop whose boxes and file dialogs are scripted and recorded; it never waits.
struct scripted_io : desktop_io {
  int message_box(const std::string& text, const char* caption, UINT type) override {
    boxes.push_back({text, caption});
    const int answer = answers.empty() ? ((type & MB_TYPEMASK) == MB_YESNOCANCEL ? IDNO : IDOK) : answers.front();
    if (!answers.empty()) answers.pop_front();
    return answer;
  }
  // The chosen file is named relative to the current directory and given as a full path.
  bool choose_file(HINSTANCE, file_choice& choice) override {
    const bool save = choice.mode == file_choice::kind::save;
    file_dialogs.push_back(choice.path);
    const std::string& name = save ? save_name : open_name;
    if (name.empty()) return false;
    choice.path = (std::filesystem::current_path() / name).string();
    choice.title = name;
    choice.filter_index = 1;
    return true;
  }
  void wait_ms(int) override {}                     // the start-up picture stays no time
  void track_popup(HMENU, POINT, HWND) override {}  // a popup menu chooses nothing
  void beep() override { ++beeps; }
  void pause(int) override {}  // a pressed button shows itself no time

  std::vector<box_record> boxes;
  std::deque<int> answers;                // IDOK, IDYES ... in the order asked; else OK or No
  std::vector<std::string> file_dialogs;  // the paths they proposed
  std::string open_name, save_name;       // "" cancels the file dialog
  int beeps = 0;
};

inline std::string title(HWND window) {
  char text[512] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}
inline LRESULT command(HWND window, int id) { return SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
inline void type_chars(HWND window, const std::string& keys, bool shift = false) {
  BYTE held[256];
  GetKeyboardState(held);
  held[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(held);
  for (char key : keys) SendMessageA(window, WM_CHAR, static_cast<BYTE>(key), 1);
  held[VK_SHIFT] = 0;
  SetKeyboardState(held);
}
inline void size_client(HWND window, int width, int height) {
  for (int i = 0; i < 2; ++i) {  // again when the menu bar changed its lines
    RECT c{}, r{};
    GetClientRect(window, &c);
    GetWindowRect(window, &r);
    SetWindowPos(window, nullptr, 0, 0, r.right - r.left + width - c.right, r.bottom - r.top + height - c.bottom,
                 SWP_NOMOVE | SWP_NOZORDER);
  }
}
inline void key_down(HWND window, WPARAM key) { SendMessageA(window, WM_KEYDOWN, key, 1); }
// The focused widget's index with h or m for a time field's part, or "none".
inline std::string focus_name(widget_container& widgets) {
  if (widgets.focus_index < 0) return "none";
  auto* time = dynamic_cast<time_field_type*>(widgets.focused());
  return std::to_string(widgets.focus_index) + (time ? (time->focused_part ? "m" : "h") : "");
}
// The clipboard's text, with its memory's full size when `whole`.
inline std::string clipboard_text(bool whole = false) {
  if (!OpenClipboard(nullptr)) return "no clipboard";
  HANDLE memory = GetClipboardData(CF_TEXT);
  const char* text = memory ? static_cast<const char*>(GlobalLock(memory)) : nullptr;
  const std::string copied = !text ? "" : whole ? std::string(text, GlobalSize(memory)) : text;
  if (text) GlobalUnlock(memory);
  CloseClipboard();
  return copied;
}
// The points of a drawn line, or false for another shape.
inline bool line_of(const drawn_item& item, long& x1, long& y1, long& x2, long& y2) {
  return std::sscanf(item.shape.c_str(), "line %ld,%ld %ld,%ld", &x1, &y1, &x2, &y2) == 4;
}

// Runs a modal dialog with steps from a thread timer: each tick that finds the dialog runs the next step on it.
struct dialog_driver {
  const char* caption;
  std::vector<std::function<void(HWND)>> steps;
  size_t next = 0;
  inline static dialog_driver* current = nullptr;

  static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = FindWindowA("#32770", current->caption);
    if (!dialog || !IsWindowVisible(dialog)) return;
    if (current->next++ < current->steps.size())
      current->steps[current->next - 1](dialog);
    else
      EndDialog(dialog, 99);  // out of steps: a failing test must not hang
  }
  // True when the dialog ended with the last step.
  bool drive(const std::function<void()>& run_modal) {
    current = this;
    const UINT_PTR timer = SetTimer(nullptr, 0, 5, tick);
    run_modal();
    KillTimer(nullptr, timer);
    return next == steps.size();
  }
};

inline void escape(HWND dialog) { PostMessageA(GetFocus() ? GetFocus() : dialog, WM_KEYDOWN, VK_ESCAPE, 0); }
inline void press(HWND dialog, int id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Each test runs in a fresh temporary directory, where the preferences file and the documents go.
class app_fixture : public ::testing::Test {
 protected:
  void SetUp() override {
    static int made = 0;
    directory = std::filesystem::temp_directory_path() / text_of("ngt%lu-%d", GetCurrentProcessId(), ++made);
    std::filesystem::create_directories(directory);
    std::filesystem::current_path(directory);
    take_quit();
  }
  void TearDown() override {
    app.reset();
    take_quit();
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(directory);
  }
  // The preferences name COM3, so that no port dialog comes.
  app_type& start_app(int show = SW_HIDE) {
    std::ofstream("somnprefs.txt", std::ios::binary) << "port = COM3\n";
    auto desktop = std::make_unique<scripted_io>();
    io = desktop.get();
    app.reset();
    app = std::make_unique<app_type>(GetModuleHandleA(nullptr), show, std::move(desktop),
                                     std::make_unique<printer_type>());
    return *app;
  }
  // Whether WM_QUIT was posted since the last call, taking it off the queue.
  static bool take_quit() {
    MSG msg;
    bool quit = false;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) quit = true;
    return quit;
  }
  static std::string read_file(const char* name) {
    std::ostringstream text;
    text << std::ifstream(name, std::ios::binary).rdbuf();
    return text.str();
  }

  data_win_type* data_win() const { return app->data_document ? app->data_document->data_window.get() : nullptr; }
  plot_win_type* plot_win() const { return app->data_document->plot_window.get(); }
  trends_win_type* trends_win() const { return app->data_document->trends_window.get(); }
  settings_win_type* settings_win() const {
    return app->settings_document ? app->settings_document->settings_window.get() : nullptr;
  }
  data_model& model() const { return app->data_document->model; }
  // A device link on a fake port that serves from the engine, or never opens without one.
  fake_port& use_fake_port(sim_engine* engine = nullptr) {
    port = std::make_unique<fake_port>(engine);
    port->open_succeeds = engine != nullptr;
    auto link = std::make_unique<device_link>(app.get(), port->io());
    link->port_number = app->link()->port_number;
    app->device = std::move(link);
    return *port;
  }
  void add_records(int count = 1) const {
    for (int i = 0; i < count; ++i) model().append_night(reset_device_block());
  }

  std::filesystem::path directory, previous = std::filesystem::current_path();
  scripted_io* io = nullptr;
  std::unique_ptr<fake_port> port;
  std::unique_ptr<app_type> app;
};

class started_app : public app_fixture {
 protected:
  void SetUp() override {
    app_fixture::SetUp();
    start_app();
  }
};
