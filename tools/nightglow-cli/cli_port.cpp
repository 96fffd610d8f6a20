// Chooses the link's port from the command line's --port.
#include "cli_port.h"

#include "device/device_link.h"

void choose_port(device_link& link, const std::string& device) {
  int number = 0;
  bool is_com = device.size() > 3 && device.size() <= 6;
  for (std::size_t i = 0; is_com && i < device.size(); ++i) {
    const char c = device[i];
    if (i < 3) {
      is_com = (c | 0x20) == "com"[i];
    } else {
      is_com = c >= '0' && c <= '9';
      number = number * 10 + (c - '0');
    }
  }
  if (is_com && number > 0) {
    link.port_number = number;
    link.port_path.clear();
  } else {
    link.port_number = 0;
    link.port_path = device;
  }
}
