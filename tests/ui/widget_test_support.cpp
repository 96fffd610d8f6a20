// The test window, the effect recorders and the settings form.
#include "widget_test_support.h"

namespace {

effects_recorder* active = nullptr;

void record_popup(HMENU menu, POINT screen, HWND owner) {
  effects_recorder::popup_run run{{}, screen, owner};
  for (int i = 0; i < GetMenuItemCount(menu); i++) {
    char text[256] = {};
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    run.items.push_back(std::to_string(GetMenuItemID(menu, i)) + " " + text);
  }
  active->popups.push_back(run);
  // A chosen item reaches the owner as a posted menu command, as from the real menu.
  if (active->popup_choice >= 0 && active->popup_choice < static_cast<int>(run.items.size()))
    PostMessageA(owner, WM_COMMAND, GetMenuItemID(menu, active->popup_choice), 0);
}

}  // namespace

test_window::test_window(test_app* app) {
  application = app;
  display_font = CreateFontA(14, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  print_font = CreateFontA(12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  create_window({"ng_widget_test_window", nullptr, nullptr, 0, WS_CAPTION | WS_SYSMENU}, "Widgets",
                RECT{100, 25, 552, 265});
}

test_window::~test_window() {
  widgets.delete_all();
  DeleteObject(display_font);
  DeleteObject(print_font);
}

void test_window::type(const std::string& keys, bool shift, HWND to) {
  BYTE saved[256];
  BYTE held[256];
  GetKeyboardState(saved);
  std::copy(std::begin(saved), std::end(saved), std::begin(held));
  if (shift) held[VK_SHIFT] |= 0x80;
  SetKeyboardState(held);
  for (char key : keys) SendMessageA(to != nullptr ? to : window, WM_CHAR, static_cast<BYTE>(key), 1);
  SetKeyboardState(saved);
}

void test_window::click(int x, int y) { SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }

SIZE test_window::text_size(const std::string& text, bool print) {
  HDC hdc = GetDC(window);
  HGDIOBJ old = SelectObject(hdc, print ? print_font : display_font);
  SIZE size{};
  GetTextExtentPoint32A(hdc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(hdc, old);
  ReleaseDC(window, hdc);
  return size;
}

effects_recorder::effects_recorder() : saved(current_ui_effects()) {
  active = this;
  current_ui_effects() = {[] { active->beeps++; },
                          [](int milliseconds) {
                            active->pauses.push_back(milliseconds);
                            if (active->during_pause) active->during_pause();
                          },
                          record_popup};
}

void pump_messages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

const char* const cue_type_names[6] = {"0: External trigger pulse only",  "1: Light only, both eyes at once",
                                       "2: Light only, alternating eyes", "3: Sound only",
                                       "4: Light and Sound, both eyes at once",
                                       "5: Light and Sound, alternating eyes"};

settings_form::settings_form(test_window& win) : window(win) {
  auto after = [&](int index, int gap) {
    widget_type* widget = window.widgets.get(index);
    return widget->x + widget->get_width() + gap;
  };
  help = window.add(new help_line_type(&window, 3, 0, "HELP:"));  // 0
  window.add(new separator_type(&window, 3, 14, 443, 14));
  cue_duration = window.add(new numeric_field_type(&window, 3, 17, "CUE DURATION:", 30, &duration, 1, 255));
  window.add(new numeric_field_type(&window, after(2, 25), 17, "CUE INTENSITY:", 12, &intensity, 1, 6));
  window.add(new numeric_field_type(&window, after(3, 25), 17, "CUE RATE:", 12, &rate, 1, 6));
  cue_type = window.add(new choice_field_type(&window, 3, 33, "CUE TYPE:", 6, cue_type_names, &type));  // 5
  window.add(new separator_type(&window, 3, 51, 443, 51));
  wake_alarm_box = window.add(new check_box_type(&window, 3, 55, "WAKE-ALARM ON", &wake_alarm));  // 7
  wake_time_field = window.add(new time_field_type(&window, after(7, 25), 55, "WAKE-TIME:", wake_time, 0));
  window.add(new check_box_type(&window, after(8, 25), 55, "DREAM ALARM ON", &dream_alarm));  // 9
  window.add(new separator_type(&window, 3, 72, 443, 72));
  window.add(new numeric_field_type(&window, 3, 75, "INITIAL DELAY:", 20, &delay, 0, 60));  // 11
  sensitivity_field = window.add(new numeric_field_type(&window, after(11, 3), 75, "x10 minutes         SENSITIVITY:",
                                                        20, &sensitivity, 1, 10));
  window.add(new time_field_type(&window, 3, 90, "CUE PERIOD START:", cue_start, 1));  // 13
  cue_end_field = window.add(new time_field_type(&window, after(13, 25), 90, "CUE PERIOD END:", cue_end, 2));
  window.add(new separator_type(&window, 3, 106, 443, 106));
  set_button = window.add(new button_type(&window, RECT{90, 110, 240, 130}, "Set Somnolux Settings",
                                          [this](button_type*) { set_presses++; }));  // 16
  window.add(new button_type(&window, RECT{290, 110, 390, 130}, "Reset Settings", {}));
  window.widgets.help_line = help;
  window.widgets.default_focus = 2;
  window.widgets.reset_focus();
}

std::string settings_form::focus() const {
  int index = window.widgets.focus_index;
  if (index < 0) return "none";
  auto* time = dynamic_cast<time_field_type*>(window.widgets.get(index));
  if (time == nullptr) return std::to_string(index);
  return std::to_string(index) + (time->hours->focused ? " h" : "") + (time->minutes->focused ? " m" : "");
}
