// The widgets' effects on the outside world that tests replace: the refusal beep, the pause
// of a pressed button and the popup menu's modal loop.
#pragma once

#include <windows.h>

struct ui_effects {
  void (*beep)();                                             // a refused keystroke
  void (*pause)(int milliseconds);                            // a button shows its press
  void (*track_popup)(HMENU menu, POINT screen, HWND owner);  // runs a popup menu; a choice
                                                              // reaches the owner as WM_COMMAND
};

// The effects in use; the program's own are Beep(0, 0), Sleep and TrackPopupMenu.
ui_effects& current_ui_effects();
const ui_effects& system_ui_effects();
