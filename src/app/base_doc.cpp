// What the data and settings documents share: path, save commands, questions and file header.
#include "app/base_doc.h"

#include <windows.h>

#include <cstring>

#include "app/app_type.h"
#include "model/doc_file.h"
#include "ui/win_type.h"

void base_doc::get_title(char* buffer, int size) const {
  buffer[0] = '\0';
  GetWindowTextA(main_window()->window, buffer, size);
}

int base_doc::choose_file(char* file, char* title) {
  return owner->choose_file_to_save(file, title, names.filter, names.extension + 1, main_window()->window);
}

void base_doc::save() {
  if (!has_file_path()) {
    save_as();
    return;
  }
  // A failed save is not reported.
  if (save_file_safely(path, [this](std::FILE* file) { return write_to_file(file) == 1; })) owner->update_all_menus();
}

void base_doc::save_as() {
  char title[512];
  get_title(title, sizeof title);
  owner->add_extension(title, names.extension);
  char file[264];
  std::snprintf(file, 261, "%s", has_file_path() ? path : title);
  char chosen_title[512] = "";
  if (!choose_file(file, chosen_title)) return;
  file[260] = '\0';
  chosen_title[511] = '\0';
  std::snprintf(path, 261, "%s", file);
  owner->strip_extension(chosen_title, names.extension);
  SetWindowTextA(main_window()->window, chosen_title);
  save();
}

int base_doc::query_close() {
  char title[512];
  get_title(title, sizeof title);
  char text[600];
  std::snprintf(text, sizeof text, "Do you want to save \"%s\" before closing?", title);
  const int answer = owner->ask_yes_no_cancel(text, "Save before closing?");
  if (answer == 1) save();
  return answer == 2 ? 0 : 1;
}

int base_doc::confirm_replace() { return owner->ask_ok_cancel(names.replace_text, "Warning!"); }

int base_doc::confirm_revert() {
  char title[512];
  get_title(title, sizeof title);
  char text[640];
  std::snprintf(text, sizeof text,
                "This operation will throw away all changes to \"%s\".  Are you sure you want to proceed?", title);
  return owner->ask_ok_cancel(text, "Revert file?");
}

int base_doc::write_header(std::FILE* file) const { return write_doc_header(file, names.type_tag); }

int base_doc::read_header(std::FILE* file) const { return read_doc_header(file, names.type_tag); }
