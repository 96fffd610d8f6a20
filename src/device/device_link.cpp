// The device link: port operations, the command protocol and the two packets.
#include "device/device_link.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <thread>

#include "model/data_record.h"

namespace {

const char preference_file[] = "somnprefs.txt";

// Bytes that make up a number token: printable and not white space.
bool is_token_byte(uint8_t c) { return c > 0x20 && c < 0x7f; }

int digit_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

// The longest valid prefix read as C's %i reads it: sign, then 0x for hexadecimal,
// a leading 0 for octal, else decimal. Overlong values wrap modulo 2^32.
int32_t convert_number(const char* token) {
  const char* p = token;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  unsigned base = 10;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && digit_value(p[2]) < 16) {
    base = 16;
    p += 2;
  } else if (p[0] == '0') {
    base = 8;
  }
  uint32_t value = 0;
  for (; *p; ++p) {
    const unsigned d = static_cast<unsigned>(digit_value(*p));
    if (d >= base) break;
    value = value * base + d;
  }
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

bool ends_with(const uint8_t* reply, int count, std::string_view tail) {
  const int n = static_cast<int>(tail.size());
  return count >= n && std::memcmp(reply + count - n, tail.data(), tail.size()) == 0;
}

}  // namespace

device_link::device_link(link_owner* owner_, no_preference_tag)
    : owner(owner_), io_buffer_(std::make_unique<uint8_t[]>(io_buffer_size)) {}

device_link::device_link(link_owner* owner_) : device_link(owner_, no_preference_tag{}) {
  port_number = device_link::read_port_preference();
}

device_link::~device_link() = default;

void device_link::show(const char* text) {
  if (owner) owner->show_message(text);
}

std::string device_link::port_name() const {
  if (!port_path.empty()) return port_path;
  return serial_port::device_name(port_number);
}

// ---- Exchanges -------------------------------------------------------------------

int device_link::get_data(device_block& block) {
  if (!start_comm()) return 0;
  const int result = do_get_data(block);
  if (result != 1) {
    char text[80];
    std::snprintf(text, sizeof text, "Couldn't get Somnolux data.  Error = %d.", result);
    show(text);
  }
  end_comm();
  return result;
}

int device_link::set_settings(device_settings& settings) {
  if (!start_comm()) return 0;
  const int result = do_set_settings(settings);
  if (result == 0) show("Couldn't set Somnolux settings.");
  end_comm();
  return result;
}

bool device_link::start_comm() {
  if (!open_port()) {
    show("Couldn't open serial port.");
    return false;
  }
  if (!set_remote()) {
    close_port();
    show(
        "Couldn't set Somnolux interface to remote operation.  "
        "Please check the interface power and modem cables.");
    return false;
  }
  if (!get_status()) {
    close_port();
    show("Couldn't get Somnolux status.");
    return false;
  }
  return true;
}

bool device_link::end_comm() {
  if (!release_remote()) {
    show("Couldn't release Somnolux from remote operation.");
    close_port();
    return false;
  }
  if (!close_port()) {
    show("Couldn't close serial port.");
    return false;
  }
  return true;
}

bool device_link::write_command(const char* command) {
  const int length = static_cast<int>(std::strlen(command));
  return write_port(reinterpret_cast<const uint8_t*>(command), length) >= length;
}

bool device_link::set_remote() {
  if (!write_command("remote\r")) return false;
  const int n = read_all(buffer());
  return n >= 1 && buffer()[n - 1] == '>';
}

bool device_link::get_status() {
  if (!write_command("check\r")) return false;
  sleep_ticks(60);
  int n = read_all(buffer());
  if (!ends_with(buffer(), n, "TL\r\n>")) return false;

  if (!write_command("grev\r")) return false;
  n = read_all(buffer());
  if (!ends_with(buffer(), n, "\r\n>")) return false;

  // The version is the second line: after the first LF, up to the next CR.
  const uint8_t* reply = buffer();
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
  read_all(buffer());  // whatever the box says, it is released
  return true;
}

// ---- Packets ---------------------------------------------------------------------

int device_link::do_get_data(device_block& block) {
  if (!write_command("gtldata\r")) return 0;
  sleep_ticks(download_wait());
  const uint8_t* reply = buffer();
  int n = read_all(buffer());
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
    show(text);
    return -38;
  }

  std::memcpy(block.ibv, interface_version, sizeof block.ibv);
  block.ibv[sizeof block.ibv - 1] = '\0';
  return 1;
}

int device_link::do_set_settings(device_settings& settings) {
  if (!write_command("stldata\r")) return 0;

  char* text = reinterpret_cast<char*>(buffer());
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
  if (write_port(buffer(), length) < length) return 0;

  sleep_ticks(upload_wait());
  const int n = read_all(buffer());
  return ends_with(buffer(), n, "OK\r\n>") ? 1 : 0;
}

int32_t device_link::parse_number(const uint8_t* reply, int length, int& position, bool& error, uint16_t* sum) {
  error = false;
  if (position < 0) position = 0;
  while (position < length && !is_token_byte(reply[position])) ++position;
  if (position >= length) {
    error = true;
    return 0;
  }
  // Tokens longer than 255 characters are cut; the rest of such a token is skipped.
  char token[256];
  int size = 0;
  while (position < length && is_token_byte(reply[position])) {
    if (size < 255) token[size++] = static_cast<char>(reply[position]);
    ++position;
  }
  if (position >= length) {  // no separator: the number may not be complete
    error = true;
    return 0;
  }
  token[size] = '\0';
  const int32_t value = convert_number(token);
  if (sum) *sum = static_cast<uint16_t>(*sum + static_cast<uint32_t>(value));
  return value;
}

bool device_link::append_number(int32_t value, bool hexadecimal, bool end_of_line, char* text, int capacity,
                                uint16_t* sum) {
  char item[24];
  const int size =
      hexadecimal ? std::snprintf(item, sizeof item, "%#x%c", static_cast<unsigned>(value), end_of_line ? '\r' : ' ')
                  : std::snprintf(item, sizeof item, "%d%c", static_cast<int>(value), end_of_line ? '\r' : ' ');
  const std::size_t used = std::strlen(text);
  if (size < 0 || used + static_cast<std::size_t>(size) >= static_cast<std::size_t>(capacity)) return false;
  std::memcpy(text + used, item, static_cast<std::size_t>(size) + 1);
  if (sum) *sum = static_cast<uint16_t>(*sum + static_cast<uint32_t>(value));
  return true;
}

int device_link::upload_wait() {
  switch (timeout_choice) {
    case 0: return 1020;
    case 1: return 2040;
    case 2: return 3060;
    default: return 0;
  }
}

int device_link::download_wait() {
  switch (timeout_choice) {
    case 0: return 720;
    case 1: return 1440;
    case 2: return 2160;
    default: return 0;
  }
}

// ---- Port ------------------------------------------------------------------------

bool device_link::open_port() {
  port_.close();
  const std::string name = port_name();
  if (name.empty() || !port_.open(name)) return false;
  read_all(buffer());  // drain what the box said before we asked
  return true;
}

bool device_link::close_port() {
  port_.close();
  return true;
}

int device_link::read_port(uint8_t* buffer_, int max) {
  if (!port_.is_open() || max <= 0) return 0;
  return port_.read(buffer_, max);
}

int device_link::write_port(const uint8_t* buffer_, int count) {
  if (!port_.is_open() || count <= 0) return 0;
  return port_.write(buffer_, count);
}

void device_link::sleep_ticks(int ticks) {
  if (ticks <= 0) return;
  std::this_thread::sleep_for(std::chrono::milliseconds(ticks_to_milliseconds(ticks)));
}

int device_link::read_all(uint8_t* buffer_) { return read_port(buffer_, io_buffer_size); }

// ---- Block and date helpers --------------------------------------------------------

void device_link::reset_block(device_block& block) { ::reset_block(block); }

std::string device_link::record_label(const device_block& block) { return ::record_label(block); }

uint32_t device_link::pack_date(int year, int month, int day, int hour, int minute, int set) {
  return ::pack_date(year, month, day, hour, minute, set);
}

date_stamp device_link::unpack_date(uint32_t packed) { return ::unpack_date(packed); }

void device_link::unpack_bytes(uint32_t value, int& b0, int& b1, int& b2, int& b3) {
  ::unpack_bytes(value, b0, b1, b2, b3);
}

uint32_t device_link::pack_bytes(int b0, int b1, int b2, int b3) { return ::pack_bytes(b0, b1, b2, b3); }

int device_link::read_port_preference() {
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
    if (port > 99999) return 0;  // no serial port has such a number
  }
  return port;
}
