// A test application whose message boxes, file dialogs, dialogs and waits are scripted, and its fixture.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

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

// One message box the application asked for, with what was open at that moment.
struct box_record {
  std::string text;
  std::string caption;
  UINT type;
  bool status_open;
  bool about_open;
};

class test_app : public app_type {
 public:
  test_app() : app_type(GetModuleHandleA(nullptr), SW_HIDE, no_startup_tag{}) {}
  using app_type::start;

  int message_box(const char* text, const char* caption, UINT type) override {
    boxes.push_back({text, caption, type, status_window != nullptr, about_window != nullptr});
    if (!answers.empty()) {
      int answer = answers.front();
      answers.pop_front();
      return answer;
    }
    return (type & MB_TYPEMASK) == MB_YESNOCANCEL ? IDNO : IDOK;
  }

  void wait_ms(int milliseconds) override {
    waits.push_back(milliseconds);
    if (on_wait)
      on_wait();
  }

  INT_PTR run_dialog(const char* template_name, DLGPROC procedure) override {
    dialogs.push_back(template_name);
    if (on_dialog)
      return on_dialog(template_name, procedure);
    return app_type::run_dialog(template_name, procedure);
  }

  int choose_file_to_open(char* path, char* title) override {
    ++open_dialogs;
    snprintf(path, 264, "%s", open_path.c_str());
    snprintf(title, 512, "%s", open_title.c_str());
    return open_choice;
  }

  int choose_file_to_save(char* path, char* title, const char* filter, const char* extension, HWND) override {
    save_proposals.push_back(path);
    save_filters.push_back(filter);
    save_extensions.push_back(extension);
    if (save_path.empty())
      return 0;
    snprintf(path, 260, "%s", save_path.c_str());
    snprintf(title, 512, "%s", save_title.c_str());
    return 1;
  }

  std::vector<box_record> boxes;
  std::deque<int> answers;  // IDOK, IDCANCEL, IDYES, IDNO ... in the order asked
  std::vector<int> waits;
  std::function<void()> on_wait;
  std::vector<std::string> dialogs;
  std::function<INT_PTR(const char*, DLGPROC)> on_dialog;
  int open_dialogs = 0;
  int open_choice = 0;
  std::string open_path, open_title;
  std::vector<std::string> save_proposals, save_filters, save_extensions;
  std::string save_path, save_title;
};

// Each test runs in a fresh temporary directory, which is the current directory, so
// that the preferences file and documents stay apart.
class app_fixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes the preferences file of the current directory.
  void write_prefs(const char* line);
  std::string read_file(const char* name);  // "" when missing
  bool file_exists(const char* name);
  std::string path_of(const char* name) const { return directory + "\\" + name; }

  // A started application (preferences say COM3, so no port dialog).
  test_app& started_app();

  // WM_QUIT posted to this thread since the last call; takes it off the queue.
  static bool take_quit(int* code = nullptr);

  std::string directory;
  std::string previous_directory;
  std::unique_ptr<test_app> app;
};

// Helpers on menus and windows.
UINT menu_state(HWND window, int id);  // GetMenuState by command
bool item_enabled(HWND window, int id);
bool item_checked(HWND window, int id);
std::string window_title(HWND window);
std::string class_of(HWND window);

data_win_type* data_window(app_type& app);
plot_win_type* plot_window(app_type& app);
settings_win_type* settings_window(app_type& app);

// Adds a record to the data window, makes it current and refreshes the menus.
void add_record(app_type& app);

// Sends a menu command as the window procedure receives it.
LRESULT command(HWND window, int id);
