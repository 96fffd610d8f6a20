// The simulated mask: the night it holds, and how it takes an upload and sets its clock.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "key_lines.h"
#include "test_link.h"

namespace {

const civil_time download_time{2024, 3, 1, 9, 30, 15};  // a morning after a leap day
const std::string example_packet = "1\r0 13 5 42\r12 0\r11 59\r0\r0\r0 8 30\r2 2 3 10\r6\r175 186 173 8\r0x2ea\r";

TEST(sim_night, is_a_recent_evening_stamped_before_it_with_rem_only_within_it) {
  device_settings reset{};
  reset_settings(reset);
  for (uint32_t seed = 0; seed < 200; ++seed) {
    const device_block b = make_night(seed, download_time);
    SCOPED_TRACE(seed);
    EXPECT_TRUE(b.recstarth >= 22 && b.recstarth <= 23 && b.dur >= 84 && b.dur <= 120);
    EXPECT_TRUE(b.mode >= 1 && b.mode <= 4 && b.smoded >= 0 && b.smoded <= 2);
    device_settings night = reset;
    copy_block_settings(b, night);
    EXPECT_EQ(settings_lines(night), settings_lines(reset)) << "settings at their reset values";
    // Stamped by an upload zero to two days before the evening the night began.
    const date_stamp stamp = unpack_date(b.tstamp);
    EXPECT_EQ(stamp.set, 1);
    EXPECT_EQ(days_from_civil(stamp.year, stamp.month, stamp.day) + b.smoded, days_from_civil(2024, 2, 29));
    EXPECT_EQ(b.todd, b.smoded + 1);
    EXPECT_EQ(b.todh * 3600 + b.todm * 60 + b.tods, 9 * 3600 + 30 * 60 + 15);

    for (int bin = b.dur; bin < bins_per_record; ++bin) EXPECT_FALSE((b.rem[bin / 8] >> (bin % 8)) & 1) << bin;
  }
  const device_block one = make_night(1, download_time), two = make_night(2, download_time);
  EXPECT_NE(std::memcmp(&one, &two, sizeof one), 0) << "the seed makes the night";
}

// A packet is checked before it is taken; the mask takes its stamp, keeps its night and its clock runs on
// from the time the upload set.
TEST(sim_engine, an_upload_is_checked_before_it_is_taken_and_sets_the_clock) {
  int64_t now = 1000000;
  sim_engine box(make_night(4, download_time));
  box.clock = [&now] { return now; };
  std::string bad_sum = example_packet, missing = example_packet;
  bad_sum.replace(bad_sum.find("0x2ea"), 5, "0x2eb");
  missing.replace(missing.find("2 2 3 10"), 8, "2 2 3");
  int taken = 0;
  for (const std::string& packet : {bad_sum, missing, example_packet}) {
    const bool ok = packet == example_packet;
    box.receive("remote\rstldata\r" + packet);
    EXPECT_EQ(box.send_all(), std::string("remote\r\n>stldata\r\n") + (ok ? "OK\r\n>" : "ERR\r\n>")) << packet;
    EXPECT_EQ(box.upload_count(), taken += ok);
  }
  EXPECT_EQ(box.last_upload().checksum, 746);
  EXPECT_EQ(box.block.tstamp, 0x08ADBAAFu) << "the mask takes the stamp";
  EXPECT_NE(box.block.dur, 0) << "and keeps its night";
  now += 86400 + 3600 + 20;
  box.receive(std::string("gtldata\r"));
  EXPECT_EQ(box.block.todd, 1);
  EXPECT_EQ(box.block.todh * 3600 + box.block.todm * 60 + box.block.tods, 14 * 3600 + 6 * 60 + 2);
}

}  // namespace
