// The command line's settings checks, its block lines and its port names.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <sstream>
#include <string>

#include "block_lines.h"
#include "cli_port.h"
#include "cli_settings.h"
#include "test_link.h"

namespace {

TEST(cli_settings, every_field_takes_its_range_and_nothing_beyond) {
  const std::pair<const char*, std::pair<int, int>> ranges[] = {
      {"CDUR", {1, 255}},  {"INTENS", {1, 6}},   {"RATE", {1, 6}},     {"TYPE", {0, 5}},
      {"WALARM", {0, 1}},  {"WTIMEH", {0, 23}},  {"WTIMEM", {0, 59}},  {"DALARM", {0, 1}},
      {"DELAY", {0, 60}},  {"SENS", {1, 10}},    {"CSTARTH", {0, 23}}, {"CSTARTM", {0, 59}},
      {"CENDH", {0, 23}},  {"CENDM", {0, 59}},
  };
  for (const auto& [key, range] : ranges) {
    const std::string name = key;
    device_settings s{};
    reset_settings(s);
    std::string error;
    EXPECT_TRUE(apply_setting(s, name + "=" + std::to_string(range.first), error)) << error;
    EXPECT_TRUE(apply_setting(s, name + "=" + std::to_string(range.second), error)) << error;

    const device_settings before = s;
    for (int bad : {range.first - 1, range.second + 1}) {
      if (bad < 0) continue;  // a minus sign is refused as not a number, below
      error.clear();
      EXPECT_FALSE(apply_setting(s, name + "=" + std::to_string(bad), error)) << name << bad;
      EXPECT_NE(error.find("out of range (" + std::to_string(range.first) + "-" +
                           std::to_string(range.second) + ")"),
                std::string::npos)
          << error;
    }
    EXPECT_EQ(std::memcmp(&before, &s, sizeof s), 0) << name << ": a refusal changes nothing";
  }
}

TEST(cli_settings, values_land_in_their_fields_and_times_in_both_copies) {
  device_settings s{};
  reset_settings(s);
  std::string error;
  for (const char* kv : {"CDUR=20", "intens=4", "RATE=5", "TYPE=0", "WALARM=on", "DALARM=ON",
                         "DELAY=60", "SENS=1", "WTIMEH=6", "WTIMEM=15", "CSTARTH=2",
                         "CSTARTM=30", "CENDH=7", "CENDM=45"})
    ASSERT_TRUE(apply_setting(s, kv, error)) << kv << ": " << error;
  EXPECT_EQ(s.cdur, 20);
  EXPECT_EQ(s.intens, 4);
  EXPECT_EQ(s.rate, 5);
  EXPECT_EQ(s.type, 0);
  EXPECT_EQ(s.walarm, 1);
  EXPECT_EQ(s.dalarm, 1);
  EXPECT_EQ(s.delay, 60);
  EXPECT_EQ(s.sens, 1);
  EXPECT_EQ(s.wtimeh, 6);
  EXPECT_EQ(s.wtimeh_edit, 6);
  EXPECT_EQ(s.wtimem_edit, 15);
  EXPECT_EQ(s.cstarth_edit, 2);
  EXPECT_EQ(s.cstartm, 30);
  EXPECT_EQ(s.cendh, 7);
  EXPECT_EQ(s.cendm_edit, 45);
  ASSERT_TRUE(apply_setting(s, "WALARM=off", error));
  EXPECT_EQ(s.walarm, 0);
  EXPECT_EQ(s.lead, 1) << "untouched fields keep their reset values";
}

TEST(cli_settings, bad_keys_and_values_are_refused_with_a_reason) {
  device_settings s{};
  reset_settings(s);
  std::string error;
  EXPECT_FALSE(apply_setting(s, "VOLUME=3", error));
  EXPECT_NE(error.find("unknown setting 'VOLUME'"), std::string::npos) << error;
  EXPECT_NE(error.find("CDUR, INTENS"), std::string::npos) << error;
  for (const char* kv : {"CDUR=", "CDUR=ten", "CDUR=-5", "CDUR=1e2", "CDUR= 5", "CDUR=0x10",
                         "SENS=99999999999999", "CDUR=on"}) {
    error.clear();
    EXPECT_FALSE(apply_setting(s, kv, error)) << kv;
    EXPECT_NE(error.find("is not a number"), std::string::npos) << kv << ": " << error;
  }
  EXPECT_FALSE(apply_setting(s, "CDUR", error));
  EXPECT_NE(error.find("is not KEY=value"), std::string::npos) << error;
  EXPECT_FALSE(apply_setting(s, "=5", error));
  EXPECT_EQ(s.cdur, 10);
}

TEST(cli_settings, an_upload_is_stamped_as_the_settings_window_stamps_it) {
  device_settings s{};
  reset_settings(s);
  s.cstarth_edit = 21, s.cendm_edit = 7, s.wtimeh_edit = 5;
  stamp_settings(s, 1997, 5, 23, 13, 5, 42);
  EXPECT_EQ(s.tstamp, 0x08ADBAAFu);
  EXPECT_EQ(s.todd, 0);
  EXPECT_EQ(s.todh, 13);
  EXPECT_EQ(s.todm, 5);
  EXPECT_EQ(s.tods, 42);
  EXPECT_EQ(s.cstarth, 21);
  EXPECT_EQ(s.cendm, 7);
  EXPECT_EQ(s.wtimeh, 5);
}

TEST(cli_block_lines, one_line_per_field_in_block_order) {
  device_block b = distinct_block();
  b.somnv = 0x213;
  std::memset(b.rem, 0, sizeof b.rem);
  b.rem[0] = 0x01;   // bin 0
  b.rem[1] = 0x80;   // bin 15
  b.rem[15] = 0x80;  // bin 127
  b.checksum = 746;
  std::strcpy(b.ibv, "IB 2.0\x01");

  std::istringstream lines(block_lines(b));
  std::vector<std::string> keys;
  std::map<std::string, std::string> values;
  for (std::string line; std::getline(lines, line);) {
    const std::size_t eq = line.find('=');
    ASSERT_NE(eq, std::string::npos) << line;
    keys.push_back(line.substr(0, eq));
    values[line.substr(0, eq)] = line.substr(eq + 1);
  }
  const std::vector<std::string> expected_keys = {
      "PACKV", "SOMNV", "TODD", "TODH", "TODM", "TODS", "CSTARTH", "CSTARTM", "CENDH",
      "CENDM", "SMODED", "RECSTARTH", "RECSTARTM", "DELAY", "DELAYP", "DALARM", "MODE", "DUR",
      "REMBITS", "WALARM", "WTIMEH", "WTIMEM", "TYPE", "RATE", "INTENS", "CDUR", "U1", "U2",
      "U3", "U4", "U5", "U6", "U7", "U8", "U9", "U10", "U11", "U12", "SENS", "TSTAMP",
      "CHECKSUM", "IBV"};
  EXPECT_EQ(keys, expected_keys);
  EXPECT_EQ(values["PACKV"], "100");
  EXPECT_EQ(values["SOMNV"], "0x213");
  EXPECT_EQ(values["DUR"], "117");
  EXPECT_EQ(values["U1"], "300");
  EXPECT_EQ(values["U12"], "311");
  EXPECT_EQ(values["TSTAMP"], "145603247");
  EXPECT_EQ(values["CHECKSUM"], "746");
  EXPECT_EQ(values["IBV"], "IB 2.0\\x01") << "control characters cannot break the line";
  const std::string bits = values["REMBITS"];
  ASSERT_EQ(bits.size(), 128u);
  EXPECT_EQ(bits.find_first_not_of("01"), std::string::npos);
  EXPECT_EQ(bits[0], '1');
  EXPECT_EQ(bits[15], '1');
  EXPECT_EQ(bits[127], '1');
  EXPECT_EQ(std::count(bits.begin(), bits.end(), '1'), 3);

  b.somnv = 0;
  EXPECT_NE(block_lines(b).find("\nSOMNV=0\n"), std::string::npos) << "0 is written as 0";
}

TEST(cli_port, com_names_pick_a_number_and_anything_else_is_a_path) {
  recording_owner owner;
  test_link link(owner);
  choose_port(link, "COM5");
  EXPECT_EQ(link.port_number, 5);
  EXPECT_EQ(link.port_path, "");
  choose_port(link, "com10");
  EXPECT_EQ(link.port_number, 10);
  choose_port(link, "/tmp/tty0");
  EXPECT_EQ(link.port_path, "/tmp/tty0");
  EXPECT_EQ(link.port_name(), "/tmp/tty0");
  for (const char* path : {"COM", "COM0", "COMX", "COM1234", "xCOM1"}) {
    choose_port(link, path);
    EXPECT_EQ(link.port_path, path);
  }
}

}  // namespace
