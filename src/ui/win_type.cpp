// Base class of every top-level window: creation, the message map, the commands and menu rules all share.
#include "ui/win_type.h"

#include <cstdint>
#include <exception>
#include <string>

#include "res/resource_ids.h"
#include "ui/widget_type.h"

win_type::win_type(window_host& window_host) : host(window_host) {}

win_type::~win_type() {
  if (window) {
    // Messages sent while the window goes away must not reach a half-destroyed object.
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
    window = nullptr;
  }
}

void win_type::create_window(const win_class_info& info, const std::string& title, const window_rect& place) {
  HINSTANCE const module = instance();
  HICON icon = info.icon_name ? LoadIconA(module, info.icon_name) : LoadIconA(nullptr, IDI_APPLICATION);

  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = window_proc;
  wc.hInstance = module;
  wc.hIcon = icon;
  wc.hIconSm = icon;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszMenuName = info.menu_name;
  wc.lpszClassName = info.class_name;
  RegisterClassExA(&wc);  // every construction after the first finds the class registered

  // The object travels with the creation, so that even the first messages reach it.
  CreateWindowExA(info.ex_style, info.class_name, title.c_str(), info.style, place.left, place.top,
                  place.right - place.left, place.bottom - place.top, nullptr, nullptr, module, this);
}

void win_type::show_if_wanted() {
  if (!window) return;
  if (host.show_new_windows()) ShowWindow(window, host.show_command());
  UpdateWindow(window);
}

LRESULT CALLBACK win_type::window_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* created = static_cast<win_type*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
    created->window = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* self = reinterpret_cast<win_type*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
  // Nothing may unwind through the system's dispatcher; the message counts as handled.
  try {
    return self->handle_message(hwnd, msg, wp, lp);
  } catch (const std::exception& error) {
#ifndef NDEBUG
    OutputDebugStringA((std::string("nightglow: a window message ended in: ") + error.what() + "\n").c_str());
#else
    (void)error;
#endif
  } catch (...) {
#ifndef NDEBUG
    OutputDebugStringA("nightglow: a window message ended in an unknown exception\n");
#endif
  }
  return 0;
}

LRESULT win_type::handle_message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ACTIVATE: host.update_all_menus(); return DefWindowProcA(hwnd, msg, wp, lp);
    case WM_SETFOCUS:
      // The keys go where the window shows its focus: into a control that a widget holds.
      if (HWND control = focus_control()) SetFocus(control);
      return 0;
    case WM_WINDOWPOSCHANGED:
      // Where the window stands while it is not minimised: a file keeps that, not the icon's place
      // (which the system would report as the normal place of a minimised window).
      if (!IsIconic(hwnd)) GetWindowRect(hwnd, &normal_rect_);
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

void win_type::draw(HDC) {}

void win_type::paint() {
  const paint_scope painting(window);
  draw(painting.get());
}

void win_type::show() {
  ShowWindow(window, SW_SHOW);
  BringWindowToTop(window);
}

void win_type::hide() { ShowWindow(window, SW_HIDE); }

bool win_type::visible() const { return IsWindowVisible(window) != 0; }

void win_type::close() { host.route_command(IDM_CLOSE, *this); }

bool win_type::do_command(int id) {
  window_host& program = host;  // the commands below may delete this window
  if (id >= IDM_POPUP_BASE) {
    if (popup_owner) popup_owner->notify(id);
  } else if (id == IDM_PRINT) {
    print();
  } else if (id == IDM_CLOSE) {
    close();
    return true;
  } else {
    return program.route_command(id, *this);
  }
  program.update_all_menus();
  return true;
}

void win_type::invalidate() { InvalidateRect(window, nullptr, TRUE); }

window_rect win_type::saved_rect() const {
  RECT rect = normal_rect_;
  if (!IsIconic(window)) GetWindowRect(window, &rect);
  return {static_cast<int32_t>(rect.left), static_cast<int32_t>(rect.top), static_cast<int32_t>(rect.right),
          static_cast<int32_t>(rect.bottom)};
}

void win_type::move_to(const window_rect& rect) {
  // Width and height wrap like the 32-bit subtraction they are, whatever the file holds.
  const auto width = static_cast<int32_t>(static_cast<uint32_t>(rect.right) - static_cast<uint32_t>(rect.left));
  const auto height = static_cast<int32_t>(static_cast<uint32_t>(rect.bottom) - static_cast<uint32_t>(rect.top));
  MoveWindow(window, rect.left, rect.top, width, height, TRUE);
}

std::string win_type::title() const {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
  const int copied = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

void win_type::set_title(const std::string& text) { SetWindowTextA(window, text.c_str()); }

void win_type::handle_mouse(HWND, UINT, WPARAM, LPARAM) {}

LRESULT win_type::handle_key(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcA(hwnd, msg, wp, lp); }

void win_type::widgets_changed() { host.update_all_menus(); }

void win_type::update_menus(const menu_facts& facts) {
  for (int id : {IDM_NEW_DATA, IDM_NEW_SETTINGS, IDM_OPEN, IDM_CLOSE, IDM_SAVE, IDM_SAVE_AS, IDM_PRINT, IDM_QUIT})
    enable_item(id, true);
  enable_item(IDM_REVERT, false);
  enable_item(IDM_IMPORT_DATABASE, false);
  enable_item(IDM_SHOW_DATA, facts.data_document);
  enable_item(IDM_SHOW_PLOT, facts.data_document && facts.records >= 1);
  enable_item(IDM_SHOW_TRENDS, facts.data_document);
  enable_item(IDM_SHOW_SETTINGS, facts.settings_document);
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

namespace {

// The popup that holds the item with that id, searched through the submenus; null when none does.
HMENU popup_holding(HMENU menu, UINT id) {
  for (int i = 0, count = GetMenuItemCount(menu); i < count; ++i) {
    if (HMENU popup = GetSubMenu(menu, i)) {
      if (HMENU found = popup_holding(popup, id)) return found;
    } else if (GetMenuItemID(menu, i) == id) {
      return menu;
    }
  }
  return nullptr;
}

// A port above COM10 has no item of its own: while it is chosen, one more checked item names it,
// right after COM10.
void show_chosen_port(HWND window, int port) {
  HMENU list = popup_holding(GetMenu(window), IDM_COM10);
  if (!list) return;
  DeleteMenu(list, IDM_COM_CHOSEN, MF_BYCOMMAND);
  if (port <= IDM_COM10 - IDM_COM1 + 1) return;
  int after = 0;
  while (GetMenuItemID(list, after) != IDM_COM10) ++after;
  const std::string text = "COM" + std::to_string(port);
  InsertMenuA(list, static_cast<UINT>(after + 1), MF_BYPOSITION | MF_STRING | MF_CHECKED, IDM_COM_CHOSEN, text.c_str());
}

}  // namespace

void update_device_items(win_type& window, const menu_facts& facts) {
  for (int id : {IDM_EXPORT_REPORT, IDM_COPY, IDM_INTERFACE_TIMEOUT, IDM_OTHER_PORT}) window.enable_item(id, true);
  window.enable_item(IDM_COPY_DATA_SETTINGS, facts.data_document && facts.settings_document && facts.current_record);
  for (int id = IDM_COM1; id <= IDM_COM10; ++id) {
    window.enable_item(id, true);
    window.check_item(id, id - IDM_COM1 + 1 == facts.port);
  }
  show_chosen_port(window.window, facts.port);
}
