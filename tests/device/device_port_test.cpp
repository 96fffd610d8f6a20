// The port's number from the preferences file, and a port that does not open.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "device/serial_port.h"
#include "test_link.h"

namespace {

namespace fs = std::filesystem;

// The preferences file is read from the current directory: run in a fresh one.
TEST(device_port, the_port_number_comes_from_the_preferences_file) {
  const fs::path previous = fs::current_path();
  const fs::path directory = fs::temp_directory_path() / "ng_device_preferences";
  fs::remove_all(directory);
  fs::create_directories(directory);
  fs::current_path(directory);
  auto write = [](const std::string& text) { std::ofstream("somnprefs.txt", std::ios::binary) << text; };

  EXPECT_EQ(read_port_preference(), 0) << "no file";
  const std::pair<std::string, int> cases[] = {
      {"port = COM17\r\n", 17},
      {"port = COM255\n", 255},
      {"port = COM256\n", 0},  // beyond the ports a user can choose: asked again
      {"PORT = com3\r\n", 3},
      {"port = COM999999999999\n", 0},
      {std::string(252, ' ') + "COM5\n", 0},  // only 255 bytes are read: the digit is beyond
      {std::string(251, ' ') + "COM5\n", 5},
  };
  for (const auto& [text, port] : cases) {
    write(text);
    EXPECT_EQ(read_port_preference(), port) << '"' << text << '"';
  }
  write("port = COM9\n");
  recording_owner owner;
  EXPECT_EQ(device_link(&owner).port_number, 9) << "the program's link reads it when it is created";
  EXPECT_EQ(device_link(&owner, make_system_serial_io()).port_number, 0) << "a link given its port does not";
  fs::current_path(previous);
  fs::remove_all(directory);
}

TEST(device_port, a_port_that_does_not_open_moves_no_bytes_and_shows_only_the_open_message) {
  recording_owner owner;
  device_link link(&owner, make_system_serial_io());
  link.port_number = 10;
#ifdef _WIN32
  EXPECT_EQ(link.port_name(), "\\\\.\\COM10");
#else
  EXPECT_EQ(link.port_name(), "/dev/ttyS9");
#endif
  const std::string none = (fs::temp_directory_path() / "ng_none").string();
  for (const std::string& path : {std::string(), none}) {
    link.port_number = 0;  // with no path: no name at all
    link.port_path = path;
    EXPECT_EQ(link.port_name(), path) << "a path overrides the number";
    device_block block{};
    device_settings settings{};
    EXPECT_EQ(link.get_data(block) + link.set_settings(settings), 0);
    EXPECT_EQ(owner.messages, std::vector<std::string>(2, "Couldn't open serial port."));
    EXPECT_EQ(link.failed_step(), exchange_step::open);
    EXPECT_EQ(link.port_error().empty(), path.empty()) << "the system's reason for a path that is not there";
    owner.messages.clear();
  }
  serial_port closed;
  uint8_t bytes[8] = {1, 2, 3};
  EXPECT_EQ(closed.read(bytes, 8) + closed.write(bytes, 3), 0);
}

}  // namespace
