// Parses and checks the settings named on the command line.
#include "cli_settings.h"

namespace {

// Times go into their edit copies, as the Settings window's time fields put them.
const setting_range ranges[] = {
    {"CDUR", 1, 255, &device_settings::cdur},
    {"INTENS", 1, 6, &device_settings::intens},
    {"RATE", 1, 6, &device_settings::rate},
    {"TYPE", 0, 5, &device_settings::type},
    {"WALARM", 0, 1, &device_settings::walarm},
    {"WTIMEH", 0, 23, &device_settings::wtimeh_edit},
    {"WTIMEM", 0, 59, &device_settings::wtimem_edit},
    {"DALARM", 0, 1, &device_settings::dalarm},
    {"DELAY", 0, 60, &device_settings::delay},
    {"SENS", 1, 10, &device_settings::sens},
    {"CSTARTH", 0, 23, &device_settings::cstarth_edit},
    {"CSTARTM", 0, 59, &device_settings::cstartm_edit},
    {"CENDH", 0, 23, &device_settings::cendh_edit},
    {"CENDM", 0, 59, &device_settings::cendm_edit},
};

bool equal_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

// A plain decimal number, or ON/OFF for the two alarms.
bool parse_value(std::string_view key, std::string_view text, int& value) {
  if (key == "WALARM" || key == "DALARM") {
    if (equal_ignoring_case(text, "ON")) return value = 1, true;
    if (equal_ignoring_case(text, "OFF")) return value = 0, true;
  }
  if (text.empty() || text.size() > 9) return false;
  long v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  value = static_cast<int>(v);
  return true;
}

}  // namespace

const setting_range* find_setting(std::string_view key) {
  for (const setting_range& r : ranges)
    if (equal_ignoring_case(key, r.key)) return &r;
  return nullptr;
}

std::string setting_keys() {
  std::string keys;
  for (const setting_range& r : ranges) {
    if (!keys.empty()) keys += ", ";
    keys += r.key;
  }
  return keys;
}

bool apply_setting(device_settings& s, std::string_view key_value, std::string& error) {
  const std::size_t equals = key_value.find('=');
  if (equals == std::string_view::npos) {
    error = "'" + std::string(key_value) + "' is not KEY=value";
    return false;
  }
  const std::string_view key = key_value.substr(0, equals);
  const std::string_view text = key_value.substr(equals + 1);
  const setting_range* range = find_setting(key);
  if (!range) {
    error = "unknown setting '" + std::string(key) + "'; the settings are " + setting_keys();
    return false;
  }
  const std::string name = range->key;
  int value = 0;
  if (!parse_value(name, text, value)) {
    error = name + "=" + std::string(text) + " is not a number";
    return false;
  }
  if (value < range->low || value > range->high) {
    error = name + "=" + std::string(text) + " is out of range (" + std::to_string(range->low) + "-" +
            std::to_string(range->high) + ")";
    return false;
  }

  s.*range->field = value;
  return true;
}
