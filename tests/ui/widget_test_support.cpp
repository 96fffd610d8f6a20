// The test window, the counting application and the effect recorders.
#include "widget_test_support.h"

#include "ui/button_type.h"
#include "ui/check_box_type.h"
#include "ui/choice_field_type.h"
#include "ui/edit_text_type.h"
#include "ui/help_line_type.h"
#include "ui/numeric_field_type.h"
#include "ui/separator_type.h"
#include "ui/time_field_type.h"

namespace {

effects_recorder* active_recorder = nullptr;

void record_beep() { active_recorder->beeps++; }

void record_pause(int milliseconds) {
  active_recorder->pauses.push_back(milliseconds);
  if (active_recorder->during_pause) active_recorder->during_pause();
}

void record_popup(HMENU menu, POINT screen, HWND owner) {
  effects_recorder::popup_run run{{}, {}, screen, owner};
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; i++) {
    char text[256] = {};
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    run.items.emplace_back(text);
    run.ids.push_back(GetMenuItemID(menu, i));
  }
  active_recorder->popups.push_back(run);
  // A chosen item reaches the owner as a posted menu command, as from the real menu.
  int choice = active_recorder->popup_choice;
  if (choice >= 0 && choice < count) PostMessageA(owner, WM_COMMAND, GetMenuItemID(menu, choice), 0);
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

LRESULT test_window::handle_message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  // The comments box reports its keyboard focus to the container, as the data window does.
  if (msg == WM_COMMAND && LOWORD(wp) == edit_text_type::control_id) {
    if (HIWORD(wp) == EN_SETFOCUS) {
      for (int i = 0; i < widgets.count(); i++)
        if (widgets.get(i)->kind == edit_text_kind) widgets.set_focus_index(i);
    }
    return 0;
  }
  return win_type::handle_message(hwnd, msg, wp, lp);
}

void test_window::draw(HDC hdc) { widgets.draw_all(hdc); }

void test_window::paint() {
  if (on_paint) on_paint();
  win_type::paint();
}

int test_window::handle_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  widgets.route_mouse(hwnd, msg, wp, lp);
  return 0;
}

LRESULT test_window::handle_key(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CHAR) widgets.route_char(hwnd, msg, wp, lp);
  return 0;
}

void test_window::type(const std::string& keys) {
  for (char key : keys) SendMessageA(window, WM_CHAR, static_cast<unsigned char>(key), 1);
}

void test_window::tab(bool shift) {
  if (shift) {
    shift_held held;
    SendMessageA(window, WM_CHAR, 9, 1);
  } else {
    SendMessageA(window, WM_CHAR, 9, 1);
  }
}

void test_window::enter(bool shift) {
  if (shift) {
    shift_held held;
    SendMessageA(window, WM_CHAR, 13, 1);
  } else {
    SendMessageA(window, WM_CHAR, 13, 1);
  }
}

void test_window::click(int x, int y) { SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }

shift_held::shift_held() {
  GetKeyboardState(saved_);
  BYTE state[256];
  std::copy(std::begin(saved_), std::end(saved_), std::begin(state));
  state[VK_SHIFT] |= 0x80;
  SetKeyboardState(state);
}

shift_held::~shift_held() { SetKeyboardState(saved_); }

effects_recorder::effects_recorder() : saved_(current_ui_effects()) {
  active_recorder = this;
  current_ui_effects() = {record_beep, record_pause, record_popup};
}

effects_recorder::~effects_recorder() {
  current_ui_effects() = saved_;
  active_recorder = nullptr;
}

void pump_messages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

const char* const cue_type_names[6] = {"0: External trigger pulse only",  "1: Light only, both eyes at once",
                                       "2: Light only, alternating eyes", "3: Sound only",
                                       "4: Light and Sound, both eyes at once",
                                       "5: Light and Sound, alternating eyes"};

settings_form::settings_form(test_window& win) : window(win) {
  auto right_of = [&](int index) {
    widget_type* widget = window.widgets.get(index);
    return widget->x + widget->get_width() + 25;
  };
  help = window.add(new help_line_type(&window, 3, 0, "HELP:"));                        // 0
  window.widgets.help_line = help;
  window.widgets.help_base = 0;
  window.add(new separator_type(&window, 3, 14, 443, 14));                              // 1
  cue_duration = window.add(new numeric_field_type(&window, 3, 17, "CUE DURATION:", 30, &duration, 1, 255));
  window.add(new numeric_field_type(&window, right_of(2), 17, "CUE INTENSITY:", 12, &intensity, 1, 6));
  window.add(new numeric_field_type(&window, right_of(3), 17, "CUE RATE:", 12, &rate, 1, 6));
  cue_type = window.add(new choice_field_type(&window, 3, 33, "CUE TYPE:", 6, cue_type_names, &type));  // 5
  window.add(new separator_type(&window, 3, 51, 443, 51));                              // 6
  wake_alarm_box = window.add(new check_box_type(&window, 3, 55, "WAKE-ALARM ON", &wake_alarm));        // 7
  wake_time_field = window.add(new time_field_type(&window, right_of(7), 55, "WAKE-TIME:", wake_time, 0));
  window.add(new check_box_type(&window, right_of(8), 55, "DREAM ALARM ON", &dream_alarm));             // 9
  window.add(new separator_type(&window, 3, 72, 443, 72));                              // 10
  window.add(new numeric_field_type(&window, 3, 75, "INITIAL DELAY:", 20, &delay, 0, 60));              // 11
  widget_type* delay_field = window.widgets.get(11);
  sensitivity_field = window.add(new numeric_field_type(&window, delay_field->x + delay_field->get_width() + 3, 75,
                                                        "x10 minutes         SENSITIVITY:", 20, &sensitivity, 1,
                                                        10));                           // 12
  window.add(new time_field_type(&window, 3, 90, "CUE PERIOD START:", cue_start, 1));  // 13
  cue_end_field = window.add(new time_field_type(&window, right_of(13), 90, "CUE PERIOD END:", cue_end, 2));
  window.add(new separator_type(&window, 3, 106, 443, 106));                            // 15
  set_button = window.add(new button_type(&window, RECT{90, 110, 240, 130}, "Set Somnolux Settings",
                                          [this](button_type*) { set_presses++; }));   // 16
  window.add(new button_type(&window, RECT{290, 110, 390, 130}, "Reset Settings",
                             [this](button_type*) { reset_presses++; }));               // 17
  window.widgets.default_focus = 2;
  window.widgets.reset_focus();
}

std::string settings_form::focus() const {
  int index = window.widgets.focus_index;
  if (index < 0) return "none";
  std::string text = std::to_string(index);
  if (auto* time = dynamic_cast<time_field_type*>(window.widgets.get(index)))
    text += time->focused_part == 0 ? " h" : time->focused_part == 1 ? " m" : " -";
  return text;
}
