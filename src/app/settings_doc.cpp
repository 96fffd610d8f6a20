// The settings document: its window and its ".sl2" file.
#include "app/settings_doc.h"

#include "model/doc_file.h"
#include "model/settings_file.h"
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

int settings_doc::write_to_file(std::FILE* file) { return write_settings_file(file, settings_window->section()); }

int settings_doc::read_from_file(std::FILE* file) {
  // Nothing of the file is applied unless all of it was read.
  settings_section section;
  const int result = read_settings_file(file, section);
  if (result != 1) return result;
  settings_window->apply_section(section);
  settings_window->show();
  return 1;
}

win_type* settings_doc::main_window() const { return settings_window.get(); }
