// Every window's texts, with typical and with the widest values, and every dialog's, stand apart and inside it.
#include "app/msg_win_type.h"
#include "sim_night.h"
#include "test_app.h"

namespace {

INT_PTR CALLBACK plain_proc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

BOOL CALLBACK add_name(HMODULE, LPCSTR, LPSTR name, LONG_PTR names) {
  if (!IS_INTRESOURCE(name)) reinterpret_cast<std::vector<std::string>*>(names)->push_back(name);
  return TRUE;
}

// The missing font and each static text or button label that does not fit its control, measured as the
// control draws it: statics wrap, buttons keep one line, check boxes and radio buttons leave room to their box.
std::string misfits(HWND dialog) {
  HDC dc = GetDC(dialog);
  const auto font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
  LOGFONTA asked{};
  GetObjectA(font, sizeof asked, &asked);
  const HGDIOBJ old = SelectObject(dc, font);
  char face[LF_FACESIZE] = "";  // a missing font draws with another face
  GetTextFaceA(dc, sizeof face, face);
  std::string out = std::string(face) == asked.lfFaceName ? "" : std::string("no font ") + asked.lfFaceName + "\n";
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
      out += text_of("%s \"%s\" needs %ldx%ld, has %ldx%ld\n", name, text, need.right, need.bottom, room.right,
                     room.bottom);
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

using legibility = started_app;

// What is wrong with the drawn texts: two on one line that overlap, or one that leaves the client area.
std::string crowding(win_type& w) {
  RECT client{};
  GetClientRect(w.window, &client);
  std::vector<drawn_item> texts;
  for (const drawn_item& item : record_drawing([&](HDC hdc) { w.draw(hdc); }))
    if (item.shape.rfind("text ", 0) == 0) texts.push_back(item);
  std::string found;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const RECT& a = texts[i].box;
    if (a.left < client.left || a.top < client.top || a.right > client.right || a.bottom > client.bottom)
      found += "leaves: " + texts[i].shape + "\n";
    for (std::size_t j = i + 1; j < texts.size(); ++j) {
      const RECT& b = texts[j].box;
      const long across = std::min(a.right, b.right) - std::max(a.left, b.left);
      const long down = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);  // lines 11 apart share a few rows
      if (across > 0 && 2 * down > std::min(a.bottom - a.top, b.bottom - b.top))
        found += "overlap: " + texts[i].shape + " / " + texts[j].shape + "\n";
    }
  }
  return found;
}

TEST_F(legibility, no_text_overlaps_another_or_leaves_its_window_with_typical_or_widest_values) {
  sim_engine engine(make_night(3, {2024, 3, 30, 7, 0, 0}));
  use_fake_port(&engine);
  command(data_win()->window, IDM_GET_DATA);  // a typical night
  app->show_status("Status", "Getting Somnolux Data...");
  model().image.plot = sum_cues(model().image.records, {0}, series_choice{});
  for (const bool widest : {false, true}) {
    if (widest) {  // 400 nights under 40 settings in a small Trends window; 99 of everything
      for (int i = 0; i < 400; ++i) {
        device_block night = make_night(i % 5, {2001 + i / 336, 1 + i / 28 % 12, 1 + i % 28, 7, 0, 0});
        night.cdur = i % 40 + 1;
        model().append_night(night);
        model().image.data.counts[dreams] = model().image.data.counts[ldreams] = 99;
        model().typed();
      }
      size_client(trends_win()->window, 380, 300);
      device_block& b = model().image.data.working_block;
      b.tstamp = pack_date(1997, 12, 28, 21, 15, 1), b.smoded = 0, b.recstarth = 23, b.recstartm = 55, b.mode = 4;
      b.dur = 128, b.cdur = 255, b.intens = 6, b.rate = 6, b.type = 4, b.walarm = b.dalarm = 0, b.delay = 60;
      b.sens = 10, b.wtimeh = b.cstarth = b.cendh = 23, b.wtimem = b.cstartm = b.cendm = 59;
      std::fill(std::begin(b.rem), std::end(b.rem), 0xFF);
      for (int32_t& count : model().image.data.counts) count = 99;
      device_settings& s = app->settings_document->section.settings;
      s.cdur = 255, s.intens = 6, s.rate = 6, s.type = 4, s.delay = 60, s.sens = 10;
      s.wtimeh_edit = s.cstarth_edit = s.cendh_edit = 23, s.wtimem_edit = s.cstartm_edit = s.cendm_edit = 59;
      settings_win()->widgets.set_focus_index(13);  // the longest help text
      plot_sums& plot = model().image.plot;
      plot.record_count = plot.max = 99999;
      std::fill(std::begin(plot.combined), std::end(plot.combined), 99999);
    }
    for (win_type* w : std::initializer_list<win_type*>{data_win(), settings_win(), plot_win(), trends_win(),
                                                        app->status_window.get()})
      EXPECT_EQ(crowding(*w), "") << title(w->window) << (widest ? ", widest values" : ", typical values");
  }
}

}  // namespace
