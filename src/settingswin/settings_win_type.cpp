// The Settings window: the form, its commands and menu rules, the reset, the upload and its file section.
#include "settingswin/settings_win_type.h"

#include <ctime>

#include "device/device_link.h"
#include "exchange/exchange_files.h"
#include "exchange/help_strings.h"
#include "exchange/report_texts.h"
#include "res/resource_ids.h"
#include "ui/button_type.h"
#include "ui/check_box_type.h"
#include "ui/choice_field_type.h"
#include "ui/help_line_type.h"
#include "ui/numeric_field_type.h"
#include "ui/separator_type.h"
#include "ui/time_field_type.h"

namespace {

const char* const cue_types[] = {
    "0: External trigger pulse only",        "1: Light only, both eyes at once",
    "2: Light only, alternating eyes",       "3: Sound only",
    "4: Light and Sound, both eyes at once", "5: Light and Sound, alternating eyes",
};

constexpr const char* overwrite_question =
    "This will overwrite the current Somnolux settings.  Are you sure you want to proceed?";

}  // namespace

settings_win_type::settings_win_type(window_host& window_host, settings_section& document_section,
                                     const std::string& title)
    : win_type(window_host), section(document_section) {
  create_window({"settings_win_type", "settings_win_type_menu", "somn", 0, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX},
                title, settings_window_first_rect);
  create_fonts(14, 12);
  build_widgets();
  show_if_wanted();
}

settings_win_type::~settings_win_type() {
  widgets.delete_all();  // before the fonts and the window that they draw with
}

void settings_win_type::build_widgets() {
  RECT client{};
  GetClientRect(window, &client);
  const int right = client.right - 3;
  // Fields on one row follow each other 25 pixels apart, their widths measured in the display font.
  int cursor = 3;
  auto place = [&](auto widget, int gap = 25) {
    auto* placed = widgets.add(std::move(widget));
    cursor = placed->x + placed->get_width() + gap;
  };
  auto row = [&] { cursor = 3; };
  auto separator = [&](int y) { widgets.add(std::make_unique<separator_type>(this, 3, y, right, y)); };
  auto number = [&](int y, const char* label, int box, int32_t& value, int low, int high) {
    return std::make_unique<numeric_field_type>(this, cursor, y, label, box, &value, low, high);
  };
  device_settings& s = section.settings;

  help = widgets.add(std::make_unique<help_line_type>(this, 3, 0, "HELP:"));
  widgets.help_line = help;
  widgets.help_base = SETTINGS_WINDOW_HELP_BASE;
  separator(14);

  row();
  widgets.default_focus = widgets.count();
  place(number(17, "CUE DURATION:", 30, s.cdur, 1, 255));
  place(number(17, "CUE INTENSITY:", 12, s.intens, 1, 6));
  place(number(17, "CUE RATE:", 12, s.rate, 1, 6));
  row();
  place(std::make_unique<choice_field_type>(this, cursor, 33, "CUE TYPE:", 6, cue_types, &s.type));
  separator(51);

  row();
  place(std::make_unique<check_box_type>(this, cursor, 55, "WAKE-ALARM ON", &s.walarm));
  place(std::make_unique<time_field_type>(this, cursor, 55, "WAKE-TIME:", &s.wtimeh_edit, 0));
  place(std::make_unique<check_box_type>(this, cursor, 55, "DREAM ALARM ON", &s.dalarm));
  separator(72);

  // "x10 minutes" names the delay's unit right after its box; the blanks push SENSITIVITY away.
  row();
  place(number(75, "INITIAL DELAY:", 20, s.delay, 0, 60), 3);
  sensitivity_index_ = widgets.count();
  place(number(75, "x10 minutes         SENSITIVITY:", 20, s.sens, 1, 10));
  row();
  place(std::make_unique<time_field_type>(this, cursor, 90, "CUE PERIOD START:", &s.cstarth_edit, 1));
  place(std::make_unique<time_field_type>(this, cursor, 90, "CUE PERIOD END:", &s.cendh_edit, 2));
  separator(106);

  auto* set_button = widgets.add(std::make_unique<button_type>(this, RECT{90, 110, 240, 130}, "Set Somnolux Settings",
                                                               [this](button_type*) { set_device_settings(); }));
  const int left = set_button->rectangle.left + set_button->get_width() + 50;
  widgets.add(std::make_unique<button_type>(this, RECT{left, 110, left + 100, 130}, "Reset Settings",
                                            [this](button_type*) { reset_settings(); }));
  widgets.reset_focus();
}

void settings_win_type::draw(HDC hdc) {
  // On paper SENSITIVITY stands 2 pixels further right, clear of the printed "x10 minutes".
  widget_type* sensitivity = printing ? widgets.get(sensitivity_index_) : nullptr;
  if (sensitivity) sensitivity->x += 2;
  widgets.draw_all(hdc);
  if (sensitivity) sensitivity->x -= 2;
}

void settings_win_type::handle_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  widgets.route_mouse(hwnd, msg, wp, lp);
}

LRESULT settings_win_type::handle_key(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CHAR) widgets.route_char(hwnd, msg, wp, lp);
  return 0;
}

bool settings_win_type::do_command(int id) {
  window_host& program = host;
  switch (id) {
    case IDM_EXPORT_REPORT: export_report(); break;
    case IDM_COPY: copy_text(); break;
    case IDM_SET_SETTINGS: set_device_settings(); break;
    case IDM_RESET_SETTINGS: reset_settings(); break;
    default: return win_type::do_command(id);
  }
  program.update_all_menus();
  return true;
}

void settings_win_type::update_menus(const menu_facts& facts) {
  win_type::update_menus(facts);
  enable_item(IDM_REVERT, facts.settings_path);
  enable_item(IDM_SET_SETTINGS, true);
  enable_item(IDM_RESET_SETTINGS, true);
  update_device_items(*this, facts);
}

void settings_win_type::reset_settings() {
  if (!host.ask_ok_cancel(overwrite_question, "Reset Deafults?")) return;
  ::reset_settings(section.settings);
  invalidate();
}

void settings_win_type::set_device_settings() {
  window_host& program = host;
  if (!program.ask_ok_cancel(
          "This will overwrite the current settings in the Somnolux.  Are you sure you want to proceed?",
          "Set Somnolux?"))
    return;
  UpdateWindow(window);  // painted before the line blocks the program
  program.show_status("Status", "Setting Somnolux...");
  // The stamp and the clock come from one reading, so that they cannot disagree.
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (const std::tm* read = std::localtime(&now)) local = *read;
  device_settings& settings = section.settings;
  stamp_settings(settings, local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                 local.tm_sec);
  // A failed upload is reported by the link; the stamped settings stay as they are.
  if (device_link* link = program.link()) link->set_settings(settings);
  program.close_status();
}

std::string settings_win_type::report_text() const {
  return settings_report_text(section.settings, help->help_text, program_version);
}

void settings_win_type::export_report() {
  save_report(*this, [this] { return report_text(); });
}

void settings_win_type::copy_text() {
  copy_report(*this, [this] { return report_text(); });
}
