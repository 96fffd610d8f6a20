// The application object: start-up, message loop, document commands and the shared services.
#include "app/app_type.h"

#include <commdlg.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "app/about_win_type.h"
#include "app/app_dialogs.h"
#include "app/data_doc.h"
#include "app/msg_win_type.h"
#include "app/preferences.h"
#include "app/settings_doc.h"
#include "datawin/data_win_type.h"
#include "device/device_link.h"
#include "exchange/exchange_files.h"
#include "model/doc_file.h"
#include "settingswin/settings_win_type.h"
#include "ui/win_print.h"
#include "ui/win_type.h"

namespace {

constexpr int path_size = 264;
constexpr int title_size = 512;

// Copies at most size - 1 characters and always terminates.
void copy_bounded(char* to, int size, const char* from) {
  std::snprintf(to, static_cast<size_t>(size), "%s", from ? from : "");
}

// The open and save dialogs: first filter preselected, 260 characters of path, 512 of title.
OPENFILENAMEA file_dialog(HINSTANCE instance, HWND owner, const char* filter, const char* extension, char* path,
                          char* title) {
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.hInstance = instance;
  ofn.lpstrFilter = filter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = path;
  ofn.nMaxFile = 260;
  ofn.lpstrFileTitle = title;
  ofn.nMaxFileTitle = title_size;
  ofn.lpstrDefExt = extension;
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_LONGNAMES | OFN_NOREADONLYRETURN;
  return ofn;
}

// Opening and reverting work alike for both kinds of document; `data` picks the kind.
base_doc* document_of(app_type& app, bool data) {
  if (data) return app.data_document.get();
  return app.settings_document.get();
}

void create_document(app_type& app, bool data) {
  if (data)
    app.create_data_doc();
  else
    app.create_settings_doc();
}

void open_file(app_type& app, bool data, const char* path, const char* title) {
  app.show_new_windows = 0;
  create_document(app, data);  // its windows stay hidden until the file has placed them
  app.show_new_windows = 1;

  base_doc* doc = document_of(app, data);
  std::FILE* file = open_doc_file(path, "rb");
  if (!file) {
    doc->main_window()->show();  // an empty document is better seen than lost
    app.show_message("Couldn't open file.");
    return;
  }
  const int result = doc->read_from_file(file);
  std::fclose(file);
  if (result == 1) {
    char name[title_size];
    copy_bounded(name, title_size, title);
    app.strip_extension(name, doc->names.extension);
    SetWindowTextA(doc->main_window()->window, name);
    copy_bounded(doc->path, 261, path);
    return;
  }
  create_document(app, data);
  char text[64];
  std::snprintf(text, sizeof text, "Couldn't read file: %d", result);
  app.show_message(text);
}

void revert(app_type& app, bool data) {
  if (app.refused_while_dialog_open()) return;
  base_doc* doc = document_of(app, data);
  if (!doc || !doc->confirm_revert()) return;
  char title[title_size] = "";
  doc->get_title(title, title_size);
  app.add_extension(title, doc->names.extension);
  char path[path_size];
  copy_bounded(path, path_size, doc->path);
  open_file(app, data, path, title);
  app.update_all_menus();
}

}  // namespace

app_type::app_type(HINSTANCE instance_handle, int show, no_startup_tag)
    : instance(instance_handle), show_command(show), printer(std::make_unique<printer_type>()) {
  std::snprintf(version, sizeof version, "%s", program_version);  // the text the command line reports too
}

app_type::app_type(HINSTANCE instance_handle, int show) : app_type(instance_handle, show, no_startup_tag{}) { start(); }

void app_type::start() {
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  link = std::make_unique<device_link>(this);  // reads the port from the preferences file
  _tzset();
  create_data_doc();
  create_settings_doc();
  show_about();
  wait_ms(1000);  // the picture was painted by its creation; nothing else happens meanwhile
  close_about();
  if (link->port_number < 1) default_port_dialog();
}

app_type::~app_type() {
  data_document.reset();
  settings_document.reset();
  link.reset();
  status_window.reset();
  about_window.reset();
}

int app_type::run() {
  MSG msg{};
  BOOL got;
  while ((got = GetMessageA(&msg, nullptr, 0, 0)) != 0) {
    if (got == -1) return 0;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

bool app_type::refused_while_dialog_open() {
  if (open_dialogs == 0) return false;
  MessageBeep(MB_ICONEXCLAMATION);
  return true;
}

void app_type::quit() {
  if (refused_while_dialog_open()) return;
  if (data_document) {
    if (!data_document->query_close()) return;
    data_document.reset();
    update_all_menus();
  }
  if (settings_document) {
    if (!settings_document->query_close()) return;
    settings_document.reset();
  }
  PostQuitMessage(0);
}

void app_type::new_data_window(int ask) {
  if (refused_while_dialog_open()) return;
  if (ask && data_document && !data_document->confirm_replace()) return;
  create_data_doc();
}

void app_type::create_data_doc() {
  data_document.reset();
  data_document = std::make_unique<data_doc>(this);
  update_all_menus();
}

void app_type::new_settings_window(int ask) {
  if (refused_while_dialog_open()) return;
  if (ask && settings_document && !settings_document->confirm_replace()) return;
  create_settings_doc();
}

void app_type::create_settings_doc() {
  settings_document.reset();
  settings_document = std::make_unique<settings_doc>(this);
  update_all_menus();
}

void app_type::close_data_doc() {
  if (refused_while_dialog_open()) return;
  if (!data_document || !data_document->query_close()) return;
  data_document.reset();
  update_all_menus();
  if (!settings_document) PostQuitMessage(0);
}

void app_type::close_settings_doc() {
  if (refused_while_dialog_open()) return;
  if (!settings_document || !settings_document->query_close()) return;
  settings_document.reset();
  update_all_menus();
  if (!data_document) PostQuitMessage(0);
}

void app_type::open_document() {
  if (refused_while_dialog_open()) return;
  char path[path_size] = "";
  char title[title_size] = "";
  const int chosen = choose_file_to_open(path, title);
  path[path_size - 1] = '\0';
  title[title_size - 1] = '\0';
  if (chosen == 1) {
    if (!data_document || data_document->confirm_replace()) open_data_file(path, title);
  } else if (chosen == 2) {
    if (!settings_document || settings_document->confirm_replace()) open_settings_file(path, title);
  }
  update_all_menus();
}

int app_type::choose_file_to_open(char* path, char* title) {
  OPENFILENAMEA ofn = file_dialog(instance, nullptr, "Somnolux Data (*.SL1)\0*.sl1\0Somnolux Settings (*.SL2)\0*.sl2\0",
                                  "sl1", path, title);
  ofn.Flags |= OFN_FILEMUSTEXIST;
  dialog_scope open(*this);
  if (!GetOpenFileNameA(&ofn)) return 0;
  return ofn.nFilterIndex == 2 ? 2 : 1;
}

int app_type::choose_file_to_save(char* path, char* title, const char* filter, const char* extension, HWND owner,
                                  const char* caption) {
  OPENFILENAMEA ofn = file_dialog(instance, owner, filter, extension, path, title);
  ofn.lpstrTitle = caption;
  dialog_scope open(*this);
  return GetSaveFileNameA(&ofn) ? 1 : 0;
}

int app_type::choose_file_to_read(char* path, char* title, const char* filter, const char* extension, HWND owner) {
  OPENFILENAMEA ofn = file_dialog(instance, owner, filter, extension, path, title);
  ofn.Flags |= OFN_FILEMUSTEXIST;
  dialog_scope open(*this);
  return GetOpenFileNameA(&ofn) ? 1 : 0;
}

void app_type::open_data_file(const char* path, const char* title) { open_file(*this, true, path, title); }

void app_type::open_settings_file(const char* path, const char* title) { open_file(*this, false, path, title); }

void app_type::revert_data_doc() { revert(*this, true); }

void app_type::revert_settings_doc() { revert(*this, false); }

void app_type::update_all_menus() {
  if (data_document) data_document->update_menus();
  if (settings_document) settings_document->update_menus();
}

void app_type::show_message(const char* text) {
  close_about();
  close_status();
  message_box(text, "Message", MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
}

int app_type::ask_ok_cancel(const char* text, const char* caption) {
  close_about();
  close_status();
  return message_box(text, caption, MB_OKCANCEL | MB_ICONQUESTION | MB_TASKMODAL) == IDOK ? 1 : 0;
}

int app_type::ask_yes_no_cancel(const char* text, const char* caption) {
  close_about();
  close_status();
  switch (message_box(text, caption, MB_YESNOCANCEL | MB_ICONQUESTION | MB_TASKMODAL)) {
    case IDYES: return 1;
    case IDNO: return 0;
    default: return 2;
  }
}

void app_type::add_extension(char* name, const char* extension) {
  if (find_suffix(name, extension) != -1) return;
  // Only whole: a name without room for the extension stays as it was.
  const size_t length = std::strlen(name);
  if (length + std::strlen(extension) < static_cast<size_t>(title_size)) std::strcpy(name + length, extension);
}

void app_type::strip_extension(char* name, const char* extension) {
  const int position = find_suffix(name, extension);
  if (position >= 0) name[position] = '\0';
}

int app_type::find_suffix(const char* text, const char* suffix) {
  const size_t text_length = std::strlen(text);
  const size_t suffix_length = std::strlen(suffix);
  if (suffix_length > text_length) return -1;
  const size_t position = text_length - suffix_length;
  for (size_t i = 0; i < suffix_length; ++i) {
    if (std::toupper(static_cast<unsigned char>(text[position + i])) !=
        std::toupper(static_cast<unsigned char>(suffix[i])))
      return -1;
  }
  return static_cast<int>(position);
}

void app_type::show_about() {
  close_status();
  if (about_window) {
    about_window->show();
    return;
  }
  const char* picture = GetKeyState(VK_SHIFT) < 0 ? "about2" : "about";
  about_window = std::make_unique<about_win_type>("About Nightglow", this, picture);
}

void app_type::close_about() { about_window.reset(); }

void app_type::show_status(const char* title, const char* text) {
  close_about();
  if (status_window) {
    status_window->show();  // keeps its old text
    return;
  }
  status_window = std::make_unique<msg_win_type>(title, this, text);
}

void app_type::close_status() { status_window.reset(); }

void app_type::copy_data_settings() {
  if (ask_ok_cancel("This will overwrite the current Somnolux settings.  Are you sure you want to proceed?",
                    "Copy Settings?") != 1)
    return;
  if (!data_document || !settings_document) return;
  const data_win_type& data = *data_document->data_window;
  if (data.current_index < 0) return;
  settings_win_type& settings = *settings_document->settings_window;
  copy_block_settings(data.working_block, settings.settings);
  settings.invalidate();
}

void app_type::append_text(char*& text, const char* addition) {
  const size_t old_length = text ? std::strlen(text) : 0;
  const size_t added = std::strlen(addition);
  auto* grown = static_cast<char*>(std::realloc(text, old_length + added + 1));
  if (!grown) return;  // the old text stays as it was
  std::memcpy(grown + old_length, addition, added + 1);
  text = grown;
}

void app_type::interface_timeout_dialog() {
  if (timeout_dialog_open) return;
  dialog_timeout_choice = link ? link->timeout_choice : 0;
  timeout_dialog_open = 1;
  const INT_PTR result = run_dialog("timeout_dlog", timeout_proc, nullptr);
  timeout_dialog_open = 0;
  if (result == 0 && link) link->timeout_choice = dialog_timeout_choice;
}

void app_type::default_port_dialog() {
  dialog_port_number = 1;
  const INT_PTR result = run_dialog("default_port", default_port_proc, nullptr);
  if (result == 2) {
    PostQuitMessage(0);
    return;
  }
  if (result != 1) return;
  if (link) link->port_number = dialog_port_number;
  if (!write_port_preference(dialog_port_number)) {
    show_message("Couldn't create preferences file.");
    return;
  }
  update_all_menus();
}

int app_type::message_box(const char* text, const char* caption, UINT type) {
  return MessageBoxA(nullptr, text, caption, type);
}

void app_type::wait_ms(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

INT_PTR app_type::run_dialog(const char* template_name, DLGPROC procedure, HWND owner) {
  dialog_scope open(*this);
  return DialogBoxParamA(instance, template_name, owner, procedure, 0);
}
