// The device link: the one object that talks to the Somnolux over the serial port.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "device/link_owner.h"
#include "device/serial_io.h"
#include "model/device_block.h"

// Where an exchange went wrong first, so that a caller can say more than the message does.
enum class exchange_step {
  none,      // it went through
  open,      // the port did not open
  remote,    // the interface did not take remote operation
  status,    // the status check or the version failed
  packet,    // the download was cut short or could not be asked for, or the upload was not acknowledged
  checksum,  // the download's checksum did not match its numbers
  release,   // the interface was not released from remote operation
  close,     // the port did not close
};

class device_link final {
 public:
  static constexpr int io_buffer_size = 32768;
  static constexpr int version_size = 256;  // 255 characters and the NUL

  // The program's link: the platform's serial port, its number read from the preferences file.
  explicit device_link(link_owner* owner);
  // A link on the given port with no port chosen yet; the preferences file is left alone.
  device_link(link_owner* owner, std::unique_ptr<serial_io> io);
  device_link(const device_link&) = delete;
  device_link& operator=(const device_link&) = delete;
  ~device_link();

  // One exchange each: open, remote, check and version, one packet, release, close. Every failure
  // is shown through the owner, and the port is always closed afterwards.
  // get_data: 1, the download's error code, or 0 when the exchange did not start.
  int get_data(device_block& block);
  // 1 when the mask acknowledged the settings, else 0; their checksum is filled in.
  int set_settings(device_settings& settings);

  // The step of the last exchange that failed first; none when everything went through.
  exchange_step failed_step() const { return failed_step_; }
  // The system's reason why the port last failed to open; empty when it opened or gave none.
  const std::string& port_error() const { return port_error_; }

  // The name the port opens under: port_path when set, else COM<port_number>
  // as this platform spells it ("\\.\COMn" on Windows).
  std::string port_name() const;

  // The protocol's waits are counted in ticks of 1/60 s: n x 1000 / 60 ms, integer division.
  static int64_t ticks_to_milliseconds(int ticks) { return ticks * int64_t{1000} / 60; }

  link_owner* owner = nullptr;
  int port_number = 0;     // n of COMn; 0 = none chosen
  std::string port_path;   // a device path that overrides COMn (command line, POSIX)
  int timeout_choice = 0;  // 0 normal, 1 longer, 2 longest
  char interface_version[version_size] = "";

 private:
  bool start_comm();
  void end_comm();
  bool open_port();
  bool set_remote();
  bool get_status();
  bool release_remote();
  int do_get_data(device_block& block);
  int do_set_settings(device_settings& settings);

  bool write_command(const char* command);
  int read_reply();  // one read of up to 32,768 bytes into the buffer
  void wait_ticks(int ticks);
  void fail(exchange_step step, const char* message);

  std::unique_ptr<serial_io> io_;
  std::unique_ptr<uint8_t[]> buffer_;
  exchange_step failed_step_ = exchange_step::none;
  std::string port_error_;
};

// COM1 ... COM255: the ports a user can choose and the preferences file can name.
constexpr int highest_port = 255;

// The port number of the preferences file in the current directory; 0 when there is none.
int read_port_preference();
// The port number of the preferences file's text (its first 255 bytes): the digits right after
// the first "COM" in any case; 0 when there are none or they name no port from 1 to 255.
int port_from_preference(const char* text, std::size_t count);
