// The program's own desktop: message boxes, Sleep, dialogs, the file dialogs, Beep and popup menus.
#include "ui/desktop_io.h"

#include <commdlg.h>

#include <vector>

namespace {
constexpr DWORD path_characters = MAX_PATH;
constexpr DWORD title_characters = MAX_PATH;
}  // namespace

int desktop_io::message_box(const std::string& text, const char* caption, UINT type) {
  return MessageBoxA(nullptr, text.c_str(), caption, type);
}

void desktop_io::wait_ms(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

INT_PTR desktop_io::run_dialog(HINSTANCE instance, const char* template_name, DLGPROC procedure, HWND owner,
                               LPARAM state) {
  return DialogBoxParamA(instance, template_name, owner, procedure, state);
}

bool desktop_io::choose_file(HINSTANCE instance, file_choice& choice) {
  std::vector<char> path(path_characters + 4, '\0');
  std::vector<char> title(title_characters, '\0');
  choice.path.copy(path.data(), path_characters - 1);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = choice.owner;
  ofn.hInstance = instance;
  ofn.lpstrFilter = choice.filter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = path.data();
  ofn.nMaxFile = path_characters;
  ofn.lpstrFileTitle = title.data();
  ofn.nMaxFileTitle = title_characters;
  ofn.lpstrDefExt = choice.extension;
  ofn.lpstrTitle = choice.caption;
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_LONGNAMES | OFN_NOREADONLYRETURN;
  if (choice.mode != file_choice::kind::save) ofn.Flags |= OFN_FILEMUSTEXIST;
  const BOOL chosen = choice.mode == file_choice::kind::save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!chosen) return false;
  choice.path = path.data();
  choice.title = title.data();
  choice.filter_index = ofn.nFilterIndex == 2 ? 2 : 1;
  return true;
}

void desktop_io::beep() { Beep(0, 0); }

void desktop_io::pause(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

void desktop_io::track_popup(HMENU menu, POINT screen, HWND owner) {
  TrackPopupMenu(menu, 0, screen.x, screen.y, 0, owner, nullptr);
}
