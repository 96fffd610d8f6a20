// The Data window: its widgets, the record list and switching, the download, its file section,
// menu rules and the routing of its commands.
#include "datawin/data_win_type.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "app/app_type.h"
#include "app/data_doc.h"
#include "datawin/export_dialog.h"
#include "datawin/record_browser_type.h"
#include "datawin/record_dialogs.h"
#include "datawin/record_view_type.h"
#include "device/device_link.h"
#include "exchange/exchange_files.h"
#include "exchange/export_rows.h"
#include "exchange/report_texts.h"
#include "plotwin/plot_win_type.h"
#include "res/resource_ids.h"
#include "settingswin/settings_view_type.h"
#include "ui/button_type.h"
#include "ui/edit_text_type.h"
#include "ui/help_line_type.h"
#include "ui/numeric_field_type.h"
#include "ui/separator_type.h"

namespace {

constexpr int first_count_index = 4;  // DREAMS, the default focus
constexpr int help_base = 18;         // the counts' help strings are 22 ... 28

}  // namespace

data_win_type::data_win_type(const char* title, data_doc* doc) {
  kind = data_win_kind;
  document = doc;
  application = doc->owner;
  RECT rect;
  get_initial_rect(rect);
  create_window({"data_win_type", "data_win_type_menu", "somn", 0, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX}, title,
                rect);
  create_fonts(14, 12);
  reset_block(working_block);
  download_buffer = working_block;
  build_widgets();
  show_if_wanted();
}

data_win_type::~data_win_type() {
  widgets.delete_all();  // the comments control goes before the fonts it was given
  records.clear();
  delete_fonts();
}

LRESULT data_win_type::handle_message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND && LOWORD(wp) == edit_text_type::control_id) {
    if (HIWORD(wp) == EN_SETFOCUS) widgets.set_focus_index(comments_index);
    return 0;
  }
  return win_type::handle_message(hwnd, msg, wp, lp);
}

void data_win_type::get_initial_rect(RECT& rect) {
  const window_rect& first = data_window_first_rect;
  rect = {first.left, first.top, first.right - first.left, first.bottom - first.top};
}

void data_win_type::draw(HDC hdc) { widgets.draw_all(hdc); }

int data_win_type::handle_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  widgets.route_mouse(hwnd, msg, wp, lp);
  return 0;
}

LRESULT data_win_type::handle_key(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CHAR) {
    widgets.route_char(hwnd, msg, wp, lp);
  } else if (msg == WM_KEYDOWN && (wp == VK_LEFT || wp == VK_RIGHT) && record_count() >= 2) {
    store_record(current_index);
    const int n = record_count();
    current_index = (current_index + (wp == VK_LEFT ? n - 1 : 1)) % n;
    load_record(current_index);
    widgets.reset_focus();
    invalidate();
  }
  return 0;
}

int data_win_type::do_command(int id) {
  app_type* const app = application;
  switch (id) {
    case IDM_EXPORT_REPORT: export_report(); break;
    case IDM_EXPORT_DATABASE: export_to_database(); break;
    case IDM_IMPORT_DATABASE: import_from_database(); return 1;  // no refresh
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
    case IDM_PLOT_RECORDS: plot_records(); break;
    case IDM_GET_DATA: get_device_data(); break;
    default:
      if (do_device_command(id)) return 1;
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
  for (int id : {IDM_CUT, IDM_PASTE, IDM_CLEAR, IDM_SELECT_ALL}) enable_item(id, editing);
}

HWND data_win_type::focused_comments_edit() const {
  return comments && widgets.focus_index == comments_index ? comments->control : nullptr;
}

void data_win_type::build_widgets() {
  RECT client{};
  GetClientRect(window, &client);
  const int r = client.right - 3;
  auto add = [this](auto* widget) {
    widgets.append(widget);
    return widget;
  };
  record_view = add(new record_view_type(this, RECT{3, 3, r, 70}, "Remplot"));
  add(new separator_type(this, 3, 71, r, 71));
  auto* help = add(new help_line_type(this, 3, 72, "HELP:"));
  add(new separator_type(this, 3, 86, r, 86));
  static const char* const labels[journal_count_total] = {
      "DREAMS:", "LUCID DREAMS:", "RTLDs:", "QLDs:", "WILDs:", "DREAM CUES:", "CUE AWAKENINGS:"};
  widget_type* previous = nullptr;
  for (int i = 0; i < journal_count_total; ++i) {
    // Four fields on the first row, three on the second, each 25 pixels right of the one before.
    const bool row_start = i == 0 || i == wilds;
    const int x = row_start ? 3 : previous->x + previous->get_width() + 25;
    previous = add(new numeric_field_type(this, x, i < wilds ? 89 : 105, labels[i], 0, &counts[i], 0, 99));
  }
  add(new widget_type(this, previous->x + previous->get_width() + 25, 105, "COMMENTS:"));
  comments = add(new edit_text_type(this, RECT{3, 121, r, 152}, "Comments"));
  comments_index = widgets.index_of(comments);
  add(new separator_type(this, 3, 155, r, 155));
  settings_view = add(new settings_view_type(this, RECT{3, 159, r, 191}, "Settings"));
  add(new separator_type(this, 3, 194, r, 194));
  auto* get = add(new button_type(this, RECT{10, 198, 210, 218}, "Get Somnolux Settings and Data",
                                  [this](button_type*) { get_device_data(); }));
  browser = add(new record_browser_type(this, RECT{10 + get->get_width() + 10, 198, r, 218}, "Data records"));
  widgets.help_line = help;
  widgets.help_base = help_base;
  widgets.default_focus = first_count_index;
  widgets.reset_focus();
}

void data_win_type::load_record(int index) {
  if (index >= record_count()) return;
  std::string comment;
  if (index >= 0) {
    const data_record& record = records[static_cast<std::size_t>(index)];
    working_block = record.block;
    std::copy(std::begin(record.counts), std::end(record.counts), std::begin(counts));
    comment = record.comment;
  } else {
    reset_block(working_block);
    std::fill(std::begin(counts), std::end(counts), 0);
    no_record = 1;
  }
  download_buffer = working_block;
  if (comments && comments->control) SetWindowTextA(comments->control, comment.c_str());
}

void data_win_type::store_record(int index) {
  if (index < 0 || index >= record_count()) return;
  data_record& record = records[static_cast<std::size_t>(index)];
  record.block = working_block;
  std::copy(std::begin(counts), std::end(counts), std::begin(record.counts));
  record.comment.clear();
  const int length = comments && comments->control ? GetWindowTextLengthA(comments->control) : 0;
  if (length > 0) {
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(comments->control, text.data(), length + 1);
    record.comment = text.c_str();  // up to an embedded NUL, as the stored text would be
  }
}

int data_win_type::write_to_file(std::FILE* file) {
  if (!win_type::write_to_file(file)) return 0;
  data_window_state state;
  state.working_block = working_block;
  std::copy(std::begin(counts), std::end(counts), std::begin(state.counts));
  state.no_record = no_record;
  store_record(current_index);
  return write_data_window_body(file, state, records) ? 1 : 0;
}

int data_win_type::read_from_file(std::FILE* file) {
  if (!win_type::read_from_file(file)) return 0;
  data_window_state state;
  const bool read = read_data_window_body(file, state, records);
  if (!read) return 0;
  working_block = state.working_block;
  std::copy(std::begin(state.counts), std::end(state.counts), std::begin(counts));
  current_index = record_count() - 1;
  load_record(current_index);
  no_record = state.no_record;  // as the file kept it, also when no record is left to show
  invalidate();
  return 1;
}

void data_win_type::show_record() {
  record_dialog_state& state = record_dialogs;
  if (state.show_record_open) return;
  state.selected_record = current_index;
  state.show_lines = record_list_lines(records);
  state.show_record_open = 1;
  const HWND own = window;
  const INT_PTR result = application->run_dialog("show_record_dlog", show_record_proc, own);
  state.show_record_open = 0;
  state.show_lines.clear();
  if (!IsWindow(own)) return;  // the document was replaced from another window meanwhile
  const int chosen = state.selected_record;
  if (result != 0 || chosen == current_index || chosen < 0 || chosen >= record_count()) return;
  store_record(current_index);
  current_index = chosen;
  load_record(current_index);
  invalidate();
}

void data_win_type::delete_record() {
  if (current_index < 0 || current_index >= record_count()) return;
  app_type* const app = application;
  if (app->ask_ok_cancel("Are you sure you want to permanently delete this record?", "Delete Record?") != 1) return;
  // The record goes with its journal and comment; unsaved edits of it are dropped, not stored.
  records.erase(records.begin() + current_index);
  current_index = records.empty() ? -1 : std::max(current_index - 1, 0);
  load_record(current_index);
  invalidate();
  if (records.empty()) document->plot_window->clear_contents();
  app->update_all_menus();
}

void data_win_type::plot_records_for(win_type* owner_window) {
  record_dialog_state& state = record_dialogs;
  if (records.empty() || state.plot_records_open) return;
  app_type* const app = application;
  plot_win_type* const plot = document->plot_window.get();
  state.plot_lines = record_list_lines(records);
  state.plot_selection.clear();
  state.plot_series = plot->series;
  state.plot_records_open = 1;
  const HWND own = window;
  const INT_PTR result =
      app->run_dialog("plot_records_dlog", plot_records_proc, owner_window ? owner_window->window : own);
  state.plot_records_open = 0;
  state.plot_lines.clear();
  if (IsWindow(own) && result == 0) {  // not when the document was replaced meanwhile
    plot->series = state.plot_series;
    if (!state.plot_selection.empty()) plot->build_plot(state.plot_selection);
  }
  state.plot_selection.clear();
  app->update_all_menus();
}

void data_win_type::plot_records() { plot_records_for(this); }

void data_win_type::get_device_data() {
  app_type* const app = application;
  store_record(current_index);
  UpdateWindow(window);
  app->show_status("Status", "Getting Somnolux Data...");
  const int result = app->link ? app->link->get_data(download_buffer) : 0;
  app->close_status();
  if (result != 1) return;  // the link has said what went wrong
  if (download_buffer.tstamp == 0) {
    app->show_message("There is no data in the Somnolux.  The current data will not be changed.");
    return;
  }
  working_block = download_buffer;
  no_record = 0;
  records.push_back(new_record(working_block));
  current_index = record_count() - 1;
  load_record(current_index);
  invalidate();
}

std::vector<std::string> data_win_type::widget_texts(bool report) {
  std::vector<std::string> texts(static_cast<std::size_t>(widgets.count()));
  for (int i = 0; i < widgets.count(); ++i) {
    std::string& text = texts[static_cast<std::size_t>(i)];
    if (i == comments_index && comments)
      text = report ? comments->get_text_lines() : comments->get_quoted_text();
    else if (report)
      widgets.get(i)->get_report_text(text);
    else
      widgets.get(i)->get_export_text(text);
  }
  return texts;
}

std::string data_win_type::make_report_text() {
  return assemble_data_report(widget_texts(true), working_block, application->version);
}

std::string data_win_type::make_export_row() {
  return assemble_export_row(widget_texts(false), working_block, application->version);
}

std::string data_win_type::add_returns(const std::string& text) { return ::add_returns(text); }

void data_win_type::export_report() {
  save_report([this] { return make_report_text(); });
}

void data_win_type::copy_text() {
  copy_report([this] { return make_report_text(); }, [this](const std::string& text) { return add_returns(text); });
}

void data_win_type::export_to_database() {
  app_type* const app = application;
  export_dialog.lines = record_list_lines(records);
  export_dialog.include_field_names = 1;
  export_dialog.selection.clear();
  const INT_PTR result = app->run_dialog("export_records_dlog", export_records_proc, window);
  export_dialog.lines.clear();
  const std::vector<int> chosen = std::move(export_dialog.selection);
  export_dialog.selection.clear();
  if (result != 0 || chosen.empty()) return;

  char path[264] = "";
  std::strcpy(path, data_file_name);
  char title[512] = "";
  if (app->choose_file_to_save(path, title, "Somnolux Data (*.TXT)\0*.txt\0", "txt", window, "Save Data") != 1) return;
  path[sizeof path - 1] = '\0';
  // Each chosen record is shown in turn, so that its row is what the window would show of it.
  std::string text = export_dialog.include_field_names ? export_header() : std::string();
  const int shown = current_index;
  store_record(shown);
  for (int position : chosen) {
    if (position >= record_count()) continue;
    load_record(position);
    text += rec_column(position + 1);
    text += make_export_row();
  }
  load_record(shown);
  if (const char* failure = write_export_file(path, text)) app->show_message(failure);
}

void data_win_type::import_from_database() {
  app_type* const app = application;
  char path[264] = "";
  char title[512] = "";
  if (app->choose_file_to_read(path, title, "Text File (*.TXT)\0*.txt\0", "txt", window) != 1) return;
  path[sizeof path - 1] = '\0';
  std::FILE* file = std::fopen(path, "rb");
  if (!file) {
    app->show_message(database_open_failed);
    return;
  }
  store_record(current_index);
  const int before = record_count();
  // Lines that are no rows of this program (the field names, other programs' rows) are skipped.
  for (std::string line; read_line(file, line);) {
    data_record record;
    if (parse_record(line, record) == 1) records.push_back(std::move(record));
  }
  std::fclose(file);
  import_reader.reset();
  import_file = nullptr;
  const int added = record_count() - before;
  if (added > 0) {
    current_index = record_count() - 1;
    load_record(current_index);
    no_record = 0;
    invalidate();
    app->update_all_menus();
  }
  app->show_message(imported_message(static_cast<std::size_t>(added)).c_str());
}

bool data_win_type::read_line(std::FILE* file, std::string& line) {
  if (!import_reader || import_file != file) {
    import_reader = std::make_unique<line_reader>(file);
    import_file = file;
  }
  return import_reader->read_line(line);
}

int data_win_type::parse_record(std::string& line, data_record& record) {
  return ::parse_record(line, import_fields, record) ? 1 : 0;
}

void data_win_type::split_fields(std::string& line) { import_fields.split_fields(line); }

int data_win_type::field_count() { return import_fields.field_count(); }

const char* data_win_type::field_text(int index) { return import_fields.field_text(index); }

int data_win_type::field_length(int index) { return import_fields.field_length(index); }

int data_win_type::field_int(int index) { return import_fields.field_int(index); }
