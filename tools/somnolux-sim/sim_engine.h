// The simulated interface box and mask: takes the bytes the program writes, makes the replies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "model/date_stamp.h"
#include "model/device_block.h"

// Faults that a test or a user can make the box show.
struct sim_faults {
  bool silent = false;         // powered off: answers nothing
  bool no_prompt = false;      // every answer lacks its final ">"
  bool bad_checksum = false;   // the download's checksum is one off
  int cut_after = -1;          // the download stops after this many numbers (-1: never)
  bool refuse_upload = false;  // a valid upload is answered without "OK"
};

class sim_engine {
 public:
  static constexpr std::size_t max_line = 255;     // longer command lines are cut
  static constexpr std::size_t max_packet = 4096;  // a longer upload is refused
  static constexpr int download_numbers = 58;      // before the checksum

  explicit sim_engine(const device_block& night, std::string version = "SLX-IB 1.4");

  // Bytes from the program.
  void receive(const uint8_t* data, std::size_t count);
  void receive(const std::string& text) { receive(reinterpret_cast<const uint8_t*>(text.data()), text.size()); }
  // Takes up to max bytes of the pending answer; the count taken.
  std::size_t send(uint8_t* out, std::size_t max);
  std::string send_all();
  bool has_output() const { return sent_ < output_.size(); }

  bool remote() const { return remote_; }
  int upload_count() const { return upload_count_; }
  const device_settings& last_upload() const { return last_upload_; }

  // The download packet of the held block: echo, numbers, checksum, prompt.
  std::string download_reply() const;

  // What the mask holds; uploads change its settings, clock and date stamp.
  device_block block;
  sim_faults faults;
  std::string version;
  // Local time in seconds (to_seconds of the local civil time); when set, the
  // device clock runs on from the last upload or from the night's creation.
  std::function<int64_t()> clock;

 private:
  void command(const std::string& line);
  void finish_upload();
  void answer(std::string text);  // adds the prompt unless a fault removes it
  void update_clock();

  bool remote_ = false;
  bool in_packet_ = false;
  std::string line_;
  std::string packet_;
  int packet_lines_ = 0;
  std::string output_;
  std::size_t sent_ = 0;
  int upload_count_ = 0;
  device_settings last_upload_{};
  int64_t clock_base_ = 0;   // device seconds (day counter included) at clock_host_
  int64_t clock_host_ = -1;  // host seconds when clock_base_ held; -1 until first use
};
