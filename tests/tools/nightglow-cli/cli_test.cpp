// The command line's settings checks and its KEY=value lines.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "cli_settings.h"
#include "key_lines.h"
#include "test_link.h"

namespace {

// What a setting changes shows in the lines of the stamped upload, whose sent pairs
// come from the edit copies.
TEST(cli_settings, every_field_takes_its_range_into_its_field_and_nothing_beyond) {
  const struct {
    const char* key;
    int low, high;
  } ranges[] = {{"CDUR", 1, 255},   {"INTENS", 1, 6},   {"RATE", 1, 6},   {"TYPE", 0, 5},    {"WALARM", 0, 1},
                {"DALARM", 0, 1},   {"DELAY", 0, 60},   {"SENS", 1, 10},  {"WTIMEH", 0, 23}, {"WTIMEM", 0, 59},
                {"CSTARTH", 0, 23}, {"CSTARTM", 0, 59}, {"CENDH", 0, 23}, {"CENDM", 0, 59}};
  auto stamped_lines = [](device_settings s) {
    stamp_settings(s, 1997, 5, 23, 13, 5, 42);
    return settings_lines(s);
  };
  device_settings reset{};
  reset_settings(reset);
  for (const auto& r : ranges) {
    const std::string key = r.key;
    for (int value : {r.low - 1, r.low, r.high, r.high + 1}) {
      const bool in_range = value >= r.low && value <= r.high;
      std::string expected = stamped_lines(reset), error;
      const std::size_t at = expected.find("\n" + key + "=") + key.size() + 2;
      if (in_range) expected.replace(at, expected.find('\n', at) - at, std::to_string(value));
      device_settings s = reset;
      const std::string key_value = key + "=" + std::to_string(value);
      EXPECT_EQ(apply_setting(s, key_value, error), in_range) << key_value;
      EXPECT_EQ(stamped_lines(s), expected) << key_value;
      const std::string range = "(" + std::to_string(r.low) + "-" + std::to_string(r.high) + ")";
      EXPECT_TRUE(in_range || value < 0 || error.ends_with("out of range " + range)) << error;
    }
  }
}

TEST(cli_settings, names_and_alarm_words_in_either_case_and_bad_input_refused) {
  device_settings s{};
  reset_settings(s);
  std::string error;
  for (const char* kv : {"intens=4", "WALARM=on", "dalarm=On", "DALARM=OFF"})
    EXPECT_TRUE(apply_setting(s, kv, error)) << kv;
  EXPECT_EQ(s.intens * 100 + s.walarm * 10 + s.dalarm, 410);
  const std::pair<const char*, const char*> refused[] = {
      {"VOLUME=3", "unknown setting 'VOLUME'; the settings are CDUR, INTENS"},
      {"CDUR", "is not KEY=value"},
      {"CDUR=1e2", "is not a number"},
      {"CDUR=0x10", "is not a number"},
      {"SENS=99999999999999", "is not a number"}};
  for (const auto& [kv, reason] : refused) {
    EXPECT_FALSE(apply_setting(s, kv, error)) << kv;
    EXPECT_NE(error.find(reason), std::string::npos) << kv << ": " << error;
  }
  EXPECT_EQ(s.cdur, 10);
}

TEST(cli_key_lines, one_line_per_block_field_in_block_order) {
  device_block b = distinct_block();
  b.somnv = 0x213, b.checksum = 746;
  std::memset(b.rem, 0, sizeof b.rem);
  b.rem[0] = 0x01, b.rem[1] = 0x80, b.rem[15] = 0x80;  // bins 0, 15 and 127
  std::strcpy(b.ibv, "IB 2.0\x01");
  const std::string text = block_lines(b);
  std::string keys, bits(128, '0');
  bits[0] = bits[15] = bits[127] = '1';
  for (std::size_t at = 0; at < text.size(); at = text.find('\n', at) + 1)
    keys += text.substr(at, text.find('=', at) - at) + " ";
  EXPECT_EQ(keys,
            "PACKV SOMNV TODD TODH TODM TODS CSTARTH CSTARTM CENDH CENDM SMODED RECSTARTH "
            "RECSTARTM DELAY DELAYP DALARM MODE DUR REMBITS WALARM WTIMEH WTIMEM TYPE RATE "
            "INTENS CDUR U1 U2 U3 U4 U5 U6 U7 U8 U9 U10 U11 U12 SENS TSTAMP CHECKSUM IBV ");
  for (const std::string line : {"PACKV=100\nSOMNV=0x213\n", "\nDUR=117\nREMBITS=1", "\nSENS=9\nTSTAMP=145603247\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line;
  EXPECT_NE(text.find("REMBITS=" + bits + "\n"), std::string::npos);
  EXPECT_TRUE(text.ends_with("\nCHECKSUM=746\nIBV=IB 2.0\\x01\n")) << "control characters escaped";
  b.somnv = 0;
  EXPECT_NE(block_lines(b).find("\nSOMNV=0\n"), std::string::npos) << "0 is written as 0";
}

}  // namespace
