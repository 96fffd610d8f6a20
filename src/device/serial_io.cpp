// The real byte stream: the platform's serial port, and waits that sleep.
#include "device/serial_io.h"

#include <chrono>
#include <thread>

#include "device/serial_port.h"

namespace {

class system_serial_io final : public serial_io {
 public:
  bool open(const std::string& name, std::string& error) override {
    const bool opened = port_.open(name);
    error = port_.error();
    return opened;
  }
  bool close() override {
    port_.close();
    return true;
  }
  int read(uint8_t* buffer, int max) override { return port_.read(buffer, max); }
  int write(const uint8_t* buffer, int count) override { return port_.write(buffer, count); }
  void wait(int64_t milliseconds) override {
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }

 private:
  serial_port port_;
};

}  // namespace

std::unique_ptr<serial_io> make_system_serial_io() { return std::make_unique<system_serial_io>(); }
