// The Data window: its widgets, switching between records, the download, the exchange commands and
// its menu rules.
#include "datawin/data_win_type.h"

#include <cstdio>
#include <memory>
#include <new>
#include <string>

#include "datawin/export_dialog.h"
#include "datawin/record_browser_type.h"
#include "datawin/record_dialogs.h"
#include "datawin/record_view_type.h"
#include "datawin/settings_view_type.h"
#include "device/device_link.h"
#include "exchange/document_exchange.h"
#include "exchange/exchange_files.h"
#include "exchange/help_strings.h"
#include "res/resource_ids.h"
#include "ui/button_type.h"
#include "ui/desktop_io.h"
#include "ui/edit_text_type.h"
#include "ui/help_line_type.h"
#include "ui/numeric_field_type.h"
#include "ui/separator_type.h"

namespace {

constexpr int first_count_index = 4;  // DREAMS, the default focus

}  // namespace

data_win_type::data_win_type(window_host& window_host, data_model& document, const std::string& title)
    : win_type(window_host), model(document) {
  create_window({"data_win_type", "data_win_type_menu", "somn", 0, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX}, title,
                data_window_first_rect);
  create_fonts(14, 12);
  build_widgets();
  comments->set_text(model.comment);
  show_if_wanted();
}

data_win_type::~data_win_type() {
  widgets.delete_all();  // the comments control goes before the fonts it was given
}

LRESULT data_win_type::handle_message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND && LOWORD(wp) == edit_text_type::control_id) {
    if (HIWORD(wp) == EN_SETFOCUS) widgets.set_focus_index(comments_index);
    if (HIWORD(wp) == EN_CHANGE && comments) model.comment = comments->text_of_control();
    return 0;
  }
  return win_type::handle_message(hwnd, msg, wp, lp);
}

void data_win_type::draw(HDC hdc) { widgets.draw_all(hdc); }

void data_win_type::handle_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { widgets.route_mouse(hwnd, msg, wp, lp); }

LRESULT data_win_type::handle_key(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CHAR) {
    widgets.route_char(hwnd, msg, wp, lp);
  } else if (msg == WM_KEYDOWN && (wp == VK_LEFT || wp == VK_RIGHT) && model.count() >= 2) {
    model.step(wp == VK_LEFT ? -1 : 1);
    widgets.reset_focus();
  }
  return 0;
}

void data_win_type::widgets_changed() {
  model.typed();
  win_type::widgets_changed();
}

void data_win_type::show_changes(data_change change) {
  if (change == data_change::plot_changed || change == data_change::night_typed) return;
  comments->set_text(model.comment);
  for (numeric_field_type* field : count_fields) field->forget_typing();  // counts of this night start afresh
  invalidate();
}

bool data_win_type::do_command(int id) {
  window_host& program = host;  // Plot Records may run into a document that was replaced meanwhile
  switch (id) {
    case IDM_EXPORT_REPORT: export_report(); break;
    case IDM_EXPORT_DATABASE: export_to_database(); break;
    case IDM_IMPORT_DATABASE: import_from_database(); return true;  // no refresh
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
    case IDM_SHOW_RECORD: show_record(); break;
    case IDM_DELETE_RECORD: delete_record(); break;
    case IDM_GET_DATA: get_device_data(); break;
    default: return win_type::do_command(id);
  }
  program.update_all_menus();
  return true;
}

void data_win_type::update_menus(const menu_facts& facts) {
  win_type::update_menus(facts);
  const int count = model.count();
  enable_item(IDM_REVERT, facts.data_path);
  enable_item(IDM_IMPORT_DATABASE, true);
  enable_item(IDM_SHOW_RECORD, count >= 2);
  enable_item(IDM_DELETE_RECORD, model.has_current());
  enable_item(IDM_PLOT_RECORDS, count >= 1);
  enable_item(IDM_GET_DATA, true);
  update_device_items(*this, facts);
  enable_item(IDM_EXPORT_DATABASE, count >= 1);
  const bool editing = focused_comments_edit() != nullptr;
  for (int id : {IDM_CUT, IDM_PASTE, IDM_CLEAR, IDM_SELECT_ALL}) enable_item(id, editing);
}

HWND data_win_type::focused_comments_edit() const {
  return comments && widgets.focus_index == comments_index ? comments->control : nullptr;
}

void data_win_type::build_widgets() {
  RECT client{};
  GetClientRect(window, &client);
  const int r = client.right - 3;
  widgets.add(std::make_unique<record_view_type>(this, RECT{3, 3, r, 70}));
  widgets.add(std::make_unique<separator_type>(this, 3, 71, r, 71));
  help = widgets.add(std::make_unique<help_line_type>(this, 3, 72, "HELP:"));
  widgets.add(std::make_unique<separator_type>(this, 3, 86, r, 86));
  widget_type* previous = nullptr;
  for (int i = 0; i < journal_count_total; ++i) {
    // Four fields on the first row, three on the second, each 25 pixels right of the one before.
    const bool row_start = i == 0 || i == wilds;
    const int x = row_start ? 3 : previous->x + previous->get_width() + 25;
    auto* field = widgets.add(std::make_unique<numeric_field_type>(
        this, x, i < wilds ? 89 : 105, journal_count_labels[i], 0, &model.image.data.counts[i], 0, 99));
    count_fields.push_back(field);
    previous = field;
  }
  widgets.add(std::make_unique<widget_type>(this, previous->x + previous->get_width() + 25, 105, "COMMENTS:"));
  comments = widgets.add(std::make_unique<edit_text_type>(this, RECT{3, 121, r, 152}, "Comments"));
  comments_index = widgets.index_of(comments);
  widgets.add(std::make_unique<separator_type>(this, 3, 155, r, 155));
  widgets.add(std::make_unique<settings_view_type>(this, RECT{3, 159, r, 191}));
  widgets.add(std::make_unique<separator_type>(this, 3, 194, r, 194));
  auto* get = widgets.add(std::make_unique<button_type>(this, RECT{10, 198, 210, 218}, "Get Somnolux Settings and Data",
                                                        [this](button_type*) { get_device_data(); }));
  browser = widgets.add(std::make_unique<record_browser_type>(this, RECT{10 + get->get_width() + 10, 198, r, 218}));
  widgets.help_line = help;
  widgets.help_base = DATA_WINDOW_HELP_BASE;
  widgets.default_focus = first_count_index;
  widgets.reset_focus();
}

void data_win_type::show_record() {
  if (show_record_open_) return;
  show_record_state state{model.list_lines(), model.current};
  show_record_open_ = true;
  const HWND own = window;
  const INT_PTR result = host.run_dialog("show_record_dlog", show_record_proc, own, reinterpret_cast<LPARAM>(&state));
  if (!IsWindow(own)) return;  // the document was replaced from another window meanwhile
  show_record_open_ = false;
  const int chosen = state.selected_record;
  if (result != 0 || chosen == model.current || chosen < 0 || chosen >= model.count()) return;
  model.switch_to(chosen);
}

void data_win_type::delete_record() {
  if (!model.has_current()) return;
  window_host& program = host;
  if (!program.ask_ok_cancel("Are you sure you want to permanently delete this record?", "Delete Record?")) return;
  model.delete_current();
  program.update_all_menus();
}

void data_win_type::plot_records() { host.route_command(IDM_PLOT_RECORDS, *this); }

void data_win_type::get_device_data() {
  window_host& program = host;
  model.store();
  UpdateWindow(window);
  program.show_status("Status", "Getting Somnolux Data...");
  device_link* const link = program.link();
  const int result = link ? link->get_data(model.download_buffer) : 0;
  program.close_status();
  if (result != 1) return;  // the link has said what went wrong
  if (model.download_buffer.tstamp == 0) {
    program.show_message(no_device_data_message);
    return;
  }
  model.append_night(model.download_buffer);
}

std::string data_win_type::report_text() const {
  return data_report_text(shown_view(model, help->help_text), program_version);
}

void data_win_type::export_report() {
  save_report(*this, [this] { return report_text(); });
}

void data_win_type::copy_text() {
  copy_report(*this, [this] { return report_text(); });
}

void data_win_type::export_to_database() {
  window_host& program = host;
  export_dialog_state state{model.list_lines(), {}, true};
  const INT_PTR result =
      program.run_dialog("export_records_dlog", export_records_proc, window, reinterpret_cast<LPARAM>(&state));
  if (result != 0 || state.selection.empty()) return;
  file_choice choice;
  choice.path = data_file_name;
  choice.filter = "Somnolux Data (*.TXT)\0*.txt\0";
  choice.extension = "txt";
  choice.caption = "Save Data";
  choice.owner = window;
  if (!program.choose_file(choice)) return;
  const char* failure = nullptr;
  try {
    const std::string text = export_rows(model, state.selection, state.include_field_names, program_version);
    failure = write_export_file(choice.path, text);
  } catch (const std::bad_alloc&) {
    failure = export_memory_failed;  // no file was made, and the night shown is as it was
  }
  if (failure) program.show_message(failure);
}

void data_win_type::import_from_database() {
  window_host& program = host;
  file_choice choice;
  choice.mode = file_choice::kind::read;
  choice.filter = "Text File (*.TXT)\0*.txt\0";
  choice.extension = "txt";
  choice.owner = window;
  if (!program.choose_file(choice)) return;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(choice.path.c_str(), "rb"), std::fclose);
  if (!file) {
    program.show_message(database_open_failed);
    return;
  }
  // Lines that are no rows of this program (the field names, other programs' rows) are skipped.
  std::size_t added = 0;
  try {
    line_reader reader(file.get());
    added = import_rows(model, reader);
  } catch (const std::bad_alloc&) {
    file.reset();
    program.show_message(import_memory_failed);  // nothing was added
    return;
  }
  if (added > 0) program.update_all_menus();
  program.show_message(imported_message(added));
}
