// Fuzzes the replies of an exchange: arbitrary bytes as the version and as the answer to "gtldata".

#include "device/device_link.h"
#include "fuzz.h"

namespace {

struct quiet_owner : link_owner {
  void show_message(const char*) override {}
};

// A port whose box takes remote operation and passes its check, then answers grev with the fuzzer's
// bytes made acceptable, and every later read with the bytes as they are. It never waits.
struct reply_port : serial_io {
  std::string data;
  int reads = 0;
  bool open(const std::string&, std::string&) override { return true; }
  bool close() override { return true; }
  int write(const uint8_t*, int count) override { return count; }
  void wait(int64_t) override {}
  int read(uint8_t* buffer, int max) override {
    static constexpr const char* starts[3] = {"", ">", "TL\r\n>"};  // the drain, remote, check
    const std::string reply = reads < 3 ? starts[reads] : reads == 3 ? data + "\r\n>" : data;
    ++reads;
    const std::size_t n = std::min(reply.size(), static_cast<std::size_t>(max));
    std::memcpy(buffer, reply.data(), n);
    return static_cast<int>(n);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  quiet_owner owner;
  auto port = std::make_unique<reply_port>();
  port->data.assign(reinterpret_cast<const char*>(data), size);
  device_link link(&owner, std::move(port));
  link.port_path = "fuzz";
  device_block block{};
  const int result = link.get_data(block);
  check(result <= 1 && result >= -44);
  // The step follows the result: none for a download, checksum for -38, the packet for the rest.
  check(link.failed_step() == (result == 1     ? exchange_step::none
                               : result == -38 ? exchange_step::checksum
                                               : exchange_step::packet));
  check(std::memchr(link.interface_version, 0, sizeof link.interface_version) &&
        std::memchr(block.ibv, 0, sizeof block.ibv));
  return 0;
}
