// The simulated interface box and mask: commands, the download packet and the upload.
#include "sim_engine.h"

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

void add_number(std::string& text, int32_t value, char separator) {
  char item[16];
  std::snprintf(item, sizeof item, "%d", static_cast<int>(value));
  text += item;
  text += separator;
}

// Reads the blank- and CR-separated numbers of an upload; false on anything else.
bool read_numbers(const std::string& packet, std::vector<long>& numbers) {
  const char* p = packet.c_str();
  while (*p) {
    if (*p == ' ' || *p == '\r' || *p == '\n') {
      ++p;
      continue;
    }
    char* end = nullptr;
    const long value = std::strtol(p, &end, 0);
    if (end == p || (*end != ' ' && *end != '\r' && *end != '\n' && *end != '\0')) return false;
    numbers.push_back(value);
    p = end;
  }
  return true;
}

}  // namespace

sim_engine::sim_engine(const device_block& night, std::string version_) : block(night), version(std::move(version_)) {}

void sim_engine::receive(const uint8_t* data, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    const char c = static_cast<char>(data[i]);
    if (faults.silent) continue;
    if (in_packet_) {
      if (packet_.size() < max_packet + 1) packet_ += c;
      if (c == '\r' && ++packet_lines_ == 11) finish_upload();
      continue;
    }
    if (c == '\n') continue;
    if (c == '\r') {
      command(line_);
      line_.clear();
    } else if (line_.size() < max_line) {
      line_ += c;
    }
  }
}

std::size_t sim_engine::send(uint8_t* out, std::size_t max) {
  std::size_t n = output_.size() - sent_;
  if (n > max) n = max;
  output_.copy(reinterpret_cast<char*>(out), n, sent_);
  sent_ += n;
  if (sent_ == output_.size()) {
    output_.clear();
    sent_ = 0;
  }
  return n;
}

std::string sim_engine::send_all() {
  std::string text = output_.substr(sent_);
  output_.clear();
  sent_ = 0;
  return text;
}

void sim_engine::answer(std::string text) {
  if (!faults.no_prompt) text += '>';
  output_ += text;
}

void sim_engine::command(const std::string& line) {
  // Outside remote operation the box listens for nothing but "remote".
  if (!remote_) {
    if (line == "remote") {
      remote_ = true;
      answer(line + "\r\n");
    }
    return;
  }
  const std::string echo = line + "\r\n";
  if (line.empty()) {  // the release
    remote_ = false;
    answer(echo);
  } else if (line == "remote") {
    answer(echo);
  } else if (line == "check") {
    answer(echo + "TL\r\n");
  } else if (line == "grev") {
    answer(echo + version + "\r\n");
  } else if (line == "gtldata") {
    update_clock();
    std::string reply = download_reply();
    if (faults.no_prompt && !reply.empty() && reply.back() == '>') reply.pop_back();
    output_ += reply;
  } else if (line == "stldata") {
    output_ += echo;  // the prompt follows the packet
    in_packet_ = true;
    packet_.clear();
    packet_lines_ = 0;
  } else {
    answer(echo + "?\r\n");
  }
}

std::string sim_engine::download_reply() const {
  std::vector<std::pair<int32_t, char>> numbers;
  auto line = [&numbers](std::initializer_list<int32_t> values) {
    for (int32_t v : values) numbers.emplace_back(v, ' ');
    numbers.back().second = '\n';
  };
  const device_block& b = block;
  line({b.packv, b.somnv});
  line({b.todd, b.todh, b.todm, b.tods});
  line({b.cstarth, b.cstartm, b.cendh, b.cendm});
  line({b.smoded, b.recstarth, b.recstartm});
  line({b.delay, b.delayp, b.dalarm, b.mode, b.dur});
  for (int i = 0; i < 16; ++i) numbers.emplace_back(b.rem[i], i == 15 ? '\n' : ' ');
  line({b.walarm, b.wtimeh, b.wtimem});
  line({b.type, b.rate, b.intens, b.cdur});
  for (int i = 0; i < 12; ++i) numbers.emplace_back(b.extra[i], i == 11 ? '\n' : ' ');
  line({b.sens});
  int b0 = 0, b1 = 0, b2 = 0, b3 = 0;
  unpack_bytes(b.tstamp, b0, b1, b2, b3);
  line({b0, b1, b2, b3});

  std::string reply = "gtldata\r\n";
  uint16_t sum = 0;
  int count = 0;
  for (const auto& [value, separator] : numbers) {
    if (count++ == faults.cut_after) return reply;  // the line went dead
    add_number(reply, value, ' ');
    if (separator == '\n') reply.back() = '\r', reply += '\n';
    sum = static_cast<uint16_t>(sum + static_cast<uint32_t>(value));
  }
  if (count == faults.cut_after) return reply;
  if (faults.bad_checksum) sum = static_cast<uint16_t>(sum + 1);
  char checksum[16];
  std::snprintf(checksum, sizeof checksum, "%#x\r\n>", static_cast<unsigned>(sum));
  return reply + checksum;
}

void sim_engine::finish_upload() {
  in_packet_ = false;
  std::vector<long> n;
  bool valid = packet_.size() <= max_packet && read_numbers(packet_, n) && n.size() == 24 && n[0] == 1;
  if (valid) {
    uint16_t sum = 0;
    for (int i = 0; i < 23; ++i) sum = static_cast<uint16_t>(sum + static_cast<uint32_t>(n[i]));
    valid = (static_cast<unsigned long>(n[23]) & 0xffff) == sum;
  }
  if (!valid || faults.refuse_upload) {
    answer("ERR\r\n");
    return;
  }

  device_settings s{};
  auto at = [&n](int i) { return static_cast<int32_t>(n[i]); };
  s.lead = at(0);
  s.todd = at(1), s.todh = at(2), s.todm = at(3), s.tods = at(4);
  s.cstarth = s.cstarth_edit = at(5), s.cstartm = s.cstartm_edit = at(6);
  s.cendh = s.cendh_edit = at(7), s.cendm = s.cendm_edit = at(8);
  s.delay = at(9);
  s.dalarm = at(10);
  s.walarm = at(11), s.wtimeh = s.wtimeh_edit = at(12), s.wtimem = s.wtimem_edit = at(13);
  s.type = at(14), s.rate = at(15), s.intens = at(16), s.cdur = at(17);
  s.sens = at(18);
  s.tstamp = pack_bytes(at(19), at(20), at(21), at(22));
  s.checksum = static_cast<uint16_t>(n[23]);
  last_upload_ = s;
  ++upload_count_;

  // The mask takes the settings, the clock and the stamp; its night stays.
  block.todd = s.todd, block.todh = s.todh, block.todm = s.todm, block.tods = s.tods;
  block.cstarth = s.cstarth, block.cstartm = s.cstartm;
  block.cendh = s.cendh, block.cendm = s.cendm;
  block.delay = s.delay, block.dalarm = s.dalarm;
  block.walarm = s.walarm, block.wtimeh = s.wtimeh, block.wtimem = s.wtimem;
  block.type = s.type, block.rate = s.rate, block.intens = s.intens, block.cdur = s.cdur;
  block.sens = s.sens;
  block.tstamp = s.tstamp;
  if (clock) {
    clock_host_ = clock();
    clock_base_ = int64_t{s.todd} * 86400 + s.todh * 3600 + s.todm * 60 + s.tods;
  }
  answer("OK\r\n");
}

void sim_engine::update_clock() {
  if (!clock) return;
  const int64_t now = clock();
  if (clock_host_ < 0) {
    clock_host_ = now;
    clock_base_ = int64_t{block.todd} * 86400 + block.todh * 3600 + block.todm * 60 + block.tods;
  }
  int64_t device = clock_base_ + (now - clock_host_);
  if (device < 0) device = 0;
  block.todd = static_cast<int32_t>(device / 86400);
  block.todh = static_cast<int32_t>(device / 3600 % 24);
  block.todm = static_cast<int32_t>(device / 60 % 60);
  block.tods = static_cast<int32_t>(device % 60);
}
