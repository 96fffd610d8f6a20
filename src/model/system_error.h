// The system's own words for its last error, for messages that must say why ("Permission denied").
#pragma once

#include <string>

// errno's text on POSIX, GetLastError's on Windows, without a line end or closing full stop.
std::string last_system_error();
