// Fuzzes the download reply reader: arbitrary bytes as the answer to "gtldata".
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "device/device_link.h"

namespace {

class quiet_owner : public link_owner {
 public:
  void show_message(const char*) override {}
};

// A link whose port answers every read with the fuzzer's bytes and never waits.
class reply_link : public device_link {
 public:
  reply_link(link_owner* owner, const uint8_t* data, std::size_t size)
      : device_link(owner, no_preference_tag{}), data_(data), size_(size) {}
  bool open_port() override { return true; }
  bool close_port() override { return true; }
  int read_port(uint8_t* buffer, int max) override {
    const std::size_t n = std::min(size_, static_cast<std::size_t>(max));
    if (n) std::memcpy(buffer, data_, n);
    return static_cast<int>(n);
  }
  int write_port(const uint8_t*, int count) override { return count; }
  void sleep_ticks(int) override {}

 private:
  const uint8_t* data_;
  std::size_t size_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  quiet_owner owner;
  reply_link link(&owner, data, size);
  link.get_status();  // the version from the same bytes, as a grev reply would bring it
  device_block block{};
  const int result = link.do_get_data(block);
  if (result > 1 || result < -44) __builtin_trap();
  if (!std::memchr(link.interface_version, 0, sizeof link.interface_version)) __builtin_trap();
  if (!std::memchr(block.ibv, 0, sizeof block.ibv)) __builtin_trap();
  return 0;
}
