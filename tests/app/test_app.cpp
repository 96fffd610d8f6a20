// The fixture of the application tests: temporary directory, started application, helpers.
#include "test_app.h"

#include <cstdio>
#include <fstream>
#include <sstream>

void app_fixture::SetUp() {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  char name[MAX_PATH];
  ASSERT_NE(GetTempFileNameA(base, "ngt", 0, name), 0u);
  DeleteFileA(name);
  ASSERT_TRUE(CreateDirectoryA(name, nullptr));
  directory = name;
  char current[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, current);
  previous_directory = current;
  ASSERT_TRUE(SetCurrentDirectoryA(directory.c_str()));
  take_quit();
}

void app_fixture::TearDown() {
  app.reset();
  take_quit();
  SetCurrentDirectoryA(previous_directory.c_str());
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string entry = directory + "\\" + found.cFileName;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveDirectoryA(entry.c_str());
      else
        DeleteFileA(entry.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(directory.c_str());
}

void app_fixture::write_prefs(const char* line) {
  std::FILE* file = std::fopen("somnprefs.txt", "w");
  ASSERT_NE(file, nullptr);
  std::fputs(line, file);
  std::fclose(file);
}

std::string app_fixture::read_file(const char* name) {
  std::ifstream in(name, std::ios::binary);
  if (!in)
    return "";
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool app_fixture::file_exists(const char* name) { return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES; }

test_app& app_fixture::started_app() {
  write_prefs("port = COM3\n");
  app = std::make_unique<test_app>();
  app->start();
  return *app;
}

bool app_fixture::take_quit(int* code) {
  MSG msg;
  bool quit = false;
  while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    quit = true;
    if (code)
      *code = static_cast<int>(msg.wParam);
  }
  return quit;
}

UINT menu_state(HWND window, int id) { return GetMenuState(GetMenu(window), static_cast<UINT>(id), MF_BYCOMMAND); }

bool item_enabled(HWND window, int id) {
  UINT state = menu_state(window, id);
  EXPECT_NE(state, static_cast<UINT>(-1)) << "no menu item " << id;
  return (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

bool item_checked(HWND window, int id) { return (menu_state(window, id) & MF_CHECKED) != 0; }

std::string window_title(HWND window) {
  char text[512] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string class_of(HWND window) {
  char name[128] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

data_win_type* data_window(app_type& app) {
  return app.data_document ? app.data_document->data_window.get() : nullptr;
}

plot_win_type* plot_window(app_type& app) {
  return app.data_document ? app.data_document->plot_window.get() : nullptr;
}

settings_win_type* settings_window(app_type& app) {
  return app.settings_document ? app.settings_document->settings_window.get() : nullptr;
}

void add_record(app_type& app) {
  data_win_type* window = data_window(app);
  window->records.push_back(std::make_unique<data_record>());
  window->current_index = window->record_count() - 1;
  app.update_all_menus();
}

LRESULT command(HWND window, int id) { return SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
