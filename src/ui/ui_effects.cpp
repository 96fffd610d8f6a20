// The program's own effects: system beep, Sleep and TrackPopupMenu.
#include "ui/ui_effects.h"

namespace {

void system_beep() { Beep(0, 0); }

void system_pause(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

void system_track_popup(HMENU menu, POINT screen, HWND owner) {
  TrackPopupMenu(menu, 0, screen.x, screen.y, 0, owner, nullptr);
}

const ui_effects system_effects{system_beep, system_pause, system_track_popup};
ui_effects effects_in_use = system_effects;

}  // namespace

ui_effects& current_ui_effects() { return effects_in_use; }

const ui_effects& system_ui_effects() { return system_effects; }
