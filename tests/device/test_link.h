// Test support for the device link: a fake port on the simulator's engine or on scripted replies, its
// writes and waits recorded, and an owner that keeps the messages.
#pragma once

#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "device/device_link.h"
#include "sim_engine.h"
#include "sim_night.h"

class recording_owner : public link_owner {
 public:
  void show_message(const char* text) override { messages.emplace_back(text); }
  std::vector<std::string> messages;
};

// The state of the fake port lives here, with the test; the link owns only the io() made from it.
class fake_port {
 public:
  explicit fake_port(sim_engine* engine_ = nullptr) : engine(engine_) {}

  std::unique_ptr<serial_io> io() { return std::make_unique<end>(*this); }

  std::string all_written() const {
    std::string text;
    for (const std::string& w : writes) text += w;
    return text;
  }

  sim_engine* engine = nullptr;
  std::deque<std::string> scripted;  // replies of successive reads, before the engine's
  bool open_succeeds = true, close_succeeds = true, open = false;
  int short_write = -1;  // index of the write that comes up one byte short
  int reads = 0;
  std::vector<std::string> writes;
  std::vector<int64_t> waits;     // milliseconds
  std::function<void()> on_wait;  // called at each wait, before the reply is read

 private:
  struct end : serial_io {
    explicit end(fake_port& port_) : port(port_) {}
    bool open(const std::string&, std::string&) override { return port.open = port.open_succeeds; }
    bool close() override {
      port.open = false;
      return port.close_succeeds;
    }
    int read(uint8_t* out, int max) override {
      ++port.reads;
      if (!port.open) return 0;
      if (port.scripted.empty()) return port.engine ? static_cast<int>(port.engine->send(out, max)) : 0;
      const std::string reply = port.scripted.front().substr(0, static_cast<std::size_t>(max));
      port.scripted.pop_front();
      std::memcpy(out, reply.data(), reply.size());
      return static_cast<int>(reply.size());
    }
    int write(const uint8_t* in, int count) override {
      if (!port.open) return 0;
      const int n = static_cast<int>(port.writes.size()) == port.short_write ? count - 1 : count;
      port.writes.emplace_back(reinterpret_cast<const char*>(in), static_cast<std::size_t>(n));
      if (port.engine) port.engine->receive(in, static_cast<std::size_t>(n));
      return n;
    }
    void wait(int64_t milliseconds) override {
      port.waits.push_back(milliseconds);
      if (port.on_wait) port.on_wait();
    }
    fake_port& port;
  };
};

// A link on COM1 of a fake port.
inline std::unique_ptr<device_link> fake_link(link_owner& owner, fake_port& port) {
  auto link = std::make_unique<device_link>(&owner, port.io());
  link->port_number = 1;
  return link;
}

// The replies of an exchange whose start goes through (interface version "IB 9"), then the packet's reply.
inline std::deque<std::string> exchange_replies(const std::string& packet_reply) {
  return {"", ">", "TL\r\n>", "grev\r\nIB 9\r\n>", packet_reply};
}

// A download of 58 numbers, all 1 but REM byte 0, and the given checksum text.
inline std::string ones_reply(const std::string& checksum, int rem_value = 1) {
  std::string text = "gtldata\r\n";
  for (int i = 0; i < 58; ++i) text += (i == 18 ? std::to_string(rem_value) : "1") + " ";
  return text + checksum + "\r\n>";
}

// A night with a value in every field that differs from its neighbours, so that a
// field read into the wrong place shows.
inline device_block distinct_block() {
  device_block b{};
  int32_t* head = &b.packv;
  for (int i = 0; i < 18; ++i) head[i] = 100 + i;  // PACKV .. DUR
  for (int i = 0; i < 16; ++i) b.rem[i] = static_cast<uint8_t>(200 + i);
  b.walarm = 1, b.wtimeh = 6, b.wtimem = 45, b.type = 4, b.rate = 5, b.intens = 6, b.cdur = 77;
  for (int i = 0; i < 12; ++i) b.extra[i] = 300 + i;
  b.sens = 9;
  b.tstamp = 0x08ADBAAF;
  return b;
}
