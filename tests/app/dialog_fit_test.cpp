// Every dialog template in the resources shows all its texts at its own size, in the fonts it names.
#include "test_app.h"

namespace {

INT_PTR CALLBACK plain_proc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

BOOL CALLBACK add_name(HMODULE, LPCSTR, LPSTR name, LONG_PTR names) {
  if (!IS_INTRESOURCE(name)) reinterpret_cast<std::vector<std::string>*>(names)->push_back(name);
  return TRUE;
}

// The face a device context really draws with: a missing font shows as another face.
std::string face_in_use(HDC dc) {
  char face[LF_FACESIZE] = "";
  GetTextFaceA(dc, sizeof face, face);
  return face;
}

// A line for the missing font and for each static text or button label that does not fit
// its control, measured as the control draws it: statics wrap, buttons keep one line and
// check boxes and radio buttons give room to their box.
std::string misfits(HWND dialog) {
  HDC dc = GetDC(dialog);
  const auto font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
  LOGFONTA asked{};
  GetObjectA(font, sizeof asked, &asked);
  const HGDIOBJ old = SelectObject(dc, font);
  std::string out = face_in_use(dc) == asked.lfFaceName ? "" : std::string("no font ") + asked.lfFaceName + "\n";
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[32] = "", text[1024] = "";
    GetClassNameA(child, name, sizeof name);
    const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE), kind = style & BS_TYPEMASK;
    const bool is_static = _stricmp(name, "Static") == 0 && (style & SS_TYPEMASK) <= SS_RIGHT;
    const bool is_button = _stricmp(name, "Button") == 0 && kind != BS_GROUPBOX;
    if (!GetWindowTextA(child, text, sizeof text) || !(is_static || is_button)) continue;
    RECT room{}, need{};
    GetClientRect(child, &room);
    need.right = room.right;
    const bool wraps = is_static || (style & BS_MULTILINE);
    DrawTextA(dc, text, -1, &need, DT_CALCRECT | DT_EXPANDTABS | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
    if (is_button)  // a push button's edge, or a check box's or radio button's box and gap
      need.right += kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON ? 4 : GetSystemMetrics(SM_CXMENUCHECK) + 4;
    if (need.right > room.right || need.bottom > room.bottom)
      out += std::string(name) + " \"" + text + "\" needs " + std::to_string(need.right) + "x" +
             std::to_string(need.bottom) + ", has " + std::to_string(room.right) + "x" + std::to_string(room.bottom) +
             "\n";
  }
  SelectObject(dc, old);
  ReleaseDC(dialog, dc);
  return out;
}

TEST(dialog_fit, every_template_shows_all_its_texts_in_the_font_it_names) {
  std::vector<std::string> names;
  EnumResourceNamesA(nullptr, reinterpret_cast<LPCSTR>(RT_DIALOG), add_name, reinterpret_cast<LONG_PTR>(&names));
  EXPECT_GE(names.size(), 2u);  // the port and timeout dialogs at least
  for (const std::string& name : names) {
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), name.c_str(), nullptr, plain_proc, 0);
    ASSERT_NE(dialog, nullptr) << name;
    EXPECT_EQ(misfits(dialog), "") << name;
    DestroyWindow(dialog);
  }
}

}  // namespace
