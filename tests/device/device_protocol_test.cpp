// The command protocol and both exchanges against the simulator's engine, without waiting.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "test_link.h"

namespace {

const char open_failed[] = "Couldn't open serial port.";
const char remote_failed[] =
    "Couldn't set Somnolux interface to remote operation.  "
    "Please check the interface power and modem cables.";
const char status_failed[] = "Couldn't get Somnolux status.";
const char release_failed[] = "Couldn't release Somnolux from remote operation.";
const char close_failed[] = "Couldn't close serial port.";
const char settings_failed[] = "Couldn't set Somnolux settings.";

std::string data_failed(int code) {
  return "Couldn't get Somnolux data.  Error = " + std::to_string(code) + ".";
}

struct protocol : ::testing::Test {
  sim_engine engine{distinct_block(), "IB 7.1 rev C"};
  recording_owner owner;
  test_link link{owner, &engine};
  test_link bare{owner};  // answers only what a test scripts
  device_block block{};
  device_settings settings{};

  void SetUp() override {
    reset_block(block);
    reset_settings(settings);
  }
};

TEST_F(protocol, download_runs_the_whole_exchange_and_fills_every_field) {
  ASSERT_EQ(link.get_data(block), 1);

  EXPECT_EQ(link.all_written(), "remote\rcheck\rgrev\rgtldata\r\r");
  EXPECT_EQ(link.sleeps, (std::vector<int>{60, 720}));
  EXPECT_TRUE(owner.messages.empty());
  EXPECT_FALSE(link.open);
  EXPECT_EQ(link.opens, 1);
  EXPECT_FALSE(engine.remote()) << "the interface must be released";

  const device_block expected = distinct_block();
  EXPECT_EQ(std::memcmp(&block, &expected, offsetof(device_block, checksum)), 0)
      << "every field from PACKV to TSTAMP in its place";
  EXPECT_STREQ(block.ibv, "IB 7.1 rev C");
  EXPECT_STREQ(link.interface_version, "IB 7.1 rev C");
}

TEST_F(protocol, upload_runs_the_whole_exchange_and_the_device_takes_the_settings) {
  settings.cdur = 42;
  settings.cstarth = 3;
  settings.tstamp = 0x08ADBAAF;
  ASSERT_EQ(link.set_settings(settings), 1);

  const std::string written = link.all_written();
  EXPECT_EQ(written.substr(0, 28), "remote\rcheck\rgrev\rstldata\r1\r");
  EXPECT_EQ(written.back(), '\r');
  EXPECT_EQ(link.sleeps, (std::vector<int>{60, 1020}));
  EXPECT_TRUE(owner.messages.empty());
  EXPECT_FALSE(link.open);
  EXPECT_FALSE(engine.remote());

  ASSERT_EQ(engine.upload_count(), 1);
  EXPECT_EQ(engine.last_upload().cdur, 42);
  EXPECT_EQ(engine.last_upload().cstarth, 3);
  EXPECT_EQ(engine.last_upload().tstamp, 0x08ADBAAFu);
  EXPECT_EQ(engine.last_upload().checksum, settings.checksum);

  // The next download shows what was uploaded.
  ASSERT_EQ(link.get_data(block), 1);
  EXPECT_EQ(block.cdur, 42);
  EXPECT_EQ(block.cstarth, 3);
  EXPECT_EQ(block.tstamp, 0x08ADBAAFu);
}

TEST_F(protocol, waits_follow_the_timeout_choice) {
  const int download[] = {720, 1440, 2160, 0, 0};
  const int upload[] = {1020, 2040, 3060, 0, 0};
  const int choices[] = {0, 1, 2, 3, -1};
  for (int i = 0; i < 5; ++i) {
    link.timeout_choice = choices[i];
    EXPECT_EQ(link.download_wait(), download[i]) << choices[i];
    EXPECT_EQ(link.upload_wait(), upload[i]) << choices[i];
  }
  link.timeout_choice = 2;
  link.get_data(block);
  link.set_settings(settings);
  EXPECT_EQ(link.sleeps, (std::vector<int>{60, 2160, 60, 3060}));
}

TEST_F(protocol, a_port_that_does_not_open_ends_with_its_message_alone) {
  link.open_succeeds = false;
  EXPECT_EQ(link.get_data(block), 0);
  EXPECT_EQ(link.set_settings(settings), 0);
  EXPECT_EQ(owner.messages, (std::vector<std::string>{open_failed, open_failed}));
  EXPECT_TRUE(link.writes.empty());
}

TEST_F(protocol, a_powered_off_interface_fails_remote_and_closes_the_port) {
  engine.faults.silent = true;
  EXPECT_EQ(link.get_data(block), 0);
  EXPECT_EQ(owner.messages, std::vector<std::string>{remote_failed});
  EXPECT_EQ(link.all_written(), "remote\r");
  EXPECT_FALSE(link.open);
  EXPECT_EQ(link.closes, 1);

  owner.messages.clear();
  EXPECT_EQ(link.set_settings(settings), 0);
  EXPECT_EQ(owner.messages, std::vector<std::string>{remote_failed});
}

TEST_F(protocol, answers_without_the_prompt_are_refused) {
  engine.faults.no_prompt = true;
  EXPECT_EQ(link.get_data(block), 0);
  EXPECT_EQ(owner.messages, std::vector<std::string>{remote_failed});
}

TEST_F(protocol, remote_is_accepted_on_its_last_byte_alone) {
  bare.scripted = {"", ">"};  // drain, remote
  EXPECT_TRUE(bare.open_port());
  EXPECT_TRUE(bare.set_remote());
  bare.scripted = {"remote\r\n> "};
  EXPECT_FALSE(bare.set_remote());
  EXPECT_FALSE(bare.set_remote()) << "nothing at all";
  EXPECT_EQ(bare.all_written(), "remote\rremote\rremote\r");
}

TEST_F(protocol, the_check_reply_must_end_in_TL_and_the_prompt) {
  const char* refused[] = {"check\r\nTL\r\n", "check\r\nTX\r\n>", "check\r\nXL\r\n>",
                           "L\r\n>", "check\r\nTL\n\r>"};
  for (const char* reply : refused) {
    owner.messages.clear();
    // A good grev answer follows, so that only the check answer can fail.
    bare.scripted = {"", "remote\r\n>", reply, "grev\r\nv\r\n>"};
    EXPECT_EQ(bare.get_data(block), 0) << reply;
    EXPECT_EQ(owner.messages, std::vector<std::string>{status_failed}) << reply;
    EXPECT_FALSE(bare.open);
  }
  bare.scripted = {"", "remote\r\n>", "TL\r\n>", "grev\r\nv\r\n>"};
  bare.writes.clear();
  bare.sleeps.clear();
  EXPECT_TRUE(bare.open_port());
  EXPECT_TRUE(bare.set_remote());
  EXPECT_TRUE(bare.get_status()) << "five bytes are enough";
  EXPECT_EQ(bare.all_written(), "remote\rcheck\rgrev\r");
  EXPECT_EQ(bare.sleeps, std::vector<int>{60}) << "a second before the check reply";
}

TEST_F(protocol, the_grev_reply_gives_the_version_from_its_second_line) {
  struct {
    const char* reply;
    bool accepted;
    std::string version;
  } cases[] = {
      {"grev\r\nIB 2.0\r\n>", true, "IB 2.0"},
      {"grev\r\nIB 2.0\r\nmore\r\n>", true, "IB 2.0"},
      {"\r\n>", true, ">"},          // nothing but the end: the prompt is all that follows
      {"grev\r\n\r\n>", true, ""},
      {"grev\r\nIB 2.0\r\n", false, "old"},
      {"grev\r\nIB\n>", false, "old"},
      {"\n>", false, "old"},
  };
  for (const auto& c : cases) {
    std::strcpy(bare.interface_version, "old");
    bare.scripted = {"", "TL\r\n>", c.reply};
    ASSERT_TRUE(bare.open_port());
    EXPECT_EQ(bare.get_status(), c.accepted) << c.reply;
    EXPECT_EQ(std::string(bare.interface_version), c.version) << c.reply;
    bare.close_port();
  }
}

TEST_F(protocol, a_version_is_kept_to_255_characters) {
  const std::string long_version(300, 'v');
  bare.scripted = {"", "TL\r\n>", "grev\r\n" + long_version + "\r\n>"};
  ASSERT_TRUE(bare.open_port());
  ASSERT_TRUE(bare.get_status());
  EXPECT_EQ(std::string(bare.interface_version), long_version.substr(0, 255));

  // Through a whole download the block gets the same 255 characters.
  engine.version = std::string(255, 'w') + "xyz";
  ASSERT_EQ(link.get_data(block), 1);
  EXPECT_EQ(std::string(block.ibv), std::string(255, 'w'));
}

TEST_F(protocol, a_short_command_write_fails_at_once_without_reading) {
  // Writes in order: 0 remote, 1 check, 2 grev, 3 gtldata / stldata, 4 packet, 5 release.
  struct {
    int write;
    bool download;
    std::vector<std::string> messages;
  } cases[] = {
      {0, true, {remote_failed}},
      {1, true, {status_failed}},
      {2, true, {status_failed}},
      {3, true, {data_failed(0)}},
      {4, true, {release_failed}},
      {3, false, {settings_failed}},
      {4, false, {settings_failed}},
      {5, false, {release_failed}},
  };
  for (const auto& c : cases) {
    sim_engine fresh(distinct_block());
    recording_owner messages;
    test_link short_link(messages, &fresh);
    short_link.short_write = c.write;
    const int result = c.download ? short_link.get_data(block) : short_link.set_settings(settings);
    EXPECT_EQ(messages.messages, c.messages) << "write " << c.write;
    EXPECT_FALSE(short_link.open) << "write " << c.write;
    if (c.write < 3) {
      // The failed command is followed by no read of its own.
      EXPECT_EQ(short_link.reads, 1 + c.write) << "write " << c.write;
    }
    if (c.write == 4 && c.download) {
      EXPECT_EQ(result, 1) << "a failed release keeps the data";
    }
  }
}

TEST_F(protocol, a_port_that_does_not_close_is_reported) {
  link.close_succeeds = false;
  EXPECT_EQ(link.get_data(block), 1);
  EXPECT_EQ(owner.messages, std::vector<std::string>{close_failed});
}

TEST_F(protocol, a_checksum_error_is_reported_then_the_code_then_the_interface_is_released) {
  engine.faults.bad_checksum = true;
  EXPECT_EQ(link.get_data(block), -38);
  // The sum of the 58 numbers of the distinct block, and the one-off value sent.
  const device_block b = distinct_block();
  unsigned sum = 0;
  for (const int32_t* f = &b.packv; f <= &b.dur; ++f) sum += static_cast<unsigned>(*f);
  for (uint8_t r : b.rem) sum += r;
  for (const int32_t* f = &b.walarm; f <= &b.sens; ++f) sum += static_cast<unsigned>(*f);
  sum += 175 + 186 + 173 + 8;
  sum &= 0xffff;
  ASSERT_EQ(owner.messages.size(), 2u);
  EXPECT_EQ(owner.messages[0], "Checksum error.  Got " + std::to_string((sum + 1) & 0xffff) +
                                   ", computed " + std::to_string(sum) + ".");
  EXPECT_EQ(block.checksum, (sum + 1) & 0xffff) << "the received checksum is kept";
  EXPECT_EQ(owner.messages[1], data_failed(-38));
  EXPECT_EQ(link.writes.back(), "\r");
  EXPECT_FALSE(engine.remote());
  EXPECT_FALSE(link.open);
  EXPECT_EQ(block.cdur, 77) << "the fields read so far stay";
  EXPECT_STREQ(block.ibv, "") << "but not the interface version";
}

TEST_F(protocol, every_missing_number_has_its_code) {
  const int codes[58] = {0,   -1,  -2,  -3,  -4,  -5,  -6,  -7,  -8,  -9,  -10, -11,
                         -12, -13, -14, -44, -39, -15, -16, -16, -16, -16, -16, -16,
                         -16, -16, -16, -16, -16, -16, -16, -16, -16, -16, -17, -18,
                         -19, -20, -21, -22, -23, -24, -25, -26, -27, -28, -29, -30,
                         -31, -32, -33, -34, -35, -36, -40, -41, -42, -43};
  for (int kept = 0; kept <= 58; ++kept) {
    sim_engine cut(distinct_block());
    cut.faults.cut_after = kept;
    recording_owner messages;
    test_link cut_link(messages, &cut);
    const int expected = kept < 58 ? codes[kept] : -37;
    EXPECT_EQ(cut_link.get_data(block), expected) << kept << " numbers";
    EXPECT_EQ(messages.messages, std::vector<std::string>{data_failed(expected)}) << kept;
    EXPECT_FALSE(cut_link.open);
  }
}

TEST_F(protocol, a_refused_upload_is_reported_and_released) {
  engine.faults.refuse_upload = true;
  EXPECT_EQ(link.set_settings(settings), 0);
  EXPECT_EQ(owner.messages, std::vector<std::string>{settings_failed});
  EXPECT_EQ(link.writes.back(), "\r");
  EXPECT_FALSE(engine.remote());
  EXPECT_EQ(engine.upload_count(), 0);
}

TEST_F(protocol, the_upload_acknowledgement_must_end_in_OK_and_the_prompt) {
  const char* replies[] = {"stldata\r\nOK\r\n>", "OK\r\n>", "stldata\r\nOK\r\n", "K\r\n>",
                           "stldata\r\nNO\r\n>"};
  const int results[] = {1, 1, 0, 0, 0};
  for (int i = 0; i < 5; ++i) {
    bare.scripted = {"", replies[i]};
    ASSERT_TRUE(bare.open_port());
    EXPECT_EQ(bare.do_set_settings(settings), results[i]) << replies[i];
    bare.close_port();
  }
}

TEST_F(protocol, a_device_without_data_downloads_normally) {
  sim_engine empty(make_empty_night(civil_time{2024, 3, 9, 10, 0, 0}));
  test_link empty_link(owner, &empty);
  ASSERT_EQ(empty_link.get_data(block), 1);
  EXPECT_EQ(block.tstamp, 0u);
  EXPECT_EQ(block.dur, 0);
  EXPECT_TRUE(owner.messages.empty());
}

}  // namespace
