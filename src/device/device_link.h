// The device link: the one object that talks to the Somnolux over the serial port.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "device/link_owner.h"
#include "device/serial_port.h"
#include "model/date_stamp.h"
#include "model/device_block.h"

class device_link {
 public:
  static constexpr int io_buffer_size = 32768;
  static constexpr int version_size = 256;  // 255 characters and the NUL

  // Reads the port number from the preferences file in the current directory.
  explicit device_link(link_owner* owner);
  device_link(const device_link&) = delete;
  device_link& operator=(const device_link&) = delete;

  virtual ~device_link();  // 1

  // An exchange: open, remote, check and version, one packet, release, close.
  virtual int get_data(device_block& block);               // 2: 1, a download code, or 0
  virtual int set_settings(device_settings& settings);     // 3: 1 when acknowledged
  virtual int do_get_data(device_block& block);            // 4
  virtual int do_set_settings(device_settings& settings);  // 5
  virtual bool start_comm();                               // 6
  virtual bool end_comm();                                 // 7
  virtual bool get_status();                               // 8
  virtual bool set_remote();                               // 9
  virtual bool release_remote();                           // 10

  // The port and the clock; tests replace these.
  virtual bool open_port();                                  // 11
  virtual bool close_port();                                 // 12
  virtual int read_port(uint8_t* buffer, int max);           // 13
  virtual int write_port(const uint8_t* buffer, int count);  // 14
  virtual void sleep_ticks(int ticks);                       // 15: 1/60 s each
  virtual int read_all(uint8_t* buffer);                     // 16: one read of up to 32,768 bytes

  // Numbers on the line.
  virtual int32_t parse_number(const uint8_t* reply, int length, int& position, bool& error,
                               uint16_t* sum);  // 17
  virtual bool append_number(int32_t value, bool hexadecimal, bool end_of_line, char* text, int capacity,
                             uint16_t* sum);  // 18
  virtual int upload_wait();                  // 19: ticks
  virtual int download_wait();                // 20: ticks

  // Block and date helpers that the windows reach through the link.
  virtual void reset_block(device_block& block);                                            // 21
  virtual std::string record_label(const device_block& block);                              // 22: nobody calls it
  virtual uint32_t pack_date(int year, int month, int day, int hour, int minute, int set);  // 23
  virtual date_stamp unpack_date(uint32_t packed);                                          // 24
  virtual void unpack_bytes(uint32_t value, int& b0, int& b1, int& b2, int& b3);            // 25
  virtual uint32_t pack_bytes(int b0, int b1, int b2, int b3);                              // 26
  virtual int read_port_preference();                                                       // 27

  // The system's reason why the port last failed to open ("Permission denied"); empty when it opened.
  const std::string& port_error() const { return port_.error(); }

  // The name the port opens under: port_path when set, else COM<port_number>
  // as this platform spells it ("\\.\COMn" on Windows).
  std::string port_name() const;

  // What sleep_ticks waits: n x 1000 / 60 ms, integer division.
  static int64_t ticks_to_milliseconds(int ticks) { return ticks * int64_t{1000} / 60; }

  // The bytes of the last reply read by the protocol operations.
  const uint8_t* io_buffer() const { return io_buffer_.get(); }

  link_owner* owner = nullptr;
  int port_number = 0;     // n of COMn; 0 = none chosen
  std::string port_path;   // a device path that overrides COMn (command line, POSIX)
  int timeout_choice = 0;  // 0 normal, 1 longer, 2 longest
  char interface_version[version_size] = "";

 protected:
  // For tests: a link that leaves the preferences file alone (port 0).
  struct no_preference_tag {};
  device_link(link_owner* owner, no_preference_tag);

  uint8_t* buffer() { return io_buffer_.get(); }
  void show(const char* text);

 private:
  bool write_command(const char* command);

  std::unique_ptr<uint8_t[]> io_buffer_;
  serial_port port_;
};

// The port number of the preferences file's text (its first 255 bytes): the digits right after
// the first "COM" in any case, 0 when there are none or too many.
int port_from_preference(const char* text, std::size_t count);
