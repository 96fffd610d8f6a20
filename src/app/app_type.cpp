// The application object: start-up, message loop, the document and program commands, the shared services.
#include "app/app_type.h"

#include <cstdlib>
#include <ctime>

#include "app/about_win_type.h"
#include "app/app_dialogs.h"
#include "app/data_doc.h"
#include "app/msg_win_type.h"
#include "app/preferences.h"
#include "app/settings_doc.h"
#include "datawin/data_win_type.h"
#include "device/device_link.h"
#include "model/documents.h"
#include "plotwin/plot_win_type.h"
#include "res/resource_ids.h"
#include "settingswin/settings_win_type.h"
#include "ui/desktop_io.h"
#include "ui/win_print.h"

app_type::app_type(HINSTANCE instance, int show_command)
    : app_type(instance, show_command, std::make_unique<desktop_io>(), std::make_unique<printer_type>()) {}

app_type::app_type(HINSTANCE instance, int show_command, std::unique_ptr<desktop_io> desktop,
                   std::unique_ptr<printer_type> paper)
    : window_host(std::move(desktop), std::move(paper)), instance_(instance), show_command_(show_command) {
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  device = std::make_unique<device_link>(this);  // reads the port from the preferences file
  _tzset();
  create_data_doc();
  create_settings_doc();
  show_about();
  io().wait_ms(1000);  // the picture was painted by its creation; nothing else happens meanwhile
  close_about();
  if (device->port_number < 1) default_port_dialog();
}

app_type::~app_type() {
  data_document.reset();
  settings_document.reset();
  device.reset();
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
  if (open_dialogs_ == 0) return false;
  MessageBeep(MB_ICONEXCLAMATION);
  return true;
}

bool app_type::is_device_window(const win_type& window) const {
  return (data_document && &window == data_document->data_window.get()) ||
         (settings_document && &window == settings_document->settings_window.get());
}

bool app_type::route_command(int id, win_type& from) {
  base_doc* doc = nullptr;
  if (data_document && data_document->owns(from)) doc = data_document.get();
  if (settings_document && settings_document->owns(from)) doc = settings_document.get();
  const bool data = doc && doc == data_document.get();
  switch (id) {
    case IDM_ABOUT: show_about(); break;
    case IDM_NEW_DATA: new_data_window(true); return true;
    case IDM_NEW_SETTINGS: new_settings_window(true); return true;
    case IDM_OPEN: open_document(); return true;
    case IDM_CLOSE:
      if (data)
        close_data_doc();
      else if (doc)
        close_settings_doc();
      return true;
    case IDM_SAVE:
      if (doc) doc->save();
      break;
    case IDM_SAVE_AS:
      if (doc) doc->save_as();
      break;
    case IDM_REVERT:
      if (data) {
        revert_data_doc();  // refreshes the menus itself
        return true;
      }
      if (doc) revert_settings_doc();
      break;
    case IDM_QUIT: quit(); return true;
    case IDM_SHOW_DATA:
      if (data_document) data_document->data_window->show();
      break;
    case IDM_SHOW_PLOT:
      if (data_document) data_document->show_plot();
      break;
    case IDM_SHOW_TRENDS:
      if (data_document) data_document->show_trends();
      break;
    case IDM_SHOW_SETTINGS:
      if (settings_document) settings_document->settings_window->show();
      break;
    case IDM_PLOT_RECORDS:
      if (!data) return false;
      data_document->plot_records(from);  // refreshes the menus itself
      return true;
    case IDM_COPY_DATA_SETTINGS:
      if (!is_device_window(from)) return false;
      copy_data_settings();
      break;
    case IDM_INTERFACE_TIMEOUT:
      if (!is_device_window(from)) return false;
      interface_timeout_dialog();
      return true;  // no refresh
    case IDM_OTHER_PORT:
      if (!is_device_window(from)) return false;
      other_port_dialog();  // refreshes the menus itself
      return true;
    default:
      if (id < IDM_COM1 || id > IDM_COM10 || !is_device_window(from)) return false;
      choose_port(id - IDM_COM1 + 1);  // refreshes the menus itself
      return true;
  }
  update_all_menus();
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

void app_type::new_data_window(bool ask) {
  if (refused_while_dialog_open()) return;
  if (ask && data_document && !data_document->confirm_replace()) return;
  create_data_doc();
}

void app_type::create_data_doc() {
  const std::optional<trends_place> trends = kept_trends();
  data_document.reset();
  data_document = std::make_unique<data_doc>(*this);
  if (trends) data_document->place_trends(*trends);
  update_all_menus();
}

std::optional<trends_place> app_type::kept_trends() const {
  if (!data_document) return std::nullopt;
  return data_document->trends_now();
}

void app_type::new_settings_window(bool ask) {
  if (refused_while_dialog_open()) return;
  if (ask && settings_document && !settings_document->confirm_replace()) return;
  create_settings_doc();
}

void app_type::create_settings_doc() {
  settings_document.reset();
  settings_document = std::make_unique<settings_doc>(*this);
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
  file_choice choice;
  choice.mode = file_choice::kind::open_document;
  choice.filter = "Somnolux Data (*.SL1)\0*.sl1\0Somnolux Settings (*.SL2)\0*.sl2\0";
  choice.extension = "sl1";
  if (choose_file(choice)) {
    if (choice.filter_index == 1) {
      if (!data_document || data_document->confirm_replace()) open_data_file(choice.path, choice.title);
    } else {
      if (!settings_document || settings_document->confirm_replace()) open_settings_file(choice.path, choice.title);
    }
  }
  update_all_menus();
}

namespace {

// "Couldn't open file." or "Couldn't read file: %d" when the file gave no document.
std::string open_failure(const open_result& result) {
  if (!result.opened) return "Couldn't open file.";
  return "Couldn't read file: " + std::to_string(result.code);
}

}  // namespace

void app_type::open_data_file(const std::string& path, const std::string& title) {
  data_file_image image;
  const open_result result = open_data_document(path, image);
  if (!result.ok()) {
    create_data_doc();  // an empty document is better seen than lost
    show_message(open_failure(result));
    return;
  }
  take_data_file(std::move(image), path, title);
}

void app_type::take_data_file(data_file_image image, const std::string& path, const std::string& title) {
  const std::optional<trends_place> trends = kept_trends();
  data_document.reset();
  show_new_windows_ = false;  // the file places the windows
  data_document = std::make_unique<data_doc>(*this, data_model(std::move(image)));
  show_new_windows_ = true;
  data_document->place_windows();
  if (trends) data_document->place_trends(*trends);
  data_document->data_window->set_title(without_extension(title, ".sl1"));
  data_document->path = path;
  update_all_menus();
}

void app_type::open_settings_file(const std::string& path, const std::string& title) {
  settings_section section;
  const open_result result = open_settings_document(path, section);
  if (!result.ok()) {
    create_settings_doc();
    show_message(open_failure(result));
    return;
  }
  take_settings_file(section, path, title);
}

void app_type::take_settings_file(const settings_section& section, const std::string& path, const std::string& title) {
  settings_document.reset();
  show_new_windows_ = false;
  settings_document = std::make_unique<settings_doc>(*this, section);
  show_new_windows_ = true;
  settings_document->place_windows();
  settings_document->settings_window->set_title(without_extension(title, ".sl2"));
  settings_document->path = path;
  update_all_menus();
}

// Revert reads the file first: a document whose file cannot be read again stays as it is.
void app_type::revert_data_doc() {
  if (refused_while_dialog_open()) return;
  if (!data_document || !data_document->has_file_path() || !data_document->confirm_revert()) return;
  const std::string path = data_document->path;
  data_file_image image;
  const open_result result = open_data_document(path, image);
  if (result.ok())
    take_data_file(std::move(image), path, with_extension(data_document->title(), ".sl1"));
  else
    show_message(open_failure(result));
  update_all_menus();
}

void app_type::revert_settings_doc() {
  if (refused_while_dialog_open()) return;
  if (!settings_document || !settings_document->has_file_path() || !settings_document->confirm_revert()) return;
  const std::string path = settings_document->path;
  settings_section section;
  const open_result result = open_settings_document(path, section);
  if (result.ok())
    take_settings_file(section, path, with_extension(settings_document->title(), ".sl2"));
  else
    show_message(open_failure(result));
  update_all_menus();
}

menu_facts app_type::facts() const {
  menu_facts facts;
  facts.data_document = data_document != nullptr;
  facts.settings_document = settings_document != nullptr;
  if (data_document) {
    facts.records = data_document->model.count();
    facts.current_record = data_document->model.has_current();
    facts.data_path = data_document->has_file_path();
  }
  facts.settings_path = settings_document && settings_document->has_file_path();
  facts.port = device ? device->port_number : 0;
  return facts;
}

void app_type::update_all_menus() {
  const menu_facts now = facts();
  if (data_document) data_document->update_menus(now);
  if (settings_document) settings_document->update_menus(now);
}

void app_type::show_message(const std::string& text) {
  close_about();
  close_status();
  window_host::show_message(text);
}

void app_type::show_message(const char* text) { show_message(std::string(text)); }

void app_type::show_port_failure(const char* text, const std::string& reason) {
  show_message(reason.empty() ? std::string(text) : text + ("\n" + reason));
}

bool app_type::ask_ok_cancel(const std::string& text, const char* caption) {
  close_about();
  close_status();
  return window_host::ask_ok_cancel(text, caption);
}

int app_type::ask_yes_no_cancel(const std::string& text, const char* caption) {
  close_about();
  close_status();
  return window_host::ask_yes_no_cancel(text, caption);
}

void app_type::show_about() {
  close_status();
  if (about_window) {
    about_window->show();
    return;
  }
  const char* picture = GetKeyState(VK_SHIFT) < 0 ? "about2" : "about";
  about_window = std::make_unique<about_win_type>(*this, "About Nightglow", picture);
}

void app_type::close_about() { about_window.reset(); }

void app_type::show_status(const char* title, const char* text) {
  close_about();
  if (status_window) {
    status_window->show();  // keeps its old text
    return;
  }
  status_return_ = GetActiveWindow();
  status_window = std::make_unique<msg_win_type>(*this, title, text);
}

void app_type::close_status() {
  if (!status_window) return;
  status_window.reset();
  reactivate(status_return_);  // the window that started the work takes the keys again
}

void app_type::copy_data_settings() {
  if (!ask_ok_cancel("This will overwrite the current Somnolux settings.  Are you sure you want to proceed?",
                     "Copy Settings?"))
    return;
  if (!data_document || !settings_document || !data_document->model.has_current()) return;
  copy_block_settings(data_document->model.image.data.working_block, settings_document->section.settings);
  settings_document->settings_window->invalidate();
}

void app_type::interface_timeout_dialog() {
  if (timeout_dialog_open_) return;
  int choice = device ? device->timeout_choice : 0;
  timeout_dialog_open_ = true;
  const INT_PTR result = run_dialog("timeout_dlog", timeout_proc, nullptr, reinterpret_cast<LPARAM>(&choice));
  timeout_dialog_open_ = false;
  if (result == 0 && device) device->timeout_choice = choice;
}

INT_PTR app_type::port_dialog(int& port) {
  return run_dialog("default_port", default_port_proc, nullptr, reinterpret_cast<LPARAM>(&port));
}

void app_type::default_port_dialog() {
  int port = 1;
  const INT_PTR result = port_dialog(port);
  if (result == 2) {
    PostQuitMessage(0);  // nothing to save yet
    return;
  }
  if (result == 1) choose_port(port);
}

void app_type::other_port_dialog() {
  if (port_dialog_open_) return;  // already open from the other window's menu
  int port = device && device->port_number >= 1 ? device->port_number : 1;
  port_dialog_open_ = true;
  const INT_PTR result = port_dialog(port);
  port_dialog_open_ = false;
  if (result == 2) {
    quit();  // as File, Quit: each document may still be saved, or the quitting cancelled
    return;
  }
  if (result == 1) choose_port(port);
}

void app_type::choose_port(int port) {
  if (device) device->port_number = port;
  if (!write_port_preference(port)) show_message("Couldn't create preferences file.");  // it still applies now
  update_all_menus();
}
