// The safe save's platform part on Windows: a unique temporary name and MoveFileEx.
#include <windows.h>

#include <atomic>
#include <cstdio>

#include "model/doc_file.h"

std::string temporary_name_beside(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  char suffix[64];
  std::snprintf(suffix, sizeof suffix, ".~ng%lu-%u.tmp", GetCurrentProcessId(), counter++);
  return path + suffix;
}

bool replace_file(const std::string& from, const std::string& to, std::string& reason) {
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  char text[256] = "";
  const DWORD code = GetLastError();
  if (!FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                      sizeof text, nullptr))
    std::snprintf(text, sizeof text, "system error %lu", code);
  reason = text;
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.')) reason.pop_back();
  return false;
}
