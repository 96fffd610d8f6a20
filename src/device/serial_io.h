// The byte stream under the device link: a named device opened, read, written and closed, and the pause before a reply.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class serial_io {
 public:
  virtual ~serial_io() = default;

  // Opens the named device; on failure error gets the system's reason (it may stay empty).
  virtual bool open(const std::string& name, std::string& error) = 0;
  // True when the device is let go.
  virtual bool close() = 0;
  // One transfer; the count moved, 0 when closed or failed.
  virtual int read(uint8_t* buffer, int max) = 0;
  virtual int write(const uint8_t* buffer, int count) = 0;
  // Gives the box time to answer before the reply is read.
  virtual void wait(int64_t milliseconds) = 0;
};

// The platform's serial port and a real sleep.
std::unique_ptr<serial_io> make_system_serial_io();
