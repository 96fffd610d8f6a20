// Writing the preferences file: the serial port the user chose, for the next start.
#include "app/preferences.h"

#include <cstdio>

bool write_port_preference(int port_number) {
  std::FILE* file = std::fopen("somnprefs.txt", "w");
  if (!file) return false;
  const bool written = std::fprintf(file, "port = COM%d\n", port_number) > 0;
  const bool closed = std::fclose(file) == 0;
  return written && closed;
}
