// Writing the preferences file: the serial port the user chose, for the next start.
#pragma once

// Writes "port = COM<n>" as the one line of "somnprefs.txt" in the current directory,
// in text mode. False when the file cannot be created or written.
bool write_port_preference(int port_number);
