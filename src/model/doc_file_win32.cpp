// The safe save's platform part on Windows: a unique temporary name and MoveFileEx.
#include <windows.h>

#include <atomic>
#include <cstdio>

#include "model/doc_file.h"
#include "model/system_error.h"

std::string temporary_name_beside(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  char suffix[64];
  std::snprintf(suffix, sizeof suffix, ".~ng%lu-%u.tmp", GetCurrentProcessId(), counter++);
  return path + suffix;
}

bool path_usable(const std::string& path, std::string& reason) {
  if (path.size() < MAX_PATH) return true;
  SetLastError(ERROR_FILENAME_EXCED_RANGE);  // the file functions take no longer names
  reason = last_system_error();
  return false;
}

bool replace_file(const std::string& from, const std::string& to, std::string& reason) {
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  reason = last_system_error();
  return false;
}
