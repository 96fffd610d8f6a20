// Opening the document named on the program's command line.
#include "app/command_line.h"

#include <windows.h>

#include "app/app_type.h"
#include "app/base_doc.h"

std::string file_of_command_line(const char* command_line) {
  std::string line = command_line ? command_line : "";
  const size_t quote = line.find('"');
  if (quote != std::string::npos) {
    const size_t end = line.find('"', quote + 1);
    return line.substr(quote + 1, end == std::string::npos ? std::string::npos : end - quote - 1);
  }
  const char* blanks = " \t\r\n";
  const size_t first = line.find_first_not_of(blanks);
  if (first == std::string::npos) return "";
  return line.substr(first, line.find_last_not_of(blanks) - first + 1);
}

void open_from_command_line(app_type& app, const char* command_line) {
  const std::string name = file_of_command_line(command_line);
  MSG quit;
  if (name.empty() || PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) return;
  // The document remembers the full path, so that Save writes where the file came from.
  const DWORD needed = GetFullPathNameA(name.c_str(), 0, nullptr, nullptr);
  std::string path(needed, '\0');
  char* file_part = nullptr;
  const DWORD length = needed ? GetFullPathNameA(name.c_str(), needed, path.data(), &file_part) : 0;
  if (length == 0 || length >= needed) {
    app.show_message("Couldn't open file.");
    return;
  }
  const std::string title = file_part ? file_part : path.c_str();
  path.resize(length);
  if (find_suffix(path, ".sl2") >= 0)
    app.open_settings_file(path, title);
  else
    app.open_data_file(path, title);
  app.update_all_menus();
}
