// The safe save's platform part on POSIX: a unique temporary name and rename.
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "model/doc_file.h"

std::string temporary_name_beside(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  char suffix[64];
  std::snprintf(suffix, sizeof suffix, ".~ng%ld-%u.tmp", static_cast<long>(getpid()), counter++);
  return path + suffix;
}

bool path_usable(const std::string&, std::string&) { return true; }  // the system says so itself

bool replace_file(const std::string& from, const std::string& to, std::string& reason) {
  if (std::rename(from.c_str(), to.c_str()) == 0) return true;
  reason = std::strerror(errno);
  return false;
}
