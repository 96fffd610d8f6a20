// The settings that `nightglow-cli set` uploads: named changes to the reset values.
#pragma once

#include <string>
#include <string_view>

#include "model/device_block.h"

struct setting_range {
  const char* key;
  int low;
  int high;
  int32_t device_settings::*field;
};

// The fields that can be set, with the ranges the Settings window allows.
const setting_range* find_setting(std::string_view key);
std::string setting_keys();  // "CDUR, INTENS, ..." for messages

// Applies one "KEY=value" as the Settings window's field does: a time goes into its edit copy.
// On refusal the settings are unchanged and error says why.
bool apply_setting(device_settings& settings, std::string_view key_value, std::string& error);
