// What the data and settings documents share: path, save commands, questions and file header.
#include "app/base_doc.h"

#include <windows.h>

#include <cstring>

#include "app/app_type.h"
#include "ui/win_type.h"

namespace {

constexpr int tag_size = 32;
const char* const program_tag = "NIGHTGLOW App";
const char* const version_tag = "0.001";

// Writes text NUL-terminated and zero-filled to 32 bytes.
bool write_tag(std::FILE* file, const char* text) {
  char tag[tag_size] = {};
  std::strncpy(tag, text, tag_size - 1);
  return std::fwrite(tag, tag_size, 1, file) == 1;
}

// Reads 32 bytes into tag (33 bytes, always terminated).
bool read_tag(std::FILE* file, char* tag) {
  tag[tag_size] = '\0';
  return std::fread(tag, tag_size, 1, file) == 1;
}

// Writes through a temporary file beside `path` that replaces it only when complete, so
// that a failed save leaves the previous file as it was.
template <class writer>
bool save_safely(const char* path, writer write) {
  char temporary[300];
  std::snprintf(temporary, sizeof temporary, "%s.new", path);
  std::FILE* file = std::fopen(temporary, "wb");
  if (!file)
    return false;
  const bool written = write(file) == 1;
  if (std::fclose(file) == 0 && written &&
      MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  DeleteFileA(temporary);
  return false;
}

}  // namespace

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
  if (save_safely(path, [this](std::FILE* file) { return write_to_file(file); }))
    owner->update_all_menus();
}

void base_doc::save_as() {
  char title[512];
  get_title(title, sizeof title);
  owner->add_extension(title, names.extension);
  char file[264];
  std::snprintf(file, 261, "%s", has_file_path() ? path : title);
  char chosen_title[512] = "";
  if (!choose_file(file, chosen_title))
    return;
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
  if (answer == 1)
    save();
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

int base_doc::write_header(std::FILE* file) const {
  return write_tag(file, program_tag) && write_tag(file, names.type_tag) && write_tag(file, version_tag) ? 1 : 0;
}

int base_doc::read_header(std::FILE* file) const {
  char tag[tag_size + 1];
  if (!read_tag(file, tag))
    return -1;
  if (std::strcmp(tag, program_tag) != 0 && std::strcmp(tag, "Test App") != 0)
    return -2;
  if (!read_tag(file, tag))
    return -3;
  if (std::strcmp(tag, names.type_tag) != 0)
    return -4;
  if (!read_tag(file, tag))
    return -5;
  if (std::strcmp(tag, version_tag) != 0)
    return -6;
  return 1;
}
