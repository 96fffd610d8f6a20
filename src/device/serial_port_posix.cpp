// The serial port on POSIX: a raw termios device, opened exclusively.
#include "device/serial_port.h"
#include "model/system_error.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace {

// Raw 9,600 8N1 on a device that is already ours.
bool configure(int fd) {
  termios settings{};
  if (tcgetattr(fd, &settings) != 0) return false;
  cfmakeraw(&settings);
  settings.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | PARENB | CSIZE);
  settings.c_cflag |= CS8 | CREAD | CLOCAL;
  settings.c_cc[VMIN] = 0;  // reads are timed with poll below
  settings.c_cc[VTIME] = 0;
  if (cfsetispeed(&settings, B9600) != 0 || cfsetospeed(&settings, B9600) != 0) return false;
  if (tcsetattr(fd, TCSANOW, &settings) != 0) return false;
  // Opened without blocking on the carrier; transfers block from here on.
  const int flags = fcntl(fd, F_GETFL);
  return flags != -1 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

}  // namespace

bool serial_port::open(const std::string& name) {
  close();
  error_.clear();
  const int fd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    error_ = last_system_error();
    return false;
  }
  // Exclusive: a second program that locks the device, or opens it after us, fails.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    error_ = std::strerror(errno == EWOULDBLOCK ? EBUSY : errno);  // another program holds it
    ::close(fd);
    return false;
  }
  if (ioctl(fd, TIOCEXCL) != 0 || !configure(fd)) {
    error_ = last_system_error();  // ENOTTY: not a serial device
    ioctl(fd, TIOCNXCL);
    ::close(fd);
    return false;
  }
  handle_ = fd;
  return true;
}

void serial_port::close() {
  if (!is_open()) return;
  // A terminal that another program keeps open would otherwise stay exclusive.
  ioctl(static_cast<int>(handle_), TIOCNXCL);
  ::close(static_cast<int>(handle_));
  handle_ = invalid_handle;
}

// Returns when max bytes have arrived or 1,000 ms after the call began.
int serial_port::read(uint8_t* buffer, int max) {
  if (!is_open() || max <= 0) return 0;
  const int fd = static_cast<int>(handle_);
  using clock = std::chrono::steady_clock;
  const auto deadline = clock::now() + std::chrono::milliseconds(1000);
  int got = 0;
  while (got < max) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - clock::now()).count();
    if (left <= 0) break;
    pollfd p{fd, POLLIN, 0};
    const int ready = poll(&p, 1, static_cast<int>(left));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) break;
    const ssize_t n = ::read(fd, buffer + got, static_cast<size_t>(max - got));
    if (n > 0) {
      got += static_cast<int>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 || (p.revents & (POLLHUP | POLLERR))) {
      break;  // the other end is gone; nothing more will come
    }
  }
  return got;
}

int serial_port::write(const uint8_t* buffer, int count) {
  if (!is_open() || count <= 0) return 0;
  const int fd = static_cast<int>(handle_);
  int done = 0;
  while (done < count) {
    const ssize_t n = ::write(fd, buffer + done, static_cast<size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<int>(n);
  }
  return done;
}

std::string serial_port::device_name(int port_number) {
  if (port_number < 1) return {};
  return "/dev/ttyS" + std::to_string(port_number - 1);
}
