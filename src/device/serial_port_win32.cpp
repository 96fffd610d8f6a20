// The serial port on Windows: a COM device through kernel32.
#include <windows.h>

#include "device/serial_port.h"
#include "model/system_error.h"

namespace {

HANDLE to_handle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// 9,600 baud 8N1 on top of whatever the driver had; reads give up after 1,000 ms.
bool configure(HANDLE h) {
  if (!SetupComm(h, 32768, 32768)) return false;
  DCB line{};
  line.DCBlength = sizeof line;
  if (!GetCommState(h, &line)) return false;
  line.BaudRate = CBR_9600;
  line.ByteSize = 8;
  line.Parity = NOPARITY;
  line.StopBits = ONESTOPBIT;
  if (!SetCommState(h, &line)) return false;
  COMMTIMEOUTS timeouts{};
  if (!GetCommTimeouts(h, &timeouts)) return false;
  timeouts.ReadIntervalTimeout = 0;
  timeouts.ReadTotalTimeoutMultiplier = 0;
  timeouts.ReadTotalTimeoutConstant = 1000;
  timeouts.WriteTotalTimeoutMultiplier = 0;
  timeouts.WriteTotalTimeoutConstant = 0;
  return SetCommTimeouts(h, &timeouts) != 0;
}

}  // namespace

bool serial_port::open(const std::string& name) {
  close();
  const HANDLE h = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  error_.clear();
  if (h == INVALID_HANDLE_VALUE) {
    error_ = last_system_error();
    return false;
  }
  if (!configure(h)) {
    error_ = last_system_error();
    CloseHandle(h);
    return false;
  }
  handle_ = reinterpret_cast<std::intptr_t>(h);
  return true;
}

void serial_port::close() {
  if (!is_open()) return;
  CloseHandle(to_handle(handle_));
  handle_ = invalid_handle;
}

int serial_port::read(uint8_t* buffer, int max) {
  if (!is_open() || max <= 0) return 0;
  DWORD got = 0;
  if (!ReadFile(to_handle(handle_), buffer, static_cast<DWORD>(max), &got, nullptr)) return 0;
  return static_cast<int>(got);
}

int serial_port::write(const uint8_t* buffer, int count) {
  if (!is_open() || count <= 0) return 0;
  DWORD done = 0;
  if (!WriteFile(to_handle(handle_), buffer, static_cast<DWORD>(count), &done, nullptr)) return 0;
  return static_cast<int>(done);
}

// "\\.\COMn" is the only name under which COM10 and above open.
std::string serial_port::device_name(int port_number) {
  if (port_number < 1) return {};
  return "\\\\.\\COM" + std::to_string(port_number);
}
