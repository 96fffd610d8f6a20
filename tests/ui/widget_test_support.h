// A real window holding a widget container, an application that counts menu refreshes, and
// recorders that stand in for the beep, the button's pause and the popup menu.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/app_type.h"
#include "ui/ui_effects.h"
#include "ui/widget_container.h"
#include "ui/win_type.h"

// The application without its start-up: no documents, no link, no pictures.
class test_app : public app_type {
 public:
  test_app() : app_type(GetModuleHandleA(nullptr), SW_HIDE, no_startup_tag{}) {}
  void update_all_menus() override { menu_updates++; }
  void show_message(const char* text) override { messages.emplace_back(text); }

  int menu_updates = 0;
  std::vector<std::string> messages;
};

// A plain window whose contents are its widgets, wired as the document windows wire theirs.
class test_window : public win_type {
 public:
  explicit test_window(test_app* app);
  ~test_window() override;

  LRESULT handle_message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;
  void draw(HDC hdc) override;
  void paint() override;
  int handle_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;
  LRESULT handle_key(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;
  void close() override {}

  // Appends a widget to the container and returns it.
  template <class W>
  W* add(W* widget) {
    widgets.append(widget);
    return widget;
  }

  void type(const std::string& keys);           // WM_CHAR for each character
  void tab(bool shift = false);                 // Tab, with Shift held or not
  void enter(bool shift = false);
  void click(int x, int y);                     // WM_LBUTTONDOWN at a client point

  widget_container widgets{this};
  std::function<void()> on_paint;  // runs at every WM_PAINT
};

// Holds Shift down (in this thread's key state) while it lives.
class shift_held {
 public:
  shift_held();
  ~shift_held();
  shift_held(const shift_held&) = delete;
  shift_held& operator=(const shift_held&) = delete;

 private:
  BYTE saved_[256];
};

// Replaces the widgets' outside effects while it lives and records them.
class effects_recorder {
 public:
  effects_recorder();
  ~effects_recorder();
  effects_recorder(const effects_recorder&) = delete;
  effects_recorder& operator=(const effects_recorder&) = delete;

  int beeps = 0;
  std::vector<int> pauses;
  std::function<void()> during_pause;  // runs inside each pause

  struct popup_run {
    std::vector<std::string> items;
    std::vector<UINT> ids;
    POINT screen;
    HWND owner;
  };
  std::vector<popup_run> popups;
  int popup_choice = -1;  // item index "chosen" in the next popups; -1 dismisses them

 private:
  ui_effects saved_;
};

// Pumps the thread's pending messages (posted commands, paints).
void pump_messages();

class button_type;
class check_box_type;
class choice_field_type;
class help_line_type;
class numeric_field_type;
class time_field_type;

// The settings form's widgets in their window order (help base 0), bound to plain integers.
struct settings_form {
  explicit settings_form(test_window& window);

  // The focus as "index", or "index h" / "index m" for the parts of a time field; "none".
  std::string focus() const;

  test_window& window;
  int duration = 10, intensity = 3, rate = 2, type = 2, wake_alarm = 0, dream_alarm = 0;
  int wake_time[2] = {8, 30};
  int delay = 0, sensitivity = 6;
  int cue_start[2] = {12, 0};
  int cue_end[2] = {11, 59};
  int set_presses = 0, reset_presses = 0;

  help_line_type* help = nullptr;
  numeric_field_type* cue_duration = nullptr;
  choice_field_type* cue_type = nullptr;
  check_box_type* wake_alarm_box = nullptr;
  time_field_type* wake_time_field = nullptr;
  numeric_field_type* sensitivity_field = nullptr;
  time_field_type* cue_end_field = nullptr;
  button_type* set_button = nullptr;
};

extern const char* const cue_type_names[6];
