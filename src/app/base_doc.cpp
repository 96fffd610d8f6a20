// What the data and settings documents share: path, save commands and questions.
#include "app/base_doc.h"

#include <cctype>

#include "app/app_type.h"
#include "ui/desktop_io.h"
#include "ui/win_type.h"

std::string base_doc::title() const { return main_window().title(); }

bool base_doc::save() {
  if (!has_file_path()) return save_as();
  return save_to(path);
}

bool base_doc::save_as() {
  file_choice choice;
  choice.path = has_file_path() ? path : with_extension(title(), names.extension);
  choice.filter = names.filter;
  choice.extension = names.extension + 1;
  choice.owner = main_window().window;
  if (!app.choose_file(choice)) return false;
  // The document takes the new name only once it is saved under it.
  if (!save_to(choice.path)) return false;
  path = choice.path;
  main_window().set_title(without_extension(choice.title, names.extension));
  app.update_all_menus();
  return true;
}

bool base_doc::save_to(const std::string& file) {
  std::string reason;
  if (write(file, reason)) {
    app.update_all_menus();
    return true;
  }
  // The previous file is as it was; the user learns why this one is not.
  app.show_message("Couldn't save file.\n" + file + ": " + reason);
  return false;
}

bool base_doc::query_close() {
  const int answer =
      app.ask_yes_no_cancel("Do you want to save \"" + title() + "\" before closing?", "Save before closing?");
  if (answer == 2) return false;
  // A save that did not happen (cancelled or failed) keeps the document open.
  return answer != 1 || save();
}

bool base_doc::confirm_replace() { return app.ask_ok_cancel(names.replace_text, "Warning!"); }

bool base_doc::confirm_revert() {
  return app.ask_ok_cancel(
      "This operation will throw away all changes to \"" + title() + "\".  Are you sure you want to proceed?",
      "Revert file?");
}

int find_suffix(const std::string& text, const std::string& suffix) {
  if (suffix.size() > text.size()) return -1;
  const std::size_t position = text.size() - suffix.size();
  for (std::size_t i = 0; i < suffix.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(text[position + i])) !=
        std::toupper(static_cast<unsigned char>(suffix[i])))
      return -1;
  }
  return static_cast<int>(position);
}

std::string with_extension(const std::string& name, const std::string& extension) {
  return find_suffix(name, extension) == -1 ? name + extension : name;
}

std::string without_extension(const std::string& name, const std::string& extension) {
  const int position = find_suffix(name, extension);
  return position >= 0 ? name.substr(0, static_cast<std::size_t>(position)) : name;
}
