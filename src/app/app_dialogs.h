// The default-port and interface-timeout dialogs' procedures.
#pragma once

#include <windows.h>

// "default_port": its parameter is the port number (int*), shown when it opens and set by OK; ends
// with 1 after OK, 2 for "Quit Program".
INT_PTR CALLBACK default_port_proc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp);
// "timeout_dlog": its parameter is the timeout choice (int*: 0 normal, 1 longer, 2 longest), checked
// when it opens and set by OK; ends with 0 after OK, 1 for "Cancel".
INT_PTR CALLBACK timeout_proc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp);

// The port number typed into the default-port dialog: leading blanks, a sign and digits
// as atoi reads them, anything else 0; then clamped to 1 ... 255.
int parse_port_entry(const char* text);
