// The comments box: creating and subclassing its EDIT control, Tab forwarding, reading its lines.
#include "ui/edit_text_type.h"

#include <cstring>

#include "ui/win_type.h"

edit_text_type::edit_text_type(win_type* parent, const RECT& area, const char* name)
    : widget_type(parent, area.left, area.top, name), rectangle(area) {
  HINSTANCE instance = owner != nullptr ? owner->instance() : GetModuleHandleA(nullptr);
  int width = area.right - area.left;
  int height = area.bottom - area.top;
  control = CreateWindowExA(0, "edit", nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL,
                            area.left + 1, area.top + 1, width - 1, height - 2, owner_window(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)), instance, nullptr);
  if (control == nullptr) return;
  if (owner != nullptr && owner->display_font)
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(owner->display_font.get()), TRUE);
  SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  previous_procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_WNDPROC));
  SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&control_proc));
}

edit_text_type::~edit_text_type() {
  if (control == nullptr) return;
  // The EDIT class's own procedure sees the destruction, so that it frees what it holds.
  SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_procedure));
  SetWindowLongPtrA(control, GWLP_USERDATA, 0);
  DestroyWindow(control);
}

LRESULT CALLBACK edit_text_type::control_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* box = reinterpret_cast<edit_text_type*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (box == nullptr) return 0;
  // Tab belongs to the window: it moves the container's focus out of the box. Enter stays
  // here and breaks the line.
  if (msg == WM_CHAR && wp == 9) return SendMessageA(box->owner_window(), WM_CHAR, 9, lp);
  const LRESULT result = CallWindowProcA(box->previous_procedure, hwnd, msg, wp, lp);
  // A multi-line EDIT control keeps quiet about a text set from outside; the owner must hear of
  // it as of typing, or the text it keeps would miss what the box shows.
  if (msg == WM_SETTEXT && result)
    SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(control_id, EN_CHANGE), reinterpret_cast<LPARAM>(hwnd));
  return result;
}

void edit_text_type::draw(HDC hdc) {
  Rectangle(hdc, rectangle.left, rectangle.top, rectangle.right, rectangle.bottom);
  if (!owner_printing()) return;  // on the screen the control paints its own text
  // A child control cannot be printed: the box prints its first two lines itself.
  select_font(hdc);
  SetBkMode(hdc, TRANSPARENT);
  std::vector<std::string> lines = read_lines(2);
  for (size_t i = 0; i < lines.size(); i++)
    TextOutA(hdc, x, y + 15 * static_cast<int>(i) + 3, lines[i].c_str(), static_cast<int>(lines[i].size()));
}

void edit_text_type::get_rect(RECT& rect) { rect = rectangle; }

void edit_text_type::set_focus(bool on) {
  if (on && control != nullptr) SetFocus(control);
}

bool edit_text_type::accepts_focus(int) { return true; }

std::vector<std::string> edit_text_type::read_lines(int limit) const {
  std::vector<std::string> lines;
  if (control == nullptr) return lines;
  int line_count = static_cast<int>(SendMessageA(control, EM_GETLINECOUNT, 0, 0));
  if (limit >= 0 && line_count > limit) line_count = limit;
  for (int line = 0; line < line_count; line++) {
    LRESULT start = SendMessageA(control, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
    LRESULT length = start < 0 ? 0 : SendMessageA(control, EM_LINELENGTH, static_cast<WPARAM>(start), 0);
    if (length < 0) length = 0;
    if (length > 0xFFFF) length = 0xFFFF;  // the length travels in the buffer's first 16-bit word
    std::string buffer(static_cast<size_t>(length) + 2, '\0');
    auto word = static_cast<WORD>(length);
    memcpy(buffer.data(), &word, sizeof word);
    LRESULT copied =
        SendMessageA(control, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(buffer.data()));
    if (copied < 0) copied = 0;
    if (copied > length) copied = length;
    buffer.resize(static_cast<size_t>(copied));
    lines.push_back(std::move(buffer));
  }
  return lines;
}

std::string edit_text_type::text_of_control() const {
  if (control == nullptr) return {};
  const int length = GetWindowTextLengthA(control);
  std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
  const int copied = GetWindowTextA(control, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

void edit_text_type::set_text(const std::string& text) {
  if (control != nullptr) SetWindowTextA(control, text.c_str());
}
