// Base class of every top-level window: creation, message map, common commands and menu rules.
#include "ui/win_type.h"

#include <cstdint>

#include "app/app_type.h"
#include "app/data_doc.h"
#include "app/settings_doc.h"
#include "datawin/data_win_type.h"
#include "device/device_link.h"
#include "plotwin/plot_win_type.h"
#include "res/resource_ids.h"
#include "settingswin/settings_win_type.h"
#include "ui/widget_type.h"

win_type::win_type() = default;

win_type::win_type(const char* title, data_doc* doc) {
  document = doc;
  application = doc ? doc->owner : nullptr;
  RECT rect;
  win_type::get_initial_rect(rect);
  create_window({"win_type", "win_type_menu", nullptr, 0, WS_OVERLAPPEDWINDOW}, title, rect);
  show_if_wanted();
}

win_type::~win_type() {
  if (window) {
    // Messages sent while the window goes away must not reach a half-destroyed object.
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
    window = nullptr;
  }
}

void win_type::create_window(const win_class_info& info, const char* title, const RECT& initial) {
  HINSTANCE instance = application ? application->instance : GetModuleHandleA(nullptr);
  HICON icon = info.icon_name ? LoadIconA(instance, info.icon_name) : LoadIconA(nullptr, IDI_APPLICATION);

  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = window_proc;
  wc.hInstance = instance;
  wc.hIcon = icon;
  wc.hIconSm = icon;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszMenuName = info.menu_name;
  wc.lpszClassName = info.class_name;
  RegisterClassExA(&wc);  // every construction after the first finds the class registered

  window = CreateWindowExA(info.ex_style, info.class_name, title, info.style, initial.left, initial.top, initial.right,
                           initial.bottom, nullptr, nullptr, instance, nullptr);
  if (window) SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void win_type::show_if_wanted() {
  if (!window) return;
  if (application && application->show_new_windows) ShowWindow(window, application->show_command);
  UpdateWindow(window);
}

LRESULT CALLBACK win_type::window_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<win_type*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
  try {
    return self->handle_message(hwnd, msg, wp, lp);
  } catch (...) {
    // Nothing may unwind through the system's dispatcher; the message counts as handled.
    return 0;
  }
}

LRESULT win_type::handle_message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: return 0;
    case WM_ACTIVATE:
      if (application) application->update_all_menus();
      return DefWindowProcA(hwnd, msg, wp, lp);
    case WM_PAINT: paint(); return 0;
    case WM_CLOSE:
      close();  // may delete this object: touch no member afterwards
      return 0;
    case WM_COMMAND:
      if (do_command(LOWORD(wp))) return 0;
      return DefWindowProcA(hwnd, msg, wp, lp);
    case WM_LBUTTONDOWN: handle_mouse(hwnd, msg, wp, lp); return 0;
    case WM_KEYDOWN:
    case WM_CHAR: return handle_key(hwnd, msg, wp, lp);
    default: return DefWindowProcA(hwnd, msg, wp, lp);
  }
}

void win_type::get_initial_rect(RECT& rect) {
  rect.left = 50;
  rect.top = 50;
  rect.right = 400;
  rect.bottom = 300;
}

void win_type::draw(HDC hdc) {
  RECT client;
  GetClientRect(window, &client);
  DrawTextA(hdc, "This is a window", -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void win_type::paint() {
  const paint_scope painting(window);
  draw(painting.get());
}

void win_type::show() {
  ShowWindow(window, SW_SHOW);
  BringWindowToTop(window);
}

void win_type::hide() { ShowWindow(window, SW_HIDE); }

void win_type::close() {
  if (application) application->close_data_doc();
}

int win_type::do_command(int id) {
  // The commands below may delete this window (closing or replacing its document),
  // so everything needed afterwards is taken first.
  app_type* const app = application;
  data_doc* const doc = document;
  bool refresh = false;
  if (!app) return 0;

  if (id >= IDM_POPUP_BASE) {
    if (popup_owner) popup_owner->notify(id);
    refresh = true;
  } else {
    switch (id) {
      case IDM_ABOUT:
        app->show_about();
        refresh = true;
        break;
      case IDM_NEW_DATA: app->new_data_window(1); break;
      case IDM_NEW_SETTINGS: app->new_settings_window(1); break;
      case IDM_OPEN: app->open_document(); break;
      case IDM_CLOSE: close(); break;
      case IDM_SAVE:
        if (doc) doc->save();
        refresh = true;
        break;
      case IDM_SAVE_AS:
        if (doc) doc->save_as();
        refresh = true;
        break;
      case IDM_REVERT:
        app->revert_data_doc();  // refreshes the menus itself
        break;
      case IDM_PRINT:
        print();
        refresh = true;
        break;
      case IDM_QUIT: app->quit(); break;
      case IDM_SHOW_DATA:
        if (app->data_document) app->data_document->data_window->show();
        refresh = true;
        break;
      case IDM_SHOW_PLOT:
        if (data_doc* data = app->data_document.get()) {
          if (data->plot_window->sums.record_count > 0)
            data->plot_window->show();
          else
            data->data_window->plot_records();
        }
        refresh = true;
        break;
      case IDM_SHOW_SETTINGS:
        if (app->settings_document) app->settings_document->settings_window->show();
        refresh = true;
        break;
      default: return 0;
    }
  }
  if (refresh) app->update_all_menus();
  return 1;
}

void win_type::invalidate() { InvalidateRect(window, nullptr, TRUE); }

int win_type::read_from_file(std::FILE* file) {
  int32_t r[4];
  if (std::fread(r, sizeof r, 1, file) != 1) return 0;
  move_to_stored(r);
  return 1;
}

void win_type::move_to_stored(const int32_t rect[4]) {
  // Width and height wrap like the 32-bit subtraction they are, whatever the file holds.
  const auto width = static_cast<int32_t>(static_cast<uint32_t>(rect[2]) - static_cast<uint32_t>(rect[0]));
  const auto height = static_cast<int32_t>(static_cast<uint32_t>(rect[3]) - static_cast<uint32_t>(rect[1]));
  MoveWindow(window, rect[0], rect[1], width, height, TRUE);
}

int win_type::write_to_file(std::FILE* file) {
  RECT rect{};
  GetWindowRect(window, &rect);
  const int32_t r[4] = {static_cast<int32_t>(rect.left), static_cast<int32_t>(rect.top),
                        static_cast<int32_t>(rect.right), static_cast<int32_t>(rect.bottom)};
  return std::fwrite(r, sizeof r, 1, file) == 1 ? 1 : 0;
}

int win_type::handle_mouse(HWND, UINT, WPARAM, LPARAM) { return 0; }

// print() lives in win_print.cpp with the rest of printing.

void win_type::refresh_contents() {}

LRESULT win_type::handle_key(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcA(hwnd, msg, wp, lp); }

void win_type::export_report() {}

void win_type::export_to_database() {}

void win_type::copy_text() {}

void win_type::clear_contents() {}

void win_type::update_menus() {
  for (int id : {IDM_NEW_DATA, IDM_NEW_SETTINGS, IDM_OPEN, IDM_CLOSE, IDM_SAVE, IDM_SAVE_AS, IDM_PRINT, IDM_QUIT})
    enable_item(id, true);
  enable_item(IDM_REVERT, false);
  enable_item(IDM_IMPORT_DATABASE, false);
  data_doc* data = application ? application->data_document.get() : nullptr;
  enable_item(IDM_SHOW_DATA, data != nullptr);
  enable_item(IDM_SHOW_PLOT, data && data->data_window->record_count() >= 1);
  enable_item(IDM_SHOW_SETTINGS, application && application->settings_document != nullptr);
}

void win_type::enable_item(int id, bool enabled) {
  if (HMENU menu = GetMenu(window))
    EnableMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void win_type::check_item(int id, bool checked) {
  if (HMENU menu = GetMenu(window))
    CheckMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void win_type::create_fonts(int display_height, int print_height) {
  display_font.reset(CreateFontA(display_height, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"));
  if (print_height) print_font.reset(CreateFontA(print_height, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"));
}

void win_type::update_device_items() {
  for (int id : {IDM_EXPORT_REPORT, IDM_COPY, IDM_INTERFACE_TIMEOUT}) enable_item(id, true);
  const data_doc* data = application->data_document.get();
  enable_item(IDM_COPY_DATA_SETTINGS, data && application->settings_document && data->data_window->current_index != -1);
  const int port = application->link ? application->link->port_number : 0;
  for (int id = IDM_COM1; id <= IDM_COM10; ++id) {
    enable_item(id, true);
    check_item(id, id - IDM_COM1 + 1 == port);
  }
}

bool win_type::do_device_command(int id) {
  app_type* const app = application;
  if (id == IDM_INTERFACE_TIMEOUT) {
    app->interface_timeout_dialog();
    return true;  // no refresh
  }
  if (id == IDM_COPY_DATA_SETTINGS) {
    app->copy_data_settings();
  } else if (id >= IDM_COM1 && id <= IDM_COM10) {
    if (app->link) app->link->port_number = id - IDM_COM1 + 1;  // for this run only
  } else {
    return false;
  }
  app->update_all_menus();
  return true;
}
