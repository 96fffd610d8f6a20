// The data document: its model, its three windows and its ".sl1" file.
#include "app/data_doc.h"

#include "app/app_type.h"
#include "datawin/data_win_type.h"
#include "model/documents.h"
#include "plotwin/plot_win_type.h"
#include "plotwin/trends_win_type.h"

namespace {
const doc_names data_names = {
    ".sl1", "Somnolux Data (*.SL1)\0*.sl1\0",
    "This operation will overwite the current data document.  Are you sure you want to proceed?"};
}

data_doc::data_doc(app_type& application, data_model document)
    : base_doc(application, data_names), model(std::move(document)) {
  model.changed = [this](data_change change) { show_changes(change); };
  data_window = std::make_unique<data_win_type>(app, model, "Untitled 1");
  plot_window = std::make_unique<plot_win_type>(app, model, "Multi-Record Cue Plot");
  trends_window = std::make_unique<trends_win_type>(app, model);
}

data_doc::~data_doc() {
  model.changed = nullptr;
  trends_window.reset();
  plot_window.reset();
  data_window.reset();
}

win_type& data_doc::main_window() const { return *data_window; }

bool data_doc::owns(const win_type& window) const {
  return &window == data_window.get() || &window == plot_window.get() || &window == trends_window.get();
}

void data_doc::update_menus(const menu_facts& facts) {
  data_window->update_menus(facts);
  plot_window->update_menus(facts);
  trends_window->update_menus(facts);
}

void data_doc::show_changes(data_change change) {
  if (change != data_change::plot_changed && trends_window) trends_window->refresh();
  // Typing reaches only the trends; the Data window's widgets tell it even while they are built.
  if (change == data_change::night_typed) return;
  data_window->show_changes(change);
  if (change == data_change::record_deleted && model.count() == 0) plot_window->hide();  // its plot is gone
  plot_window->invalidate();
}

void data_doc::place_windows() {
  data_window->move_to(model.image.data_rect);
  data_window->invalidate();
  plot_window->move_to(model.image.plot_rect);
  if (model.image.plot.visible) plot_window->show();
  plot_window->invalidate();
  data_window->show();
}

void data_doc::plot_records(win_type& owner) {
  // A dialog owned by the Plot window leaves the Data window free: its records must not change
  // under the dialog's list.
  const HWND data = data_window->window;
  const bool hold_data = &owner != data_window.get();
  if (hold_data) EnableWindow(data, FALSE);
  plot_window->plot_records(owner);
  if (hold_data && IsWindow(data)) EnableWindow(data, TRUE);
}

void data_doc::show_plot() {
  if (model.image.plot.record_count > 0)
    plot_window->show();
  else
    plot_window->plot_records(*data_window);
}

void data_doc::show_trends() {
  trends_window->refresh();
  trends_window->show();
}

trends_place data_doc::trends_now() const { return {trends_window->saved_rect(), trends_window->visible()}; }

void data_doc::place_trends(const trends_place& place) {
  trends_window->move_to(place.rect);
  if (!place.shown) return;
  trends_window->show();
  if (data_window->visible()) data_window->show();  // the new document's own window in front
}

bool data_doc::write(const std::string& file, std::string& reason) {
  data_file_image& image = model.image;
  image.data_rect = data_window->saved_rect();
  image.plot_rect = plot_window->saved_rect();
  image.plot.visible = plot_window->visible() ? 1 : 0;
  model.store();
  return save_data_document(file, image, &reason);
}
