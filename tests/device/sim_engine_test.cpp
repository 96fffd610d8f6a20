// The simulated box and mask: the night it holds, its answers and how it takes an upload.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim_engine.h"
#include "sim_night.h"
#include "test_link.h"

namespace {

const civil_time download_time{2024, 3, 1, 9, 30, 15};  // a morning after a leap day

bool rem(const device_block& b, int bin) { return (b.rem[bin / 8] >> (bin % 8)) & 1; }

// Runs of set REM bits: {first bin, length}.
std::vector<std::pair<int, int>> rem_runs(const device_block& b) {
  std::vector<std::pair<int, int>> runs;
  for (int bin = 0; bin < bins_per_record; ++bin) {
    if (!rem(b, bin)) continue;
    if (!runs.empty() && runs.back().first + runs.back().second == bin)
      ++runs.back().second;
    else
      runs.emplace_back(bin, 1);
  }
  return runs;
}

TEST(sim_night, is_a_recent_evening_with_lengthening_rem_every_ninety_minutes) {
  for (uint32_t seed = 0; seed < 200; ++seed) {
    const device_block b = make_night(seed, download_time);
    SCOPED_TRACE(seed);
    EXPECT_EQ(b.packv, sim_packet_version);
    EXPECT_EQ(b.somnv, sim_software_version);
    EXPECT_GE(b.recstarth, 22);
    EXPECT_LE(b.recstarth, 23);
    EXPECT_GE(b.dur, 84);
    EXPECT_LE(b.dur, 120);
    EXPECT_GE(b.mode, 1);
    EXPECT_LE(b.mode, 4);

    // Stamped by an upload zero to two days before the evening the night began.
    const date_stamp stamp = unpack_date(b.tstamp);
    EXPECT_EQ(stamp.set, 1);
    EXPECT_GE(b.smoded, 0);
    EXPECT_LE(b.smoded, 2);
    EXPECT_EQ(days_from_civil(stamp.year, stamp.month, stamp.day) + b.smoded,
              days_from_civil(2024, 2, 29));
    EXPECT_EQ(b.todd, b.smoded + 1);
    EXPECT_EQ(b.todh, 9);
    EXPECT_EQ(b.todm, 30);
    EXPECT_EQ(b.tods, 15);

    // Settings at their reset values.
    device_block reset{};
    reset_block(reset);
    EXPECT_EQ(b.cstarth, reset.cstarth);
    EXPECT_EQ(b.cendm, reset.cendm);
    EXPECT_EQ(b.cdur, reset.cdur);
    EXPECT_EQ(b.sens, reset.sens);
    EXPECT_EQ(b.type, reset.type);
    EXPECT_EQ(b.wtimeh, reset.wtimeh);

    // REM ends each cycle of about 18 bins; the periods lengthen towards morning.
    const auto runs = rem_runs(b);
    ASSERT_GE(runs.size(), 4u);
    for (std::size_t i = 1; i < runs.size(); ++i) {
      const int cycle_end = runs[i].first + runs[i].second;
      const int previous_end = runs[i - 1].first + runs[i - 1].second;
      if (cycle_end < b.dur) {
        EXPECT_NEAR(cycle_end - previous_end, 18, 1);
      }
    }
    int last_whole = 0;  // the last run that the end of the record does not cut
    for (std::size_t i = 0; i < runs.size(); ++i)
      if (runs[i].first + runs[i].second < b.dur) last_whole = static_cast<int>(i);
    EXPECT_GE(last_whole, 3);
    EXPECT_GT(runs[last_whole].second, runs[0].second) << "REM lengthens towards morning";
    for (int bin = b.dur; bin < bins_per_record; ++bin) EXPECT_FALSE(rem(b, bin)) << bin;
  }
  EXPECT_NE(make_night(1, download_time).recstartm * 1000 + make_night(1, download_time).dur,
            make_night(2, download_time).recstartm * 1000 + make_night(2, download_time).dur)
      << "the seed makes the night";
}

TEST(sim_night, an_empty_mask_holds_no_data) {
  const device_block b = make_empty_night(download_time);
  EXPECT_EQ(b.tstamp, 0u);
  EXPECT_EQ(b.dur, 0);
  EXPECT_TRUE(rem_runs(b).empty());
  EXPECT_EQ(b.todh, 9);
}

TEST(sim_engine, answers_only_remote_until_remote_then_each_command_with_echo_and_prompt) {
  sim_engine box(make_night(3, download_time), "IB 5");
  box.receive(std::string("check\rgrev\r\r"));
  EXPECT_EQ(box.send_all(), "") << "outside remote operation the box stays quiet";

  box.receive(std::string("remote\r"));
  EXPECT_EQ(box.send_all(), "remote\r\n>");
  box.receive(std::string("check\r"));
  EXPECT_EQ(box.send_all(), "check\r\nTL\r\n>");
  box.receive(std::string("grev\r"));
  EXPECT_EQ(box.send_all(), "grev\r\nIB 5\r\n>");
  box.receive(std::string("what\r"));
  EXPECT_EQ(box.send_all(), "what\r\n?\r\n>");
  box.receive(std::string("\r"));
  EXPECT_EQ(box.send_all(), "\r\n>");
  EXPECT_FALSE(box.remote());
  box.receive(std::string("gtldata\r"));
  EXPECT_EQ(box.send_all(), "") << "released";
}

TEST(sim_engine, the_download_is_58_numbers_and_their_checksum) {
  sim_engine box(distinct_block());
  const std::string reply = box.download_reply();
  EXPECT_EQ(reply.substr(0, 9), "gtldata\r\n");
  EXPECT_EQ(reply.substr(reply.size() - 3), "\r\n>");
  std::vector<long> numbers;
  const char* p = reply.c_str() + 9;
  char* end = nullptr;
  for (long v = std::strtol(p, &end, 0); end != p; v = std::strtol(p, &end, 0)) {
    numbers.push_back(v);
    p = end;
  }
  ASSERT_EQ(numbers.size(), 59u);
  EXPECT_EQ(numbers[0], 100);   // PACKV
  EXPECT_EQ(numbers[17], 117);  // DUR
  EXPECT_EQ(numbers[18], 200);  // REM byte 0
  EXPECT_EQ(numbers[34], 1);    // WALARM
  EXPECT_EQ(numbers[40], 77);   // CDUR
  EXPECT_EQ(numbers[41], 300);  // first further value
  EXPECT_EQ(numbers[53], 9);    // SENS
  EXPECT_EQ(numbers[54], 175);  // TSTAMP b0
  long sum = 0;
  for (int i = 0; i < 58; ++i) sum += numbers[i];
  EXPECT_EQ(numbers[58], sum & 0xffff);
}

TEST(sim_engine, an_upload_is_checked_before_it_is_taken) {
  sim_engine box(make_night(4, download_time));
  const std::string good = "1\r0 13 5 42\r12 0\r11 59\r0\r0\r0 8 30\r2 2 3 10\r6\r175 186 173 8\r0x2ea\r";
  struct {
    std::string packet;
    bool taken;
  } cases[] = {
      {good, true},
      {"1\r0 13 5 42\r12 0\r11 59\r0\r0\r0 8 30\r2 2 3 10\r6\r175 186 173 8\r0x2eb\r", false},
      {"2\r0 13 5 42\r12 0\r11 59\r0\r0\r0 8 30\r2 2 3 10\r6\r175 186 173 8\r0x2eb\r", false},
      {"1\r0 13 5 42\r12 0\r11 59\r0\r0\r0 8 30\r2 2 3\r6\r175 186 173 8\r0x2e0\r", false},
      {"1\r0 13 5 42\r12 0\r11 59\r0\r0\r0 8 x\r2 2 3 10\r6\r175 186 173 8\r0x2ea\r", false},
  };
  int taken = 0;
  for (const auto& c : cases) {
    box.receive(std::string("remote\rstldata\r") + c.packet);
    const std::string answer = box.send_all();
    EXPECT_EQ(answer, std::string("remote\r\n>stldata\r\n") + (c.taken ? "OK\r\n>" : "ERR\r\n>"))
        << c.packet;
    taken += c.taken;
    EXPECT_EQ(box.upload_count(), taken);
    box.receive(std::string("\r"));
    box.send_all();
  }
  const device_settings& s = box.last_upload();
  EXPECT_EQ(s.todh, 13);
  EXPECT_EQ(s.cendm, 59);
  EXPECT_EQ(s.cendm_edit, 59);
  EXPECT_EQ(s.tstamp, 0x08ADBAAFu);
  EXPECT_EQ(s.checksum, 746);
  EXPECT_EQ(box.block.tstamp, 0x08ADBAAFu);
  EXPECT_EQ(box.block.todd, 0);
  EXPECT_NE(box.block.dur, 0) << "the night stays";

  const std::string lines = upload_lines(s);
  EXPECT_EQ(lines.substr(0, 26), "TODD=0\nTODH=13\nTODM=5\nTODS");
  EXPECT_NE(lines.find("\nTSTAMP=145603247\nCHECKSUM=746\n"), std::string::npos) << lines;
}

TEST(sim_engine, the_device_clock_runs_on_from_the_upload) {
  int64_t now = 1000000;
  sim_engine box(make_night(5, download_time));
  box.clock = [&now] { return now; };
  box.receive(std::string("remote\rstldata\r") +
              "1\r0 13 5 42\r12 0\r11 59\r0\r0\r0 8 30\r2 2 3 10\r6\r175 186 173 8\r0x2ea\r");
  now += 86400 + 3600 + 20;
  box.receive(std::string("gtldata\r"));
  EXPECT_EQ(box.block.todd, 1);
  EXPECT_EQ(box.block.todh, 14);
  EXPECT_EQ(box.block.todm, 6);
  EXPECT_EQ(box.block.tods, 2);
}

TEST(sim_engine, faults_change_the_answers) {
  sim_engine box(distinct_block());
  box.faults.no_prompt = true;
  box.receive(std::string("remote\rgtldata\r"));
  std::string answer = box.send_all();
  EXPECT_EQ(answer.substr(0, 17), "remote\r\ngtldata\r\n");
  EXPECT_NE(answer.back(), '>');

  box.faults = {};
  box.faults.cut_after = 2;
  box.receive(std::string("gtldata\r"));
  EXPECT_EQ(box.send_all(), "gtldata\r\n100 101\r\n");

  box.faults = {};
  box.faults.silent = true;
  box.receive(std::string("\rremote\r"));
  EXPECT_EQ(box.send_all(), "");
}

TEST(sim_engine, long_lines_and_packets_are_bounded) {
  sim_engine box(distinct_block());
  box.receive(std::string("remote\r") + std::string(100000, 'x') + "\r");
  const std::string answer = box.send_all();
  EXPECT_EQ(answer.size(), std::string("remote\r\n>").size() + sim_engine::max_line + 6);
  box.receive(std::string("stldata\r") + std::string(100000, '7') + std::string(11, '\r'));
  EXPECT_EQ(box.send_all(), "stldata\r\nERR\r\n>");
  EXPECT_EQ(box.upload_count(), 0);
}

}  // namespace
