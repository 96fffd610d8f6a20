// Every dialog template in the resources shows all its texts at its own size, in the fonts it names.
#include "test_app.h"

namespace {

INT_PTR CALLBACK plain_proc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

BOOL CALLBACK add_name(HMODULE, LPCSTR, LPSTR name, LONG_PTR names) {
  reinterpret_cast<std::vector<std::string>*>(names)->push_back(
      IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name)) : name);
  return TRUE;
}

std::vector<std::string> dialog_templates() {
  std::vector<std::string> names;
  EnumResourceNamesA(nullptr, reinterpret_cast<LPCSTR>(RT_DIALOG), add_name, reinterpret_cast<LONG_PTR>(&names));
  return names;
}

// The face that a device context really uses for a font: a missing font shows as another face.
std::string face_in_use(HDC dc, HFONT font) {
  const HGDIOBJ old = SelectObject(dc, font);
  char face[LF_FACESIZE] = "";
  GetTextFaceA(dc, sizeof face, face);
  SelectObject(dc, old);
  return face;
}

// The size a control's text needs, drawn as the control draws it, within the control's width.
SIZE needed(HDC dc, HWND control, const char* text, bool wraps) {
  RECT r{};
  GetClientRect(control, &r);
  RECT need{0, 0, r.right, 0};
  DrawTextA(dc, text, -1, &need, DT_CALCRECT | DT_EXPANDTABS | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
  return {need.right, need.bottom};
}

// One line for each control of the dialog whose text does not fit its rectangle.
std::string clipped_texts(HWND dialog) {
  std::string out;
  HDC dc = GetDC(dialog);
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[32] = "", text[1024] = "";
    GetClassNameA(child, name, sizeof name);
    GetWindowTextA(child, text, sizeof text);
    const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
    RECT room{};
    GetClientRect(child, &room);
    SIZE need{};
    if (!text[0])
      continue;
    if (_stricmp(name, "Static") == 0 && (style & SS_TYPEMASK) <= SS_RIGHT) {
      need = needed(dc, child, text, true);
    } else if (_stricmp(name, "Button") == 0) {
      const LONG_PTR kind = style & BS_TYPEMASK;
      const bool boxed = kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON ||
                         kind == BS_AUTORADIOBUTTON || kind == BS_3STATE || kind == BS_AUTO3STATE;
      if (kind == BS_GROUPBOX)
        continue;
      need = needed(dc, child, text, (style & BS_MULTILINE) != 0);
      // a push button's edge, or a check box or radio button's box and the gap after it
      need.cx += boxed ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : 4;
    } else {
      continue;
    }
    if (need.cx > room.right || need.cy > room.bottom)
      out += std::string(name) + " \"" + text + "\" needs " + std::to_string(need.cx) + "x" +
             std::to_string(need.cy) + ", has " + std::to_string(room.right) + "x" + std::to_string(room.bottom) +
             "\n";
  }
  SelectObject(dc, old);
  ReleaseDC(dialog, dc);
  return out;
}

TEST(dialog_fit, every_template_shows_all_its_texts_in_the_font_it_names) {
  const std::vector<std::string> names = dialog_templates();
  EXPECT_GE(names.size(), 2u);  // the port and timeout dialogs at least
  for (const std::string& name : names) {
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), name.c_str(), nullptr, plain_proc, 0);
    ASSERT_NE(dialog, nullptr) << name;
    const auto font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    LOGFONTA asked{};
    GetObjectA(font, sizeof asked, &asked);
    HDC dc = GetDC(dialog);
    EXPECT_STREQ(face_in_use(dc, font).c_str(), asked.lfFaceName) << name << ": the font is missing";
    ReleaseDC(dialog, dc);
    EXPECT_EQ(clipped_texts(dialog), "") << name;
    DestroyWindow(dialog);
  }
}

TEST(dialog_fit, caption_buttons_have_their_symbol_font) {
  LOGFONTA symbols{};
  symbols.lfHeight = -13;
  symbols.lfCharSet = SYMBOL_CHARSET;
  std::strcpy(symbols.lfFaceName, "Marlett");
  const HFONT font = CreateFontIndirectA(&symbols);
  HDC dc = GetDC(nullptr);
  EXPECT_EQ(face_in_use(dc, font), "Marlett");
  ReleaseDC(nullptr, dc);
  DeleteObject(font);
}

}  // namespace
