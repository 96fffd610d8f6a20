// The real port operations, the tick arithmetic and the preferences file.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#ifndef _WIN32
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>
#endif

#include "device/device_link.h"
#include "device/serial_port.h"
#include "test_link.h"

namespace {

namespace fs = std::filesystem;

// Runs a test in a fresh current directory, as the preferences file is read from there.
struct in_temp_directory : ::testing::Test {
  fs::path previous;
  fs::path directory;
  void SetUp() override {
    previous = fs::current_path();
    directory = fs::temp_directory_path() /
                ("ng_device_" + std::string(::testing::UnitTest::GetInstance()
                                                ->current_test_info()
                                                ->name()));
    fs::remove_all(directory);
    fs::create_directories(directory);
    fs::current_path(directory);
  }
  void TearDown() override {
    fs::current_path(previous);
    fs::remove_all(directory);
  }
  static void write_preferences(const std::string& bytes) {
    std::ofstream out("somnprefs.txt", std::ios::binary);
    out << bytes;
  }
};

using preferences = in_temp_directory;

TEST_F(preferences, the_line_the_program_writes_reads_back) {
  recording_owner owner;
  test_link link(owner);
  const std::pair<const char*, int> cases[] = {
      {"port = COM10\n", 10}, {"port = COM7\n", 7},   {"port = com7\n", 7},
      {"PORT = Com3\r\n", 3}, {"xyzCOM2", 2},         {"", 0},
      {"port = \n", 0},       {"port = COM", 0},      {"port = COMx1\n", 0},
      {"COM 4\n", 0},         {"COM1COM2\n", 1},      {"port = COM999999999999\n", 0},
  };
  for (const auto& [text, port] : cases) {
    write_preferences(text);
    EXPECT_EQ(link.read_port_preference(), port) << '"' << text << '"';
  }
  fs::remove("somnprefs.txt");
  EXPECT_EQ(link.read_port_preference(), 0) << "no file";
}

TEST_F(preferences, only_the_first_255_bytes_count) {
  recording_owner owner;
  test_link link(owner);
  write_preferences(std::string(252, ' ') + "COM5\n");
  EXPECT_EQ(link.read_port_preference(), 0) << "COM ends at byte 255, its digit is beyond";
  write_preferences(std::string(251, ' ') + "COM5\n");
  EXPECT_EQ(link.read_port_preference(), 5);
  write_preferences(std::string("\0\0COM6\n", 7));
  EXPECT_EQ(link.read_port_preference(), 6) << "NUL bytes do not end the text";
}

TEST_F(preferences, the_link_reads_its_port_when_it_is_created) {
  write_preferences("port = COM9\n");
  recording_owner owner;
  device_link link(&owner);
  EXPECT_EQ(link.port_number, 9);
  EXPECT_EQ(link.timeout_choice, 0);
  EXPECT_STREQ(link.interface_version, "");
  test_link quiet(owner);
  EXPECT_EQ(quiet.port_number, 0) << "the test constructor leaves the file alone";
}

TEST(device_port, ticks_are_sixtieths_of_a_second) {
  EXPECT_EQ(device_link::ticks_to_milliseconds(1020), 17000);
  EXPECT_EQ(device_link::ticks_to_milliseconds(720), 12000);
  EXPECT_EQ(device_link::ticks_to_milliseconds(60), 1000);
  EXPECT_EQ(device_link::ticks_to_milliseconds(1), 16);
  EXPECT_EQ(device_link::ticks_to_milliseconds(0), 0);
}

TEST(device_port, a_closed_port_moves_no_bytes) {
  recording_owner owner;
  device_link link(&owner);
  uint8_t bytes[8] = {1, 2, 3};
  EXPECT_EQ(link.read_port(bytes, 8), 0);
  EXPECT_EQ(link.write_port(bytes, 3), 0);
  EXPECT_EQ(link.read_all(bytes), 0);
  EXPECT_TRUE(link.close_port());
  EXPECT_TRUE(owner.messages.empty()) << "the port layer shows no messages";
}

TEST(device_port, port_zero_and_a_missing_device_do_not_open) {
  recording_owner owner;
  device_link link(&owner);
  link.port_number = 0;
  link.port_path.clear();
  EXPECT_EQ(link.port_name(), "");
  EXPECT_FALSE(link.open_port());
  link.port_path = (fs::temp_directory_path() / "ng_no_such_device").string();
  EXPECT_FALSE(link.open_port());
  uint8_t byte = 0;
  EXPECT_EQ(link.write_port(&byte, 1), 0) << "still closed";

  // Through the exchange the user sees the open message and nothing else.
  device_block block{};
  EXPECT_EQ(link.get_data(block), 0);
  EXPECT_EQ(owner.messages, std::vector<std::string>{"Couldn't open serial port."});
}

TEST(device_port, com_ports_are_named_as_the_platform_needs) {
  recording_owner owner;
  device_link link(&owner);
  link.port_path.clear();
  link.port_number = 10;
#ifdef _WIN32
  EXPECT_EQ(link.port_name(), "\\\\.\\COM10");
#else
  EXPECT_EQ(link.port_name(), "/dev/ttyS9");
#endif
  link.port_path = "/some/tty";
  EXPECT_EQ(link.port_name(), "/some/tty") << "a path overrides the number";
}

TEST(device_port, a_device_that_takes_no_line_settings_is_closed_again) {
  const fs::path plain = fs::temp_directory_path() / "ng_not_a_serial_device";
  { std::ofstream(plain) << "x"; }
  serial_port port;
  EXPECT_FALSE(port.open(plain.string())) << "a plain file opens but has no line settings";
  EXPECT_FALSE(port.is_open());
  std::error_code error;
  EXPECT_TRUE(fs::remove(plain, error)) << "the file was let go: " << error.message();

  recording_owner owner;
  device_link link(&owner);
  link.port_path = plain.string();
  { std::ofstream(plain) << "x"; }
  EXPECT_FALSE(link.open_port());
  uint8_t byte = 0;
  EXPECT_EQ(link.write_port(&byte, 1), 0);
  fs::remove(plain, error);
}

#ifndef _WIN32

// A pseudo-terminal to stand for the serial device.
struct pty_pair {
  int master = -1;
  std::string terminal;
  pty_pair() {
    master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0) terminal = ptsname(master);
  }
  ~pty_pair() {
    if (master >= 0) close(master);
  }
};

TEST(serial_port_posix, a_failed_setup_leaves_it_closed_and_a_later_open_succeeds) {
  serial_port port;
  pty_pair pty;
  ASSERT_FALSE(pty.terminal.empty());
  ASSERT_TRUE(port.open(pty.terminal));
  EXPECT_TRUE(port.is_open());
}

TEST(serial_port_posix, bytes_pass_both_ways_untranslated) {
  pty_pair pty;
  serial_port port;
  ASSERT_TRUE(port.open(pty.terminal));

  // The read returns as soon as the count has arrived: no wait here.
  ASSERT_EQ(write(pty.master, "ab\r\n>", 5), 5);
  uint8_t in[5] = {};
  EXPECT_EQ(port.read(in, 5), 5);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(in), 5), "ab\r\n>");

  EXPECT_EQ(port.write(reinterpret_cast<const uint8_t*>("remote\r"), 7), 7);
  char out[16] = {};
  ASSERT_EQ(read(pty.master, out, sizeof out), 7);
  EXPECT_EQ(std::string(out, 7), "remote\r") << "no CR to LF, no echo";
}

TEST(serial_port_posix, the_open_is_exclusive_until_closed) {
  pty_pair pty;
  serial_port first, second;
  ASSERT_TRUE(first.open(pty.terminal));
  EXPECT_FALSE(second.open(pty.terminal));
  first.close();
  EXPECT_TRUE(second.open(pty.terminal)) << "closing gives the device back";
}

#endif

}  // namespace
