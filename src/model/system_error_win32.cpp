// The last error's text on Windows: FormatMessage of GetLastError.
#include <windows.h>

#include <cstdio>

#include "model/system_error.h"

std::string last_system_error() {
  const DWORD code = GetLastError();
  char text[256] = "";
  if (!FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, sizeof text,
                      nullptr))
    std::snprintf(text, sizeof text, "system error %lu", code);
  std::string reason = text;
  while (!reason.empty() &&
         (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.' || reason.back() == ' '))
    reason.pop_back();
  return reason;
}
