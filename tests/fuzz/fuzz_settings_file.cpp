// Fuzz target: a settings file read from hostile bytes writes back to the same section and reads again alike.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "model/settings_file.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::vector<uint8_t> input(data, data + size);
  std::FILE* in = fmemopen(input.data(), input.size(), "rb");
  if (!in) return 0;
  settings_section first;
  std::memset(&first, 0x5a, sizeof first);
  const settings_section untouched = first;
  const int code = read_settings_file(in, first);
  std::fclose(in);
  check(code == 1 || (code >= -7 && code <= -1));
  if (code != 1) {
    check(std::memcmp(&first, &untouched, sizeof first) == 0);  // a failed read applies nothing
    return 0;
  }
  check(size >= static_cast<std::size_t>(settings_file_size));

  char* buffer = nullptr;
  std::size_t written = 0;
  std::FILE* out = open_memstream(&buffer, &written);
  check(out && write_settings_file(out, first) == 1);
  std::fclose(out);
  check(written == static_cast<std::size_t>(settings_file_size));
  // The tags are written afresh; the section is the reader's bytes unchanged.
  check(std::memcmp(buffer + doc_header_size, data + doc_header_size, settings_section_size) == 0);

  std::FILE* again = fmemopen(buffer, written, "rb");
  settings_section second;
  check(again && read_settings_file(again, second) == 1);
  std::fclose(again);
  check(std::memcmp(&first, &second, sizeof first) == 0);
  std::free(buffer);
  return 0;
}
