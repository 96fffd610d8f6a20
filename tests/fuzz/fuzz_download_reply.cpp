// Fuzzes the replies of an exchange: arbitrary bytes as the version and as the answer to "gtldata".
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "device/device_link.h"

namespace {

class quiet_owner : public link_owner {
 public:
  void show_message(const char*) override {}
};

// A port whose box takes remote operation and passes its check, then answers grev with the fuzzer's
// bytes made acceptable, and every later read with the bytes as they are. It never waits.
class reply_port : public serial_io {
 public:
  reply_port(const uint8_t* data, std::size_t size) : data_(reinterpret_cast<const char*>(data), size) {}
  bool open(const std::string&, std::string&) override { return true; }
  bool close() override { return true; }
  int read(uint8_t* buffer, int max) override {
    const std::string reply = reads_ < 3 ? std::string(starts[reads_]) : reads_ == 3 ? data_ + "\r\n>" : data_;
    ++reads_;
    const std::size_t n = std::min(reply.size(), static_cast<std::size_t>(max));
    if (n) std::memcpy(buffer, reply.data(), n);
    return static_cast<int>(n);
  }
  int write(const uint8_t*, int count) override { return count; }
  void wait(int64_t) override {}

 private:
  static constexpr const char* starts[3] = {"", ">", "TL\r\n>"};  // the drain, remote, check
  std::string data_;
  int reads_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  quiet_owner owner;
  device_link link(&owner, std::make_unique<reply_port>(data, size));
  link.port_path = "fuzz";
  device_block block{};
  const int result = link.get_data(block);
  if (result > 1 || result < -44) __builtin_trap();
  // The step follows the result: none for a download, checksum for -38, the packet for the rest.
  const exchange_step expected = result == 1     ? exchange_step::none
                                 : result == -38 ? exchange_step::checksum
                                                 : exchange_step::packet;
  if (link.failed_step() != expected) __builtin_trap();
  if (!std::memchr(link.interface_version, 0, sizeof link.interface_version)) __builtin_trap();
  if (!std::memchr(block.ibv, 0, sizeof block.ibv)) __builtin_trap();
  return 0;
}
