// The settings document: its settings, its window and its ".sl2" file.
#include "app/settings_doc.h"

#include "app/app_type.h"
#include "model/documents.h"
#include "settingswin/settings_win_type.h"

namespace {
const doc_names settings_names = {
    ".sl2", "Somnolux Settings (*.SL2)\0*.sl2\0",
    "This operation will overwite the current settings document.  Are you sure you want to proceed?"};
}

settings_doc::settings_doc(app_type& application, const settings_section& read)
    : base_doc(application, settings_names), section(read) {
  settings_window = std::make_unique<settings_win_type>(app, section, "Settings 1");
}

settings_doc::~settings_doc() { settings_window.reset(); }

win_type& settings_doc::main_window() const { return *settings_window; }

bool settings_doc::owns(const win_type& window) const { return &window == settings_window.get(); }

void settings_doc::update_menus(const menu_facts& facts) { settings_window->update_menus(facts); }

void settings_doc::place_windows() {
  settings_window->move_to(section.rect);
  settings_window->invalidate();
  settings_window->show();
}

bool settings_doc::write(const std::string& file, std::string& reason) {
  section.rect = settings_window->saved_rect();
  return save_settings_document(file, section, &reason);
}
