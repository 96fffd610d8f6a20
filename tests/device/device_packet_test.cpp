// Numbers on the line, the download packet's reader and the upload packet, byte for byte.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "test_link.h"

namespace {

struct packets : ::testing::Test {
  recording_owner owner;
  test_link link{owner};
  device_block block{};

  void SetUp() override { reset_block(block); }

  struct parsed {
    int32_t value;
    bool error;
    int position;
  };
  parsed parse(const std::string& text, int start = 0, uint16_t* sum = nullptr) {
    parsed p{0, false, start};
    p.value = link.parse_number(reinterpret_cast<const uint8_t*>(text.data()),
                                static_cast<int>(text.size()), p.position, p.error, sum);
    return p;
  }

  // Runs do_get_data on one scripted reply.
  int download(const std::string& reply) {
    link.scripted = {"", reply};
    EXPECT_TRUE(link.open_port());
    const int result = link.do_get_data(block);
    link.close_port();
    return result;
  }
};

// 58 numbers after an echo line: all 1, so the sum is 58 when nothing else changes.
std::string ones_reply(const std::string& checksum, int rem_value = 1) {
  std::string text = "gtldata\r\n";
  for (int i = 0; i < 58; ++i) text += (i == 18 ? std::to_string(rem_value) : "1") + " ";
  return text + checksum + "\r\n>";
}

TEST_F(packets, numbers_are_read_as_percent_i_reads_them) {
  struct {
    const char* text;
    int32_t value;
  } cases[] = {
      {"12 ", 12},        {"+12 ", 12},       {"-7 ", -7},         {"0x1F ", 31},
      {"0X1f ", 31},      {"017 ", 15},       {"09 ", 0},          {"0 ", 0},
      {"12abc ", 12},     {"0x ", 0},         {"0xg ", 0},         {"-0x10 ", -16},
      {"> ", 0},          {"- ", 0},          {"4294967295 ", -1}, {"2147483648 ", INT32_MIN},
  };
  for (const auto& c : cases) {
    const parsed p = parse(c.text);
    EXPECT_FALSE(p.error) << c.text;
    EXPECT_EQ(p.value, c.value) << c.text;
  }
}

TEST_F(packets, separators_are_anything_not_printable_or_white) {
  const char raw[] = "\r\n\t \x01\x80\xff" "42\x7f" "7\x00" "9\r";
  const std::string text(raw, sizeof raw - 1);
  parsed p = parse(text);
  EXPECT_FALSE(p.error);
  EXPECT_EQ(p.value, 42);
  EXPECT_EQ(p.position, 9) << "stops at the byte after the token";
  p = parse(text, p.position);
  EXPECT_EQ(p.value, 7);
  p = parse(text, p.position);
  EXPECT_EQ(p.value, 9);
  EXPECT_EQ(p.position, 13);
}

TEST_F(packets, a_number_needs_a_separator_after_it) {
  EXPECT_TRUE(parse("12").error);
  EXPECT_TRUE(parse("  \r\n").error);
  EXPECT_TRUE(parse("").error);
  EXPECT_EQ(parse("12").value, 0);
  EXPECT_FALSE(parse("12\r").error);
  EXPECT_TRUE(parse("5 ", 2).error) << "nothing left after the start";
  EXPECT_FALSE(parse("5 ", -3).error) << "a position before the start reads from the start";
}

TEST_F(packets, tokens_are_cut_at_255_characters) {
  // 255 zeros and then a 7: the 7 is beyond the cut, so the value is 0;
  // the whole token is still consumed and the next number reads normally.
  const std::string text = std::string(255, '0') + "7 33 ";
  parsed p = parse(text);
  EXPECT_FALSE(p.error);
  EXPECT_EQ(p.value, 0);
  EXPECT_EQ(p.position, 256);
  EXPECT_EQ(parse(text, p.position).value, 33);
  EXPECT_EQ(parse(std::string(254, '0') + "7 ").value, 7) << "255 characters are kept";
  EXPECT_EQ(parse(std::string(100000, '9') + " ").error, false) << "huge tokens are harmless";
}

TEST_F(packets, sums_wrap_at_65536_and_take_negative_values) {
  uint16_t sum = 65530;
  parse("10 ", 0, &sum);
  EXPECT_EQ(sum, 4);
  sum = 5;
  parse("-7 ", 0, &sum);
  EXPECT_EQ(sum, 65534);
  sum = 0;
  parse("0x12345 ", 0, &sum);
  EXPECT_EQ(sum, 0x2345);
  sum = 9;
  parse("12", 0, &sum);
  EXPECT_EQ(sum, 9) << "an incomplete number adds nothing";
}

TEST_F(packets, numbers_are_appended_with_their_separator_and_summed) {
  char text[64] = "";
  uint16_t sum = 65535;
  EXPECT_TRUE(link.append_number(5, false, false, text, sizeof text, &sum));
  EXPECT_TRUE(link.append_number(-12, false, true, text, sizeof text, &sum));
  EXPECT_TRUE(link.append_number(746, true, true, text, sizeof text, nullptr));
  EXPECT_TRUE(link.append_number(0, true, false, text, sizeof text, nullptr));
  EXPECT_TRUE(link.append_number(-1, true, true, text, sizeof text, nullptr));
  EXPECT_STREQ(text, "5 -12\r0x2ea\r0 0xffffffff\r");
  EXPECT_EQ(sum, static_cast<uint16_t>(65535 + 5 - 12));
}

TEST_F(packets, an_item_is_appended_only_while_the_text_stays_below_the_capacity) {
  char text[8] = "12345";
  uint16_t sum = 0;
  EXPECT_FALSE(link.append_number(7, false, false, text, 7, &sum)) << "7 characters reach 7";
  EXPECT_STREQ(text, "12345");
  EXPECT_EQ(sum, 0);
  EXPECT_TRUE(link.append_number(7, false, false, text, 8, &sum)) << "7 characters stay below 8";
  EXPECT_STREQ(text, "123457 ");
  EXPECT_EQ(sum, 7);
}

TEST_F(packets, the_worked_upload_example_goes_out_byte_for_byte) {
  device_settings settings{};
  reset_settings(settings);
  settings.todd = 0, settings.todh = 13, settings.todm = 5, settings.tods = 42;
  settings.tstamp = link.pack_date(1997, 5, 23, 13, 5, 1);
  ASSERT_EQ(settings.tstamp, 0x08ADBAAFu);

  link.scripted = {"", "stldata\r\nOK\r\n>"};
  ASSERT_TRUE(link.open_port());
  EXPECT_EQ(link.do_set_settings(settings), 1);
  const std::string packet = "1\r0 13 5 42\r12 0\r11 59\r0\r0\r0 8 30\r2 2 3 10\r6\r175 186 173 8\r0x2ea\r";
  ASSERT_EQ(packet.size(), 65u);
  EXPECT_EQ(link.writes, (std::vector<std::string>{"stldata\r", packet}));
  EXPECT_EQ(settings.checksum, 746);
  EXPECT_EQ(link.sleeps, std::vector<int>{1020}) << "the wait comes after the packet";
}

TEST_F(packets, the_upload_sends_the_sent_pairs_not_the_edit_copies) {
  device_settings settings{};
  reset_settings(settings);
  settings.cstarth_edit = 1, settings.cstartm_edit = 2;
  settings.cendh_edit = 3, settings.cendm_edit = 4;
  settings.wtimeh_edit = 5, settings.wtimem_edit = 6;
  settings.dalarm = 1;  // DALARM's line comes before WALARM's
  link.scripted = {"", "OK\r\n>"};
  ASSERT_TRUE(link.open_port());
  link.do_set_settings(settings);
  ASSERT_EQ(link.writes.size(), 2u);
  EXPECT_EQ(link.writes[1].substr(0, 36), "1\r0 0 0 0\r12 0\r11 59\r0\r1\r0 8 30\r2 2 ");
}

TEST_F(packets, the_download_needs_its_echo_line) {
  EXPECT_EQ(download("1 2 3 4 5 6 7"), 0) << "without an LF every field is missing";
  EXPECT_EQ(download(ones_reply("58")), 1);
  EXPECT_EQ(download(ones_reply("58").substr(9)), 0)
      << "without its echo the reply loses everything up to its first LF";
  EXPECT_EQ(download("x\n" + ones_reply("58").substr(9)), 1) << "any first line is skipped";
}

TEST_F(packets, checksum_forms_and_arithmetic) {
  // REM byte 0 sent as 300: stored as 44, summed as 300. Sum = 57 + 300 = 357.
  EXPECT_EQ(download(ones_reply("357", 300)), 1);
  EXPECT_EQ(block.rem[0], 44);
  EXPECT_EQ(block.checksum, 357);

  // 746 written three ways: REM byte 0 = 689 makes the sum 57 + 689.
  for (const char* form : {"0x2ea", "746", "01352", "0X2EA"}) {
    EXPECT_EQ(download(ones_reply(form, 689)), 1) << form;
    EXPECT_EQ(block.checksum, 746) << form;
  }

  // A sum above 65,535 is compared modulo 65,536 with the received low 16 bits.
  EXPECT_EQ(download(ones_reply(std::to_string(65536 + 100), 65536 + 43)), 1);
  EXPECT_EQ(block.checksum, 100);
  EXPECT_EQ(download(ones_reply("100", 65536 + 43)), 1);

  owner.messages.clear();
  EXPECT_EQ(download(ones_reply("59")), -38);
  EXPECT_EQ(owner.messages, std::vector<std::string>{"Checksum error.  Got 59, computed 58."});
  EXPECT_EQ(block.checksum, 59);

  owner.messages.clear();
  EXPECT_EQ(download(ones_reply("-1")), -38);
  EXPECT_EQ(owner.messages, std::vector<std::string>{"Checksum error.  Got 65535, computed 58."})
      << "both printed as unsigned 16-bit numbers";
}

TEST_F(packets, the_date_stamp_arrives_as_four_bytes) {
  std::string reply = "gtldata\r\n";
  for (int i = 0; i < 54; ++i) reply += "0 ";
  reply += "175 186 173 8\r\n";
  reply += std::to_string(175 + 186 + 173 + 8) + "\r\n>";
  ASSERT_EQ(download(reply), 1);
  EXPECT_EQ(block.tstamp, 0x08ADBAAFu);
  const date_stamp d = link.unpack_date(block.tstamp);
  EXPECT_EQ(d.year, 1997);
  EXPECT_EQ(d.minute, 5);
}

TEST_F(packets, text_after_the_checksum_is_ignored_and_the_version_is_copied) {
  std::strcpy(link.interface_version, "IB 9");
  EXPECT_EQ(download(ones_reply("58") + "garbage 12 \x01 trailing"), 1);
  EXPECT_STREQ(block.ibv, "IB 9");
}

TEST_F(packets, a_failed_download_keeps_the_fields_read_before_it) {
  block.sens = 123;
  EXPECT_EQ(download("gtldata\r\n5 6 7 8 9 10 11 12\r\n>"), -8);
  EXPECT_EQ(block.packv, 5);
  EXPECT_EQ(block.cstartm, 12);
  EXPECT_EQ(block.cendh, 11) << "the field that failed is left alone";
  EXPECT_EQ(block.sens, 123);
}

TEST_F(packets, a_reply_of_32768_bytes_is_read_within_bounds) {
  std::string reply = ones_reply("58");
  reply += std::string(40000 - reply.size(), '9');
  EXPECT_EQ(download(reply), 1);
  EXPECT_EQ(download(std::string(40000, '1')), 0) << "no echo line in the whole buffer";
}

TEST_F(packets, stamp_bytes_and_dates_go_through_the_model) {
  int b0 = 0, b1 = 0, b2 = 0, b3 = 0;
  link.unpack_bytes(0x08ADBAAF, b0, b1, b2, b3);
  EXPECT_EQ(b0, 175);
  EXPECT_EQ(b1, 186);
  EXPECT_EQ(b2, 173);
  EXPECT_EQ(b3, 8);
  EXPECT_EQ(link.pack_bytes(175, 186, 173, 8), 0x08ADBAAFu);
  EXPECT_EQ(link.pack_date(1997, 5, 23, 1, 5, 1), 0x08A1BAAFu);

  device_block b{};
  b.cdur = 99;
  link.reset_block(b);
  EXPECT_EQ(b.cdur, 10);
  EXPECT_EQ(b.mode, 1);
  b.recstarth = 1, b.recstartm = 5, b.dur = 96;
  EXPECT_EQ(link.record_label(b), "?\?/?\?/??  1:05  480 minutes");
}

}  // namespace
