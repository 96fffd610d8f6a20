// The command protocol and both exchanges against the simulator's engine, without waiting.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "key_lines.h"
#include "test_link.h"

namespace {

using messages = std::vector<std::string>;
using step = exchange_step;
const char remote_failed[] =
    "Couldn't set Somnolux interface to remote operation.  "
    "Please check the interface power and modem cables.";
const char status_failed[] = "Couldn't get Somnolux status.";
const char release_failed[] = "Couldn't release Somnolux from remote operation.";
const char settings_failed[] = "Couldn't set Somnolux settings.";

std::string data_failed(int code) { return "Couldn't get Somnolux data.  Error = " + std::to_string(code) + "."; }

struct protocol : ::testing::Test {
  sim_engine engine{distinct_block(), "IB 7.1 rev C"};
  recording_owner owner;
  fake_port port{&engine};
  fake_port script;  // answers only what a test scripts
  std::unique_ptr<device_link> link = fake_link(owner, port), bare = fake_link(owner, script);
  device_block block{};
  device_settings settings{};

  void SetUp() override {
    reset_block(block);
    reset_settings(settings);
  }
};

// A download, an upload with the longest waits and a download that shows it.
TEST_F(protocol, exchanges_run_whole_with_the_waits_of_the_timeout_choice) {
  ASSERT_EQ(link->get_data(block), 1);
  const device_block expected = distinct_block();
  EXPECT_EQ(std::memcmp(&block, &expected, offsetof(device_block, checksum)), 0)
      << "every field from PACKV to TSTAMP in its place";
  EXPECT_STREQ(block.ibv, "IB 7.1 rev C");

  link->timeout_choice = 2;
  settings.cdur = 42, settings.tstamp = 0x08ADBAAF;
  ASSERT_EQ(link->set_settings(settings), 1);
  EXPECT_EQ(settings_lines(engine.last_upload()), settings_lines(settings));
  ASSERT_EQ(link->get_data(block), 1);
  EXPECT_EQ(block.cdur, 42);
  EXPECT_EQ(block.tstamp, 0x08ADBAAFu);

  ASSERT_EQ(port.writes.size(), 16u);  // the packet is writes[9]
  const std::string start = "remote\rcheck\rgrev\r";
  EXPECT_EQ(port.all_written(),
            start + "gtldata\r\r" + start + "stldata\r" + port.writes[9] + "\r" + start + "gtldata\r\r");
  EXPECT_EQ(port.waits, (std::vector<int64_t>{1000, 12000, 1000, 51000, 1000, 36000}));
  EXPECT_TRUE(owner.messages.empty());
  EXPECT_EQ(link->failed_step(), step::none);
  EXPECT_FALSE(port.open || engine.remote()) << "the port closed, the interface released";
  for (const auto& [choice, download, upload] : {std::tuple{1, 24000, 34000}, {3, 0, 0}, {-1, 0, 0}}) {
    link->timeout_choice = choice;
    port.waits.clear();
    EXPECT_EQ(link->get_data(block) + link->set_settings(settings), 2);
    EXPECT_EQ(port.waits, (std::vector<int64_t>{1000, download, 1000, upload})) << choice;
  }
  port.close_succeeds = false;
  EXPECT_EQ(link->get_data(block), 1);
  EXPECT_EQ(owner.messages, messages{"Couldn't close serial port."}) << "a port that does not close";
  EXPECT_EQ(link->failed_step(), step::close);
}

// Each reply of the start is judged by its last bytes; the version is grev's second line.
TEST_F(protocol, start_replies_are_judged_by_their_ends) {
  const char *tl = "TL\r\n>", *end = "\r\n>";
  struct {
    const char *remote, *check;
    std::string grev;
    const char* message = nullptr;  // none: accepted, and the scripted download then fails
    std::string version = "old";
  } cases[] = {
      {">", tl, "grev\r\nIB 2.0\r\n>", nullptr, "IB 2.0"},
      {">", tl, end, nullptr, ">"},  // the text after the first LF, no CR follows
      {">", tl, "grev\r\n" + std::string(300, 'v') + end, nullptr, std::string(255, 'v')},
      {"remote\r\n> ", tl, end, remote_failed},
      {">", "check\r\nTL\r\n", end, status_failed},
      {">", tl, "\n>", status_failed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.remote) + "|" + c.check + "|" + c.grev);
    std::strcpy(bare->interface_version, "old");
    script.scripted = {"", c.remote, c.check, c.grev};
    owner.messages.clear();
    EXPECT_EQ(bare->get_data(block), 0);
    EXPECT_EQ(owner.messages, messages{c.message ? c.message : data_failed(0)});
    EXPECT_EQ(std::string(bare->interface_version), c.version);
    EXPECT_FALSE(script.open);
  }
  engine.version = std::string(255, 'w') + "xyz";
  ASSERT_EQ(link->get_data(block), 1);
  EXPECT_EQ(std::string(block.ibv), std::string(255, 'w')) << "the block gets the kept 255";
}

// A command that goes out short fails its step at once, without reading its reply.
TEST_F(protocol, a_short_write_fails_its_step_at_once_without_reading) {
  // Writes in order: 0 remote, 1 check, 2 grev, 3 gtldata / stldata, 4 packet, 5 release.
  const struct {
    int write;
    bool download;
    int result;
    step failed;
    messages shown;
  } cases[] = {
      {0, true, 0, step::remote, {remote_failed}},    {2, true, 0, step::status, {status_failed}},
      {3, true, 0, step::packet, {data_failed(0)}},   {4, true, 1, step::release, {release_failed}},
      {4, false, 0, step::packet, {settings_failed}}, {5, false, 1, step::release, {release_failed}},
  };
  for (const auto& c : cases) {
    sim_engine fresh(distinct_block());
    recording_owner shown;
    fake_port short_port(&fresh);
    short_port.short_write = c.write;
    const auto short_link = fake_link(shown, short_port);
    const int result = c.download ? short_link->get_data(block) : short_link->set_settings(settings);
    SCOPED_TRACE("write " + std::to_string(c.write));
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(shown.messages, c.shown);
    EXPECT_EQ(short_link->failed_step(), c.failed);
    EXPECT_FALSE(short_port.open);
    if (c.write < 3) {
      EXPECT_EQ(short_port.reads, 1 + c.write) << "no read after the short write";
    }
  }
}

TEST_F(protocol, a_checksum_error_shows_both_messages_keeps_the_fields_and_releases) {
  script.scripted = exchange_replies(ones_reply("59"));
  EXPECT_EQ(bare->get_data(block), -38);
  EXPECT_EQ(owner.messages, (messages{"Checksum error.  Got 59, computed 58.", data_failed(-38)}));
  EXPECT_EQ(bare->failed_step(), step::checksum);
  EXPECT_EQ(script.writes.back(), "\r");
  EXPECT_FALSE(script.open);
  EXPECT_EQ(block.checksum, 59) << "the received checksum is kept";
  EXPECT_EQ(block.cdur, 1) << "so are the fields";
  EXPECT_STREQ(block.ibv, "") << "but not the interface version";

  engine.faults.bad_checksum = true;  // the simulator's fault gives the same
  EXPECT_EQ(link->get_data(block), -38);
}

TEST_F(protocol, the_upload_needs_OK_and_the_prompt_at_the_end) {
  const std::pair<const char*, int> replies[] = {
      {"stldata\r\nOK\r\n", 0}, {"stldata\r\nOK\r\n>", 1}, {"K\r\n>", 0}, {"OK\r\n>", 1}, {"stldata\r\nNO\r\n>", 0}};
  for (const auto& [reply, result] : replies) {
    script.scripted = exchange_replies(reply);
    EXPECT_EQ(bare->set_settings(settings), result) << reply;
    EXPECT_EQ(bare->failed_step(), result ? step::none : step::packet) << "each exchange says its own";
  }
  EXPECT_EQ(owner.messages, messages(3, settings_failed));
  engine.faults.refuse_upload = true;
  EXPECT_EQ(link->set_settings(settings), 0);
  EXPECT_EQ(port.writes.back(), "\r") << "released after the refusal";
  EXPECT_FALSE(engine.remote());
}

}  // namespace
