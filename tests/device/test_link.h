// A device link on the simulator's protocol engine or scripted replies, its waits recorded.
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
  explicit test_link(recording_owner& owner_, sim_engine* engine_ = nullptr)
      : device_link(&owner_, no_preference_tag{}), engine(engine_) {}

  bool open_port() override {
    ++opens;
    if (!open_succeeds) return false;
    open = true;
    read_all(buffer());  // the drain, as the real port does
    return true;
  }
  bool close_port() override {
    ++closes;
    open = false;
    return close_succeeds;
  }
  int read_port(uint8_t* buffer, int max) override {
    ++reads;
    if (!open) return 0;
    if (!scripted.empty()) {
      const std::string reply = scripted.front();
      scripted.pop_front();
      const int n = static_cast<int>(reply.size()) < max ? static_cast<int>(reply.size()) : max;
      std::memcpy(buffer, reply.data(), static_cast<std::size_t>(n));
      return n;
    }
    if (!engine) return 0;
    return static_cast<int>(engine->send(buffer, static_cast<std::size_t>(max)));
  }
  int write_port(const uint8_t* buffer, int count) override {
    if (!open) return 0;
    int n = count;
    if (static_cast<int>(writes.size()) == short_write) n = count > 0 ? count - 1 : 0;
    writes.emplace_back(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(n));
    if (engine) engine->receive(buffer, static_cast<std::size_t>(n));
    return n;
  }
  void sleep_ticks(int ticks) override { sleeps.push_back(ticks); }

  std::string all_written() const {
    std::string text;
    for (const std::string& w : writes) text += w;
    return text;
  }

  sim_engine* engine = nullptr;
  std::deque<std::string> scripted;  // replies returned by successive reads, before the engine
  bool open_succeeds = true;
  bool close_succeeds = true;
  int short_write = -1;  // index of the write that comes up one byte short
  bool open = false;
  int opens = 0, closes = 0, reads = 0;
  std::vector<std::string> writes;
  std::vector<int> sleeps;
};

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
