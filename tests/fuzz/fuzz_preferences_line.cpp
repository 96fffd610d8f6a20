// Fuzz target: the port number of the preferences file's line, read from hostile bytes.

#include "device/device_link.h"
#include "fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  // The program reads no more than 255 bytes of the file; a buffer of just their size catches a read past them.
  std::vector<char> text(data, data + std::min<std::size_t>(size, 255));
  const int port = port_from_preference(text.data(), text.size());
  check(port >= 0 && port <= highest_port);
  // Letters count in either case, and only letters change with it.
  for (char& c : text) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  check(port_from_preference(text.data(), text.size()) == port);
  return 0;
}
