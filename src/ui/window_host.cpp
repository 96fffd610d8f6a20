// A host with no program around it: what a window gets when nobody overrides it.
#include "ui/window_host.h"

#include "ui/desktop_io.h"
#include "ui/win_print.h"

void reactivate(HWND window) {
  if (window && IsWindow(window) && IsWindowVisible(window) && GetActiveWindow() != window) {
    SetForegroundWindow(window);
    SetActiveWindow(window);
  }
}

window_host::window_host(std::unique_ptr<desktop_io> io, std::unique_ptr<printer_type> printer)
    : io_(io ? std::move(io) : std::make_unique<desktop_io>()),
      printer_(printer ? std::move(printer) : std::make_unique<printer_type>()) {}

window_host::~window_host() = default;

HINSTANCE window_host::instance() const { return GetModuleHandleA(nullptr); }

bool window_host::show_new_windows() const { return true; }

int window_host::show_command() const { return SW_SHOWNORMAL; }

device_link* window_host::link() { return nullptr; }

bool window_host::route_command(int, win_type&) { return false; }

void window_host::update_all_menus() {}

void window_host::show_message(const std::string& text) {
  const active_window_scope keep;
  io().message_box(text, "Message", MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
}

bool window_host::ask_ok_cancel(const std::string& text, const char* caption) {
  const active_window_scope keep;
  return io().message_box(text, caption, MB_OKCANCEL | MB_ICONQUESTION | MB_TASKMODAL) == IDOK;
}

int window_host::ask_yes_no_cancel(const std::string& text, const char* caption) {
  const active_window_scope keep;
  switch (io().message_box(text, caption, MB_YESNOCANCEL | MB_ICONQUESTION | MB_TASKMODAL)) {
    case IDYES: return 1;
    case IDNO: return 0;
    default: return 2;
  }
}

void window_host::show_status(const char*, const char*) {}

void window_host::close_status() {}

INT_PTR window_host::run_dialog(const char* template_name, DLGPROC procedure, HWND owner, LPARAM state) {
  const active_window_scope keep;
  open_dialog_scope open(*this);
  return io().run_dialog(instance(), template_name, procedure, owner, state);
}

bool window_host::choose_file(file_choice& choice) {
  const active_window_scope keep;
  open_dialog_scope open(*this);
  return io().choose_file(instance(), choice);
}

void window_host::dialog_opened(bool) {}
