// Fuzz target: a settings file read from hostile bytes is all or nothing and writes back to the same section.

#include "fuzz.h"
#include "model/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  byte_reader in(data, size);
  settings_section read, untouched;
  const int code = read_settings_file(in, read);
  if (code != 1) return check(code >= -7 && code <= -1 && std::memcmp(&read, &untouched, sizeof read) == 0), 0;
  char* written = nullptr;
  std::size_t length = 0;
  std::FILE* out = open_memstream(&written, &length);
  check(out != nullptr);
  byte_writer writer(out, settings_file_size);
  write_settings_file(writer, read);
  check(writer.finish() && std::fclose(out) == 0);
  // The tags are written afresh; the section comes back byte for byte.
  check(length == settings_file_size &&
        std::memcmp(written + doc_header_size, data + doc_header_size, settings_section_size) == 0);
  std::free(written);
  return 0;
}
