// The Plot window: class, closing by hiding, menu rules and the routing of its commands.
#include "plotwin/plot_win_type.h"

#include <algorithm>

#include "app/app_type.h"
#include "app/data_doc.h"
#include "datawin/data_win_type.h"
#include "model/data_file.h"
#include "res/resource_ids.h"

plot_win_type::plot_win_type(const char* title, data_doc* doc) {
  kind = plot_win_kind;
  document = doc;
  application = doc->owner;
  RECT rect;
  get_initial_rect(rect);
  create_window({"plot_win_type", "plot_win_type_menu", "somn", 0, WS_OVERLAPPEDWINDOW}, title, rect);
  create_fonts(12, 0);
  refresh_contents();
  UpdateWindow(window);  // no ShowWindow: hidden until something is plotted or it is asked for
}

plot_win_type::~plot_win_type() { delete_fonts(); }

LRESULT plot_win_type::handle_message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SIZE) {
    refresh_contents();
    invalidate();
  } else if (msg == WM_LBUTTONDBLCLK && document) {
    document->data_window->plot_records_for(this);
  }
  return win_type::handle_message(hwnd, msg, wp, lp);
}

void plot_win_type::get_initial_rect(RECT& rect) {
  rect.left = 200;
  rect.top = 100;
  rect.right = 500;
  rect.bottom = 325;
}

void plot_win_type::draw(HDC) {
  // The axes, the series and the legend are drawn here once plotting is built.
}

void plot_win_type::close() { hide(); }

int plot_win_type::do_command(int id) {
  app_type* const app = application;
  switch (id) {
    case IDM_COPY:
      copy_text();
      break;
    case IDM_PLOT_RECORDS:
      document->data_window->plot_records_for(this);
      break;
    default:
      return win_type::do_command(id);
  }
  app->update_all_menus();
  return 1;
}

void plot_win_type::clear_contents() {
  hide();
  record_count = 0;
  max = 0;
  std::fill(std::begin(cues), std::end(cues), 0);
  std::fill(std::begin(cues_not_delivered), std::end(cues_not_delivered), 0);
  std::fill(std::begin(combined), std::end(combined), 0);
}

int plot_win_type::write_to_file(std::FILE* file) {
  if (!win_type::write_to_file(file))
    return 0;
  plot_sums sums;
  sums.visible = IsWindowVisible(window) ? 1 : 0;
  sums.record_count = record_count;
  sums.max = max;
  std::copy(std::begin(cues), std::end(cues), sums.cues);
  std::copy(std::begin(cues_not_delivered), std::end(cues_not_delivered), sums.not_delivered);
  return write_plot_body(file, sums) ? 1 : 0;
}

int plot_win_type::read_from_file(std::FILE* file) {
  plot_sums sums;
  if (!win_type::read_from_file(file) || !read_plot_body(file, sums))
    return 0;
  record_count = sums.record_count;
  max = sums.max;
  std::copy(std::begin(sums.cues), std::end(sums.cues), cues);
  std::copy(std::begin(sums.not_delivered), std::end(sums.not_delivered), cues_not_delivered);
  std::copy(std::begin(sums.combined), std::end(sums.combined), combined);
  if (sums.visible)
    show();
  invalidate();
  return 1;
}

void plot_win_type::update_menus() {
  win_type::update_menus();
  enable_item(IDM_REVERT, document && document->has_file_path());
  enable_item(IDM_PLOT_RECORDS, document && document->data_window->record_count() >= 1);
  enable_item(IDM_COPY, true);
}
