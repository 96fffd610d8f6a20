// The Settings window: class, menu rules and the routing of its commands.
#include "settingswin/settings_win_type.h"

#include "app/app_type.h"
#include "app/settings_doc.h"
#include "res/resource_ids.h"

settings_win_type::settings_win_type(const char* title, settings_doc* doc) : settings_document(doc) {
  kind = settings_win_kind;
  application = doc->owner;
  RECT rect;
  get_initial_rect(rect);
  create_window({"settings_win_type", "settings_win_type_menu", "somn", 0, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX},
                title, rect);
  create_fonts(14, 12);
  build_widgets();
  show_if_wanted();
}

settings_win_type::~settings_win_type() { delete_fonts(); }

void settings_win_type::get_initial_rect(RECT& rect) {
  rect.left = 100;
  rect.top = 295;
  rect.right = 552;
  rect.bottom = 177;
}

void settings_win_type::draw(HDC) {
  // The settings form draws here once it is built.
}

void settings_win_type::close() { application->close_settings_doc(); }

int settings_win_type::do_command(int id) {
  // Revert replaces the document and with it this window: only locals after the action.
  app_type* const app = application;
  settings_doc* const doc = settings_document;
  switch (id) {
    case IDM_SAVE:
      doc->save();
      break;
    case IDM_SAVE_AS:
      doc->save_as();
      break;
    case IDM_REVERT:
      app->revert_settings_doc();
      break;
    case IDM_EXPORT_REPORT:
      export_report();
      break;
    case IDM_COPY:
      copy_text();
      break;
    case IDM_SET_SETTINGS:
      set_device_settings();
      break;
    case IDM_RESET_SETTINGS:
      reset_settings();
      break;
    default:
      if (do_device_command(id))
        return 1;
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

void settings_win_type::build_widgets() {}

void settings_win_type::set_device_settings() {}

void settings_win_type::reset_settings() {}
