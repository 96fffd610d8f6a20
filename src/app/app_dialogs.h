// The default-port and interface-timeout dialogs: their procedures and the values they exchange.
#pragma once

#include <windows.h>

// Shared by each dialog and its caller, one of each.
extern int dialog_port_number;     // default-port dialog: 1 when it opens, 1 ... 10 after OK
extern int dialog_timeout_choice;  // interface-timeout dialog: 0 normal, 1 longer, 2 longest
extern int timeout_dialog_open;    // guards the timeout dialog against a second opening

// "default_port": ends with 1 after OK (dialog_port_number set), 2 for "Quit Program".
INT_PTR CALLBACK default_port_proc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp);
// "timeout_dlog": ends with 0 after OK (dialog_timeout_choice set), 1 for "Cancel".
INT_PTR CALLBACK timeout_proc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp);

// The port number typed into the default-port dialog: leading blanks, a sign and digits
// as atoi reads them, anything else 0; then clamped to 1 ... 10.
int parse_port_entry(const char* text);
