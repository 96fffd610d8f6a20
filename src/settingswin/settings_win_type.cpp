// The Settings window: the form, its commands and menu rules, the reset, the upload and its file section.
#include "settingswin/settings_win_type.h"

#include <ctime>

#include "app/app_type.h"
#include "app/settings_doc.h"
#include "device/device_link.h"
#include "exchange/import_rows.h"
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

settings_win_type::settings_win_type(const char* title, settings_doc* doc) : settings_document(doc) {
  kind = settings_win_kind;
  application = doc->owner;
  RECT rect;
  get_initial_rect(rect);
  create_window({"settings_win_type", "settings_win_type_menu", "somn", 0, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX},
                title, rect);
  create_fonts(14, 12);
  set_defaults(settings);
  build_widgets();
  show_if_wanted();
}

settings_win_type::~settings_win_type() {
  widgets.delete_all();  // before the fonts and the window that they draw with
  delete_fonts();
}

void settings_win_type::get_initial_rect(RECT& rect) {
  const window_rect& first = settings_window_first_rect;
  rect = {first.left, first.top, first.right - first.left, first.bottom - first.top};
}

void settings_win_type::build_widgets() {
  RECT client{};
  GetClientRect(window, &client);
  const int right = client.right - 3;
  // Fields on one row follow each other 25 pixels apart, their widths measured in the display font.
  int cursor = 3;
  auto place = [&](widget_type* widget, int gap = 25) {
    widgets.append(widget);
    cursor = widget->x + widget->get_width() + gap;
  };
  auto row = [&] { cursor = 3; };
  device_settings& s = settings;

  auto* help = new help_line_type(this, 3, 0, "HELP:");
  widgets.append(help);
  widgets.help_line = help;
  widgets.help_base = 0;
  widgets.append(new separator_type(this, 3, 14, right, 14));

  row();
  widgets.default_focus = widgets.count();
  place(new numeric_field_type(this, cursor, 17, "CUE DURATION:", 30, &s.cdur, 1, 255));
  place(new numeric_field_type(this, cursor, 17, "CUE INTENSITY:", 12, &s.intens, 1, 6));
  place(new numeric_field_type(this, cursor, 17, "CUE RATE:", 12, &s.rate, 1, 6));
  row();
  place(new choice_field_type(this, cursor, 33, "CUE TYPE:", 6, cue_types, &s.type));
  widgets.append(new separator_type(this, 3, 51, right, 51));

  row();
  place(new check_box_type(this, cursor, 55, "WAKE-ALARM ON", &s.walarm));
  place(new time_field_type(this, cursor, 55, "WAKE-TIME:", &s.wtimeh_edit, 0));
  place(new check_box_type(this, cursor, 55, "DREAM ALARM ON", &s.dalarm));
  widgets.append(new separator_type(this, 3, 72, right, 72));

  // "x10 minutes" names the delay's unit right after its box; the blanks push SENSITIVITY away.
  row();
  place(new numeric_field_type(this, cursor, 75, "INITIAL DELAY:", 20, &s.delay, 0, 60), 3);
  sensitivity_index = widgets.count();
  place(new numeric_field_type(this, cursor, 75, "x10 minutes         SENSITIVITY:", 20, &s.sens, 1, 10));
  row();
  place(new time_field_type(this, cursor, 90, "CUE PERIOD START:", &s.cstarth_edit, 1));
  place(new time_field_type(this, cursor, 90, "CUE PERIOD END:", &s.cendh_edit, 2));
  widgets.append(new separator_type(this, 3, 106, right, 106));

  auto* set_button = new button_type(this, RECT{90, 110, 240, 130}, "Set Somnolux Settings", [](button_type* b) {
    static_cast<settings_win_type*>(b->owner)->set_device_settings();
  });
  widgets.append(set_button);
  const int left = set_button->rectangle.left + set_button->get_width() + 50;
  widgets.append(new button_type(this, RECT{left, 110, left + 100, 130}, "Reset Settings",
                                 [](button_type* b) { static_cast<settings_win_type*>(b->owner)->reset_settings(); }));
  widgets.reset_focus();
}

void settings_win_type::set_defaults(device_settings& target) { ::reset_settings(target); }

void settings_win_type::draw(HDC hdc) {
  // On paper SENSITIVITY stands 2 pixels further right, clear of the printed "x10 minutes".
  widget_type* sensitivity = printing ? widgets.get(sensitivity_index) : nullptr;
  if (sensitivity) sensitivity->x += 2;
  widgets.draw_all(hdc);
  if (sensitivity) sensitivity->x -= 2;
}

void settings_win_type::close() { application->close_settings_doc(); }

int settings_win_type::handle_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  widgets.route_mouse(hwnd, msg, wp, lp);
  return 0;
}

LRESULT settings_win_type::handle_key(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CHAR) widgets.route_char(hwnd, msg, wp, lp);
  return 0;
}

int settings_win_type::do_command(int id) {
  // Revert replaces the document and with it this window: only locals after the action.
  app_type* const app = application;
  settings_doc* const doc = settings_document;
  switch (id) {
    case IDM_SAVE: doc->save(); break;
    case IDM_SAVE_AS: doc->save_as(); break;
    case IDM_REVERT: app->revert_settings_doc(); break;
    case IDM_EXPORT_REPORT: export_report(); break;
    case IDM_COPY: copy_text(); break;
    case IDM_SET_SETTINGS: set_device_settings(); break;
    case IDM_RESET_SETTINGS: reset_settings(); break;
    default:
      if (do_device_command(id)) return 1;
      return win_type::do_command(id);
  }
  app->update_all_menus();
  return 1;
}

void settings_win_type::update_menus() {
  win_type::update_menus();
  enable_item(IDM_REVERT, settings_document && settings_document->has_file_path());
  enable_item(IDM_SET_SETTINGS, true);
  enable_item(IDM_RESET_SETTINGS, true);
  update_device_items();
}

void settings_win_type::reset_settings() {
  if (application->ask_ok_cancel(overwrite_question, "Reset Deafults?") != 1) return;
  set_defaults(settings);
  invalidate();
}

void settings_win_type::set_device_settings() {
  app_type* const app = application;
  if (app->ask_ok_cancel("This will overwrite the current settings in the Somnolux.  Are you sure you want to proceed?",
                         "Set Somnolux?") != 1)
    return;
  UpdateWindow(window);  // painted before the line blocks the program
  app->show_status("Status", "Setting Somnolux...");
  // The stamp and the clock come from one reading, so that they cannot disagree.
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (const std::tm* read = std::localtime(&now)) local = *read;
  stamp_settings(settings, local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                 local.tm_sec);
  // A failed upload is reported by the link; the stamped settings stay as they are.
  if (app->link) app->link->set_settings(settings);
  app->close_status();
}

settings_section settings_win_type::section() const {
  settings_section out;
  RECT rect{};
  GetWindowRect(window, &rect);
  out.rect = {rect.left, rect.top, rect.right, rect.bottom};
  out.settings = settings;
  return out;
}

void settings_win_type::apply_section(const settings_section& read) {
  const int32_t stored[4] = {read.rect.left, read.rect.top, read.rect.right, read.rect.bottom};
  move_to_stored(stored);
  settings = read.settings;
  invalidate();
}

int settings_win_type::write_to_file(std::FILE* file) { return write_settings_section(file, section()); }

int settings_win_type::read_from_file(std::FILE* file) {
  settings_section read;
  if (!read_settings_section(file, read)) return 0;
  apply_section(read);
  return 1;
}

std::string settings_win_type::make_report_text() {
  std::vector<std::string> texts(static_cast<std::size_t>(widgets.count()));
  for (int i = 0; i < widgets.count(); ++i) widgets.get(i)->get_report_text(texts[static_cast<std::size_t>(i)]);
  return assemble_settings_report(texts, application->version);
}

std::string settings_win_type::add_returns(const std::string& text) { return ::add_returns(text); }

void settings_win_type::export_report() {
  save_report([this] { return make_report_text(); });
}

void settings_win_type::copy_text() {
  copy_report([this] { return make_report_text(); }, [this](const std::string& text) { return add_returns(text); });
}
