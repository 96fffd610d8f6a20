// A device link on the simulator's protocol engine or on scripted replies, its waits recorded.
#pragma once

#include <cstring>
#include <deque>
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

class test_link : public device_link {
 public:
  explicit test_link(link_owner& owner_, sim_engine* engine_ = nullptr)
      : device_link(&owner_, no_preference_tag{}), engine(engine_) {}

  bool open_port() override {
    if (!open_succeeds) return false;
    open = true;
    read_all(buffer());  // the drain, as the real port does
    return true;
  }
  bool close_port() override {
    open = false;
    return close_succeeds;
  }
  int read_port(uint8_t* out, int max) override {
    ++reads;
    if (!open) return 0;
    if (scripted.empty()) return engine ? static_cast<int>(engine->send(out, max)) : 0;
    const std::string reply = scripted.front().substr(0, static_cast<std::size_t>(max));
    scripted.pop_front();
    std::memcpy(out, reply.data(), reply.size());
    return static_cast<int>(reply.size());
  }
  int write_port(const uint8_t* in, int count) override {
    if (!open) return 0;
    const int n = static_cast<int>(writes.size()) == short_write ? count - 1 : count;
    writes.emplace_back(reinterpret_cast<const char*>(in), static_cast<std::size_t>(n));
    if (engine) engine->receive(in, static_cast<std::size_t>(n));
    return n;
  }
  void sleep_ticks(int ticks) override { sleeps.push_back(ticks); }

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
  std::vector<int> sleeps;
};

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
