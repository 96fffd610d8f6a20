// The Data window: class, menu rules and the routing of its commands.
#include "datawin/data_win_type.h"

#include "app/app_type.h"
#include "app/data_doc.h"
#include "device/device_link.h"
#include "res/resource_ids.h"

data_win_type::data_win_type(const char* title, data_doc* doc) {
  kind = data_win_kind;
  document = doc;
  application = doc->owner;
  RECT rect;
  get_initial_rect(rect);
  create_window({"data_win_type", "data_win_type_menu", "somn", 0, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX},
                title, rect);
  create_fonts(14, 12);
  if (application->link)
    application->link->reset_block(working_block);
  download_buffer = working_block;
  build_widgets();
  show_if_wanted();
}

data_win_type::~data_win_type() { delete_fonts(); }

void data_win_type::get_initial_rect(RECT& rect) {
  rect.left = 100;
  rect.top = 25;
  rect.right = 552;
  rect.bottom = 265;
}

void data_win_type::draw(HDC) {
  // The record view, the fields and the browser draw here once they are built.
}

int data_win_type::do_command(int id) {
  app_type* const app = application;
  switch (id) {
    case IDM_EXPORT_REPORT:
      export_report();
      break;
    case IDM_EXPORT_DATABASE:
      export_to_database();
      break;
    case IDM_IMPORT_DATABASE:
      import_from_database();
      return 1;  // no refresh
    case IDM_CUT:
    case IDM_COPY:
    case IDM_PASTE:
    case IDM_CLEAR:
    case IDM_SELECT_ALL:
      if (HWND edit = focused_comments_edit()) {
        switch (id) {
          case IDM_CUT: SendMessageA(edit, WM_CUT, 0, 0); break;
          case IDM_COPY: SendMessageA(edit, WM_COPY, 0, 0); break;
          case IDM_PASTE: SendMessageA(edit, WM_PASTE, 0, 0); break;
          case IDM_CLEAR: SendMessageA(edit, WM_CLEAR, 0, 0); break;
          default: SendMessageA(edit, EM_SETSEL, 0, -1); break;
        }
      } else if (id == IDM_COPY) {
        copy_text();
      }
      break;
    case IDM_SHOW_RECORD:
      show_record();
      break;
    case IDM_DELETE_RECORD:
      delete_record();
      break;
    case IDM_PLOT_RECORDS:
      plot_records();
      break;
    case IDM_GET_DATA:
      get_device_data();
      break;
    default:
      if (do_device_command(id))
        return 1;
      return win_type::do_command(id);
  }
  app->update_all_menus();
  return 1;
}

void data_win_type::update_menus() {
  win_type::update_menus();
  const int count = record_count();
  enable_item(IDM_REVERT, document && document->has_file_path());
  enable_item(IDM_IMPORT_DATABASE, true);
  enable_item(IDM_SHOW_RECORD, count >= 2);
  enable_item(IDM_DELETE_RECORD, current_index != -1);
  enable_item(IDM_PLOT_RECORDS, count >= 1);
  enable_item(IDM_GET_DATA, true);
  update_device_items();
  enable_item(IDM_EXPORT_DATABASE, count >= 1);
  const bool editing = focused_comments_edit() != nullptr;
  for (int id : {IDM_CUT, IDM_PASTE, IDM_CLEAR, IDM_SELECT_ALL})
    enable_item(id, editing);
}

HWND data_win_type::focused_comments_edit() const {
  return nullptr;  // no comments box until the widgets are built
}

void data_win_type::build_widgets() {}

void data_win_type::import_from_database() {}

void data_win_type::show_record() {}

void data_win_type::delete_record() {}

void data_win_type::plot_records_for(win_type*) {}

void data_win_type::plot_records() { plot_records_for(this); }

void data_win_type::get_device_data() {}
