// The settings document: its window and its ".sl2" file.
#include "app/settings_doc.h"

#include "model/doc_file.h"
#include "settingswin/settings_win_type.h"

namespace {
const doc_names settings_names = {
    settings_doc_type_tag, ".sl2", "Somnolux Settings (*.SL2)\0*.sl2\0",
    "This operation will overwite the current settings document.  Are you sure you want to proceed?"};
}

settings_doc::settings_doc(app_type* application) : base_doc(application, settings_names) {
  settings_window = std::make_unique<settings_win_type>("Settings 1", this);
}

settings_doc::~settings_doc() { settings_window.reset(); }

void settings_doc::update_menus() { settings_window->update_menus(); }

int settings_doc::write_to_file(std::FILE* file) {
  return write_header(file) && settings_window->write_to_file(file) ? 1 : 0;
}

int settings_doc::read_from_file(std::FILE* file) {
  const int header = read_header(file);
  if (header != 1)
    return header;
  if (!settings_window->read_from_file(file))
    return -7;
  settings_window->show();
  return 1;
}

win_type* settings_doc::main_window() const { return settings_window.get(); }
