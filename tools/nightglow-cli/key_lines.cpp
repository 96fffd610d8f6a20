// Formats a downloaded block and a settings upload for the command line.
#include "key_lines.h"

#include <cstdio>
#include <utility>

namespace {

void add(std::string& text, const char* key, long long value) {
  text += key;
  text += '=';
  text += std::to_string(value);
  text += '\n';
}

}  // namespace

std::string block_lines(const device_block& b) {
  std::string text;
  add(text, "PACKV", b.packv);
  char hex[16];
  std::snprintf(hex, sizeof hex, "%#x", static_cast<unsigned>(b.somnv));
  text += "SOMNV=" + std::string(hex) + "\n";
  const std::pair<const char*, int32_t> head[] = {
      {"TODD", b.todd},       {"TODH", b.todh},           {"TODM", b.todm},           {"TODS", b.tods},
      {"CSTARTH", b.cstarth}, {"CSTARTM", b.cstartm},     {"CENDH", b.cendh},         {"CENDM", b.cendm},
      {"SMODED", b.smoded},   {"RECSTARTH", b.recstarth}, {"RECSTARTM", b.recstartm}, {"DELAY", b.delay},
      {"DELAYP", b.delayp},   {"DALARM", b.dalarm},       {"MODE", b.mode},           {"DUR", b.dur}};
  for (const auto& [key, value] : head) add(text, key, value);

  text += "REMBITS=";
  for (int bin = 0; bin < bins_per_record; ++bin) text += (b.rem[bin / 8] >> (bin % 8)) & 1 ? '1' : '0';
  text += '\n';

  const std::pair<const char*, int32_t> settings[] = {{"WALARM", b.walarm}, {"WTIMEH", b.wtimeh}, {"WTIMEM", b.wtimem},
                                                      {"TYPE", b.type},     {"RATE", b.rate},     {"INTENS", b.intens},
                                                      {"CDUR", b.cdur}};
  for (const auto& [key, value] : settings) add(text, key, value);
  for (int i = 0; i < 12; ++i) add(text, ("U" + std::to_string(i + 1)).c_str(), b.extra[i]);
  add(text, "SENS", b.sens);
  add(text, "TSTAMP", b.tstamp);
  add(text, "CHECKSUM", b.checksum);

  // The version is text from the box; keep it on one line whatever it holds.
  text += "IBV=";
  for (int i = 0; i < static_cast<int>(sizeof b.ibv) && b.ibv[i]; ++i) {
    const unsigned char c = static_cast<unsigned char>(b.ibv[i]);
    if (c < 0x20 || c == 0x7f) {
      std::snprintf(hex, sizeof hex, "\\x%02x", c);
      text += hex;
    } else {
      text += static_cast<char>(c);
    }
  }
  text += '\n';
  return text;
}

std::string settings_lines(const device_settings& s) {
  const std::pair<const char*, long long> fields[] = {
      {"TODD", s.todd},       {"TODH", s.todh},       {"TODM", s.todm},     {"TODS", s.tods},
      {"CSTARTH", s.cstarth}, {"CSTARTM", s.cstartm}, {"CENDH", s.cendh},   {"CENDM", s.cendm},
      {"DELAY", s.delay},     {"DALARM", s.dalarm},   {"WALARM", s.walarm}, {"WTIMEH", s.wtimeh},
      {"WTIMEM", s.wtimem},   {"TYPE", s.type},       {"RATE", s.rate},     {"INTENS", s.intens},
      {"CDUR", s.cdur},       {"SENS", s.sens},       {"TSTAMP", s.tstamp}, {"CHECKSUM", s.checksum},
  };
  std::string text;
  for (const auto& [key, value] : fields) add(text, key, value);
  return text;
}
