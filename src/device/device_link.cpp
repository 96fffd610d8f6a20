// The device link: the command protocol and the two packets over a serial_io.
#include "device/device_link.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string_view>

#include "device/packet_numbers.h"
#include "device/serial_port.h"
#include "model/date_stamp.h"

namespace {

const char preference_file[] = "somnprefs.txt";

bool ends_with(const uint8_t* reply, int count, std::string_view tail) {
  const int n = static_cast<int>(tail.size());
  return count >= n && std::memcmp(reply + count - n, tail.data(), tail.size()) == 0;
}

// Ticks to wait for the packet's reply, by the interface-timeout choice.
int download_wait(int timeout_choice) {
  switch (timeout_choice) {
    case 0: return 720;
    case 1: return 1440;
    case 2: return 2160;
    default: return 0;
  }
}

int upload_wait(int timeout_choice) {
  switch (timeout_choice) {
    case 0: return 1020;
    case 1: return 2040;
    case 2: return 3060;
    default: return 0;
  }
}

}  // namespace

device_link::device_link(link_owner* owner_, std::unique_ptr<serial_io> io)
    : owner(owner_), io_(std::move(io)), buffer_(std::make_unique<uint8_t[]>(io_buffer_size)) {}

device_link::device_link(link_owner* owner_) : device_link(owner_, make_system_serial_io()) {
  port_number = read_port_preference();
}

device_link::~device_link() = default;

std::string device_link::port_name() const {
  if (!port_path.empty()) return port_path;
  return serial_port::device_name(port_number);
}

// Only the first failure names the step; the messages of later ones are still shown. A port that
// did not open comes with the system's reason.
void device_link::fail(exchange_step step, const char* message) {
  if (failed_step_ == exchange_step::none) failed_step_ = step;
  if (!owner) return;
  if (step == exchange_step::open)
    owner->show_port_failure(message, port_error_);
  else
    owner->show_message(message);
}

// ---- Exchanges -------------------------------------------------------------------

int device_link::get_data(device_block& block) {
  failed_step_ = exchange_step::none;
  if (!start_comm()) return 0;
  const int result = do_get_data(block);
  if (result != 1) {
    char text[80];
    std::snprintf(text, sizeof text, "Couldn't get Somnolux data.  Error = %d.", result);
    fail(exchange_step::packet, text);
  }
  end_comm();
  return result;
}

int device_link::set_settings(device_settings& settings) {
  failed_step_ = exchange_step::none;
  if (!start_comm()) return 0;
  const int result = do_set_settings(settings);
  if (result == 0) fail(exchange_step::packet, "Couldn't set Somnolux settings.");
  end_comm();
  return result;
}

bool device_link::start_comm() {
  if (!open_port()) {
    fail(exchange_step::open, "Couldn't open serial port.");
    return false;
  }
  if (!set_remote()) {
    io_->close();
    fail(exchange_step::remote,
         "Couldn't set Somnolux interface to remote operation.  "
         "Please check the interface power and modem cables.");
    return false;
  }
  if (!get_status()) {
    io_->close();
    fail(exchange_step::status, "Couldn't get Somnolux status.");
    return false;
  }
  return true;
}

void device_link::end_comm() {
  if (!release_remote()) {
    fail(exchange_step::release, "Couldn't release Somnolux from remote operation.");
    io_->close();
    return;
  }
  if (!io_->close()) fail(exchange_step::close, "Couldn't close serial port.");
}

bool device_link::open_port() {
  port_error_.clear();
  const std::string name = port_name();
  if (name.empty() || !io_->open(name, port_error_)) return false;
  read_reply();  // drain what the box said before we asked
  return true;
}

bool device_link::write_command(const char* command) {
  const int length = static_cast<int>(std::strlen(command));
  return io_->write(reinterpret_cast<const uint8_t*>(command), length) >= length;
}

int device_link::read_reply() { return io_->read(buffer_.get(), io_buffer_size); }

void device_link::wait_ticks(int ticks) { io_->wait(ticks_to_milliseconds(ticks)); }

bool device_link::set_remote() {
  if (!write_command("remote\r")) return false;
  const int n = read_reply();
  return n >= 1 && buffer_[n - 1] == '>';
}

bool device_link::get_status() {
  if (!write_command("check\r")) return false;
  wait_ticks(60);
  int n = read_reply();
  if (!ends_with(buffer_.get(), n, "TL\r\n>")) return false;

  if (!write_command("grev\r")) return false;
  n = read_reply();
  if (!ends_with(buffer_.get(), n, "\r\n>")) return false;

  // The version is the second line: after the first LF, up to the next CR.
  const uint8_t* reply = buffer_.get();
  int i = 0;
  while (i < n && reply[i] != '\n') ++i;
  if (i < n) ++i;
  int length = 0;
  while (i < n && reply[i] != '\r' && length < version_size - 1)
    interface_version[length++] = static_cast<char>(reply[i++]);
  interface_version[length] = '\0';
  return true;
}

bool device_link::release_remote() {
  if (!write_command("\r")) return false;
  read_reply();  // whatever the box says, it is released
  return true;
}

// ---- Packets ---------------------------------------------------------------------

int device_link::do_get_data(device_block& block) {
  if (!write_command("gtldata\r")) return 0;
  wait_ticks(download_wait(timeout_choice));
  const uint8_t* reply = buffer_.get();
  int n = read_reply();
  if (n < 0) n = 0;
  if (n > io_buffer_size) n = io_buffer_size;

  // Skip the echo line; without one every field is missing.
  int position = 0;
  while (position < n && reply[position] != '\n') ++position;
  position = position < n ? position + 1 : n;

  uint16_t sum = 0;
  bool error = false;
  struct field_code {
    int32_t* field;
    int code;  // returned when this number is missing
  };
  auto read_fields = [&](std::initializer_list<field_code> fields) -> int {
    for (const field_code& f : fields) {
      const int32_t value = parse_number(reply, n, position, error, &sum);
      if (error) return f.code;
      *f.field = value;
    }
    return 1;
  };

  int result = read_fields({{&block.packv, 0},
                            {&block.somnv, -1},
                            {&block.todd, -2},
                            {&block.todh, -3},
                            {&block.todm, -4},
                            {&block.tods, -5},
                            {&block.cstarth, -6},
                            {&block.cstartm, -7},
                            {&block.cendh, -8},
                            {&block.cendm, -9},
                            {&block.smoded, -10},
                            {&block.recstarth, -11},
                            {&block.recstartm, -12},
                            {&block.delay, -13},
                            {&block.delayp, -14},
                            {&block.dalarm, -44},
                            {&block.mode, -39},
                            {&block.dur, -15}});
  if (result != 1) return result;

  for (uint8_t& rem : block.rem) {
    const int32_t value = parse_number(reply, n, position, error, &sum);
    if (error) return -16;
    rem = static_cast<uint8_t>(value & 0xff);
  }

  int32_t* extra = block.extra;
  result = read_fields({{&block.walarm, -17}, {&block.wtimeh, -18}, {&block.wtimem, -19}, {&block.type, -20},
                        {&block.rate, -21},   {&block.intens, -22}, {&block.cdur, -23},   {&extra[0], -24},
                        {&extra[1], -25},     {&extra[2], -26},     {&extra[3], -27},     {&extra[4], -28},
                        {&extra[5], -29},     {&extra[6], -30},     {&extra[7], -31},     {&extra[8], -32},
                        {&extra[9], -33},     {&extra[10], -34},    {&extra[11], -35},    {&block.sens, -36}});
  if (result != 1) return result;

  int32_t stamp[4];
  for (int i = 0; i < 4; ++i) {
    stamp[i] = parse_number(reply, n, position, error, &sum);
    if (error) return -40 - i;
  }
  block.tstamp = pack_bytes(stamp[0], stamp[1], stamp[2], stamp[3]);

  const int32_t received = parse_number(reply, n, position, error, nullptr);
  if (error) return -37;
  block.checksum = static_cast<uint16_t>(received);
  if (block.checksum != sum) {
    char text[80];
    std::snprintf(text, sizeof text, "Checksum error.  Got %d, computed %d.", static_cast<int>(block.checksum),
                  static_cast<int>(sum));
    fail(exchange_step::checksum, text);
    return -38;
  }

  std::memcpy(block.ibv, interface_version, sizeof block.ibv);
  block.ibv[sizeof block.ibv - 1] = '\0';
  return 1;
}

int device_link::do_set_settings(device_settings& settings) {
  if (!write_command("stldata\r")) return 0;

  char* text = reinterpret_cast<char*>(buffer_.get());
  text[0] = '\0';
  uint16_t sum = 0;
  int b0 = 0, b1 = 0, b2 = 0, b3 = 0;
  unpack_bytes(settings.tstamp, b0, b1, b2, b3);
  struct item {
    int32_t value;
    bool end_of_line;
  };
  const item items[] = {
      {settings.lead, true},
      {settings.todd, false},
      {settings.todh, false},
      {settings.todm, false},
      {settings.tods, true},
      {settings.cstarth, false},
      {settings.cstartm, true},
      {settings.cendh, false},
      {settings.cendm, true},
      {settings.delay, true},
      {settings.dalarm, true},
      {settings.walarm, false},
      {settings.wtimeh, false},
      {settings.wtimem, true},
      {settings.type, false},
      {settings.rate, false},
      {settings.intens, false},
      {settings.cdur, true},
      {settings.sens, true},
      {b0, false},
      {b1, false},
      {b2, false},
      {b3, true},
  };
  for (const item& i : items)
    if (!append_number(i.value, false, i.end_of_line, text, io_buffer_size, &sum)) return 0;
  settings.checksum = sum;
  if (!append_number(sum, true, true, text, io_buffer_size, nullptr)) return 0;

  const int length = static_cast<int>(std::strlen(text));
  if (io_->write(buffer_.get(), length) < length) return 0;

  wait_ticks(upload_wait(timeout_choice));
  const int n = read_reply();
  return ends_with(buffer_.get(), n, "OK\r\n>") ? 1 : 0;
}

// ---- Preferences -----------------------------------------------------------------

int read_port_preference() {
  std::FILE* file = std::fopen(preference_file, "r");
  if (!file) return 0;
  char text[255];
  const std::size_t count = std::fread(text, 1, sizeof text, file);
  std::fclose(file);
  return port_from_preference(text, count);
}

int port_from_preference(const char* text, std::size_t count) {
  // Only the digits right after the first COM (in either case) count; anything else there gives no port.
  std::size_t i = 0;
  for (; i + 3 <= count; ++i) {
    if ((text[i] | 0x20) == 'c' && (text[i + 1] | 0x20) == 'o' && (text[i + 2] | 0x20) == 'm') break;
  }
  int port = 0;
  for (i += 3; i < count && text[i] >= '0' && text[i] <= '9'; ++i) {
    port = port * 10 + (text[i] - '0');
    if (port > highest_port) return 0;  // no port the program can choose: ask again
  }
  return port;
}
