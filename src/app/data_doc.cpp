// The data document: its two windows and its ".sl1" file.
#include "app/data_doc.h"

#include "datawin/data_win_type.h"
#include "model/doc_file.h"
#include "plotwin/plot_win_type.h"

namespace {
const doc_names data_names = {
    data_doc_type_tag, ".sl1", "Somnolux Data (*.SL1)\0*.sl1\0",
    "This operation will overwite the current data document.  Are you sure you want to proceed?"};
}

data_doc::data_doc(app_type* application) : base_doc(application, data_names) {
  data_window = std::make_unique<data_win_type>("Untitled 1", this);
  plot_window = std::make_unique<plot_win_type>("Multi-Record Cue Plot", this);
}

data_doc::~data_doc() {
  plot_window.reset();
  data_window.reset();
}

void data_doc::update_menus() {
  data_window->update_menus();
  plot_window->update_menus();
}

int data_doc::write_to_file(std::FILE* file) {
  return write_header(file) && data_window->write_to_file(file) && plot_window->write_to_file(file) ? 1 : 0;
}

int data_doc::read_from_file(std::FILE* file) {
  const int header = read_header(file);
  if (header != 1) return header;
  if (!data_window->read_from_file(file)) return -7;
  if (!plot_window->read_from_file(file)) return -8;
  data_window->show();
  return 1;
}

win_type* data_doc::main_window() const { return data_window.get(); }
