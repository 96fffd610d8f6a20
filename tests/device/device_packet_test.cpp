// The download packet's reader and the upload packet, byte for byte.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "test_link.h"

namespace {

struct packets : ::testing::Test {
  recording_owner owner;
  fake_port port;
  std::unique_ptr<device_link> link = fake_link(owner, port);
  device_block block{};

  void SetUp() override { reset_block(block); }

  // A download whose packet is the given reply.
  int download(const std::string& reply) {
    port.scripted = exchange_replies(reply);
    return link->get_data(block);
  }

  // The packet of an acknowledged upload.
  std::string upload(device_settings& settings) {
    port.scripted = exchange_replies("stldata\r\nOK\r\n>");
    port.writes.clear();
    EXPECT_EQ(link->set_settings(settings), 1);
    EXPECT_EQ(port.writes.size(), 6u);  // remote, check, grev, stldata, the packet, release
    return port.writes.size() == 6 ? port.writes[4] : "";
  }
};

TEST_F(packets, the_worked_upload_example_goes_out_byte_for_byte) {
  device_settings settings{};
  reset_settings(settings);
  settings.todd = 0, settings.todh = 13, settings.todm = 5, settings.tods = 42;
  settings.tstamp = pack_date(1997, 5, 23, 13, 5, 1);
  std::string sent_before_wait;
  port.on_wait = [&] { sent_before_wait = port.all_written(); };
  const std::string packet = "1\r0 13 5 42\r12 0\r11 59\r0\r0\r0 8 30\r2 2 3 10\r6\r175 186 173 8\r0x2ea\r";
  ASSERT_EQ(packet.size(), 65u);
  EXPECT_EQ(upload(settings), packet);
  EXPECT_EQ(settings.checksum, 746);
  EXPECT_EQ(port.writes[3], "stldata\r");
  EXPECT_EQ(port.waits.back(), 17000);
  EXPECT_TRUE(sent_before_wait.ends_with("stldata\r" + packet)) << "the wait comes after the packet";

  // The sent pairs go out, not the edit copies; DALARM's line comes before WALARM's.
  settings.cstarth_edit = 1, settings.cendh_edit = 3, settings.wtimeh_edit = 5;
  settings.dalarm = 1;
  EXPECT_EQ(upload(settings).substr(0, 36), "1\r0 13 5 42\r12 0\r11 59\r0\r1\r0 8 30\r2 ");
}

TEST_F(packets, the_download_skips_its_echo_line_and_what_follows_the_checksum) {
  EXPECT_EQ(download("1 2 3 4 5 6 7"), 0) << "without an LF every field is missing";
  EXPECT_EQ(download(ones_reply("58").substr(9)), 0) << "a missing echo costs the first line";
  EXPECT_EQ(download("x\n" + ones_reply("58").substr(9) + "garbage 12 \x01 trailing"), 1);
  EXPECT_STREQ(block.ibv, "IB 9") << "the version is copied on success";
}

TEST_F(packets, checksum_forms_and_arithmetic) {
  // REM byte 0 sent as 300: stored as 44, summed as 300. Sum = 57 + 300 = 357.
  EXPECT_EQ(download(ones_reply("357", 300)), 1);
  EXPECT_EQ(block.rem[0], 44);
  EXPECT_EQ(block.checksum, 357);

  // 746 written in several forms; REM byte 0 = 689 makes the sum 57 + 689.
  for (const char* form : {"0x2ea", "746", "01352", "0X2EA"}) {
    EXPECT_EQ(download(ones_reply(form, 689)), 1) << form;
    EXPECT_EQ(block.checksum, 746) << form;
  }

  // A sum above 65,535 is compared modulo 65,536 with the received low 16 bits.
  EXPECT_EQ(download(ones_reply(std::to_string(65536 + 100), 65536 + 43)), 1);
  EXPECT_EQ(block.checksum, 100);
  EXPECT_EQ(download(ones_reply("100", 65536 + 43)), 1);

  EXPECT_EQ(download(ones_reply("-1")), -38);
  EXPECT_EQ(owner.messages.at(0), "Checksum error.  Got 65535, computed 58.") << "both as unsigned 16-bit numbers";
}

TEST_F(packets, a_reply_of_32768_bytes_is_read_within_bounds) {
  std::string reply = ones_reply("58");
  EXPECT_EQ(download(reply + std::string(40000 - reply.size(), '9')), 1);
  EXPECT_EQ(download(std::string(40000, '1')), 0) << "no echo line in the whole buffer";
}

}  // namespace
