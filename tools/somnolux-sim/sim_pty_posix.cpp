// The simulator's pseudo-terminal: created, made raw, linked at a path, unlinked at the end.
#include "sim_pty.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

sim_pty::~sim_pty() {
  if (!link_.empty()) ::unlink(link_.c_str());
  if (keeper_ >= 0) ::close(keeper_);
  if (master_ >= 0) ::close(master_);
}

bool sim_pty::open(const std::string& link_path, std::string& error) {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
    error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
    return false;
  }
  const char* name = ptsname(master_);
  if (!name) {
    error = "cannot name the pseudo-terminal";
    return false;
  }
  terminal_ = name;
  keeper_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  termios raw{};
  if (keeper_ < 0 || tcgetattr(keeper_, &raw) != 0) {
    error = "cannot open " + terminal_ + ": " + std::strerror(errno);
    return false;
  }
  cfmakeraw(&raw);
  cfsetispeed(&raw, B9600);
  cfsetospeed(&raw, B9600);
  tcsetattr(keeper_, TCSANOW, &raw);

  struct stat existing {};
  if (::lstat(link_path.c_str(), &existing) == 0) {
    if (!S_ISLNK(existing.st_mode)) {
      error = link_path + " exists and is not a symbolic link; not replacing it";
      return false;
    }
    ::unlink(link_path.c_str());
  }
  if (::symlink(name, link_path.c_str()) != 0) {
    error = "cannot link " + link_path + ": " + std::strerror(errno);
    return false;
  }
  link_ = link_path;
  return true;
}
