// What the fuzz targets share: a broken promise ends the run as a finding; a writer's bytes in memory.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <vector>

inline void check(bool condition) {
  if (!condition) std::abort();
}

// The bytes that write(FILE*) puts out, which must succeed.
template <class writer>
std::vector<unsigned char> written_by(writer write) {
  char* buffer = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&buffer, &size);
  check(out && write(out) && std::fclose(out) == 0);
  std::vector<unsigned char> bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}
