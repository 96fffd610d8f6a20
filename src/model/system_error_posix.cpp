// The last error's text on POSIX: strerror of errno.
#include <cerrno>
#include <cstring>

#include "model/system_error.h"

std::string last_system_error() { return std::strerror(errno); }
