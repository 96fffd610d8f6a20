// A serial device at 9,600 baud 8N1: one implementation for Windows, one for POSIX.
#pragma once

#include <cstdint>
#include <string>

class serial_port {
 public:
  serial_port() = default;
  serial_port(const serial_port&) = delete;
  serial_port& operator=(const serial_port&) = delete;
  ~serial_port() { close(); }

  // Opens the named device exclusively and sets 9,600 baud, 8 data bits, no parity,
  // one stop bit and a read that gives up 1,000 ms after it began. On any failure the
  // device is closed again and the result is false.
  bool open(const std::string& name);
  void close();
  bool is_open() const { return handle_ != invalid_handle; }
  // The system's words for why the last open failed; empty after a successful one.
  const std::string& error() const { return error_; }

  // One blocking transfer; the count moved, 0 when closed or failed. No retry.
  int read(uint8_t* buffer, int max);
  int write(const uint8_t* buffer, int count);

  // COMn as this platform names it: "\\.\COMn" on Windows, /dev/ttyS<n-1> on POSIX;
  // empty for a port number below 1.
  static std::string device_name(int port_number);

 private:
  static constexpr std::intptr_t invalid_handle = -1;
  std::intptr_t handle_ = invalid_handle;  // a HANDLE or a file descriptor
  std::string error_;
};
