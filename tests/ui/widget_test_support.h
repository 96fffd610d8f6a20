// A real window holding a widget container, an application that counts menu refreshes,
// recorders that stand in for the beep, the button's pause and the popup menu, and the
// settings form's widgets.
#pragma once

#include <functional>

#include "app/app_type.h"
#include "ui/button_type.h"
#include "ui/check_box_type.h"
#include "ui/choice_field_type.h"
#include "ui/edit_text_type.h"
#include "ui/help_line_type.h"
#include "ui/numeric_field_type.h"
#include "ui/separator_type.h"
#include "ui/time_field_type.h"
#include "ui/ui_effects.h"
#include "ui/widget_container.h"
#include "ui/win_type.h"

using strings = std::vector<std::string>;

// The application without its start-up: no documents, no link, no pictures.
class test_app : public app_type {
 public:
  test_app() : app_type(GetModuleHandleA(nullptr), SW_HIDE, no_startup_tag{}) {}
  void update_all_menus() override { menu_updates++; }
  int menu_updates = 0;
};

// A plain window whose contents are its widgets, wired as the document windows wire theirs.
class test_window : public win_type {
 public:
  explicit test_window(test_app* app);
  ~test_window() override;

  void draw(HDC hdc) override { widgets.draw_all(hdc); }
  void paint() override {
    if (on_paint) on_paint();
    win_type::paint();
  }
  int handle_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override {
    widgets.route_mouse(hwnd, msg, wp, lp);
    return 0;
  }
  LRESULT handle_key(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override {
    return msg == WM_CHAR ? widgets.route_char(hwnd, msg, wp, lp) : 0;
  }
  void close() override {}

  template <class W>
  W* add(W* widget) { widgets.append(widget); return widget; }
  // WM_CHAR for each character, to the window or the given control, with Shift held or not.
  void type(const std::string& keys, bool shift = false, HWND to = nullptr);
  void click(int x, int y);                                // WM_LBUTTONDOWN at a client point
  SIZE text_size(const std::string& text, bool print_font = false);  // measured on the screen
  int text_width(const std::string& text, bool print_font = false) { return text_size(text, print_font).cx; }

  widget_container widgets{this};
  std::function<void()> on_paint;  // runs at every WM_PAINT
};

// Replaces the widgets' outside effects while it lives and records them.
struct effects_recorder {
  effects_recorder();
  ~effects_recorder() { current_ui_effects() = saved; }

  int beeps = 0;
  std::vector<int> pauses;
  std::function<void()> during_pause;
  struct popup_run {
    strings items;  // "id text"
    POINT screen;
    HWND owner;
  };
  std::vector<popup_run> popups;
  int popup_choice = -1;  // item "chosen" in the next popups; -1 dismisses them
  ui_effects saved;
};

void pump_messages();

extern const char* const cue_type_names[6];

// The settings form's widgets in their window order (help base 0), bound to plain integers.
struct settings_form {
  explicit settings_form(test_window& window);

  // The focused index, with "h" or "m" for the time field part drawn focused; "none".
  std::string focus() const;

  test_window& window;
  int duration = 10, intensity = 3, rate = 2, type = 2, wake_alarm = 0, dream_alarm = 0;
  int wake_time[2] = {8, 30};
  int delay = 0, sensitivity = 6;
  int cue_start[2] = {12, 0};
  int cue_end[2] = {11, 59};
  int set_presses = 0;

  help_line_type* help;
  numeric_field_type* cue_duration;
  choice_field_type* cue_type;
  check_box_type* wake_alarm_box;
  time_field_type* wake_time_field;
  numeric_field_type* sensitivity_field;
  time_field_type* cue_end_field;
  button_type* set_button;
};
