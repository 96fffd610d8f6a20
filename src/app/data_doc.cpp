// The data document: its two windows, its questions, its ".sl1" file and the save commands.
#include "app/data_doc.h"

#include <cstring>

#include "app/app_type.h"
#include "app/doc_tags.h"
#include "datawin/data_win_type.h"
#include "plotwin/plot_win_type.h"

data_doc::data_doc(app_type* application) : owner(application) {
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

void data_doc::get_title(char* buffer, int size) const {
  buffer[0] = '\0';
  GetWindowTextA(data_window->window, buffer, size);
}

int data_doc::choose_file(char* file, char* title) {
  return owner->choose_file_to_save(file, title, "Somnolux Data (*.SL1)\0*.sl1\0", "sl1", data_window->window);
}

void data_doc::save() {
  if (!has_file_path()) {
    save_as();
    return;
  }
  // A failed save is not reported; the previous file stays untouched.
  if (save_document_file(path, [this](std::FILE* file) { return write_to_file(file); }))
    owner->update_all_menus();
}

void data_doc::save_as() {
  char title[512];
  get_title(title, sizeof title);
  owner->add_extension(title, ".sl1");
  char file[264];
  std::snprintf(file, 261, "%s", has_file_path() ? path : title);
  char chosen_title[512] = "";
  if (!choose_file(file, chosen_title))
    return;
  file[260] = '\0';
  chosen_title[511] = '\0';
  std::snprintf(path, 261, "%s", file);
  owner->strip_extension(chosen_title, ".sl1");
  SetWindowTextA(data_window->window, chosen_title);
  save();
}

int data_doc::query_close() {
  char title[512];
  get_title(title, sizeof title);
  char text[600];
  std::snprintf(text, sizeof text, "Do you want to save \"%s\" before closing?", title);
  switch (owner->ask_yes_no_cancel(text, "Save before closing?")) {
    case 1:
      save();
      return 1;
    case 0:
      return 1;
    default:
      return 0;
  }
}

int data_doc::confirm_replace() {
  return owner->ask_ok_cancel(
      "This operation will overwite the current data document.  Are you sure you want to proceed?", "Warning!");
}

int data_doc::confirm_revert() {
  char title[512];
  get_title(title, sizeof title);
  char text[640];
  std::snprintf(text, sizeof text,
                "This operation will throw away all changes to \"%s\".  Are you sure you want to proceed?", title);
  return owner->ask_ok_cancel(text, "Revert file?");
}

int data_doc::write_to_file(std::FILE* file) {
  if (!write_doc_tag(file, "NIGHTGLOW App") || !write_doc_tag(file, "Doc type") || !write_doc_tag(file, "0.001"))
    return 0;
  if (!data_window->write_to_file(file))
    return 0;
  return plot_window->write_to_file(file) ? 1 : 0;
}

int data_doc::read_from_file(std::FILE* file) {
  char tag[doc_tag_size + 1];
  if (!read_doc_tag(file, tag))
    return -1;
  if (!is_program_tag(tag))
    return -2;
  if (!read_doc_tag(file, tag))
    return -3;
  if (std::strcmp(tag, "Doc type") != 0)
    return -4;
  if (!read_doc_tag(file, tag))
    return -5;
  if (std::strcmp(tag, "0.001") != 0)
    return -6;
  if (!data_window->read_from_file(file))
    return -7;
  if (!plot_window->read_from_file(file))
    return -8;
  data_window->show();
  return 1;
}
