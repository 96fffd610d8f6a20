// Reset values, little-endian byte images and display names of the device blocks.
#include "model/device_block.h"

#include <cstring>

namespace {

void put_u16(uint8_t* out, std::size_t offset, uint16_t value) {
  out[offset] = static_cast<uint8_t>(value & 0xff);
  out[offset + 1] = static_cast<uint8_t>(value >> 8);
}

void put_u32(uint8_t* out, std::size_t offset, uint32_t value) {
  out[offset] = static_cast<uint8_t>(value & 0xff);
  out[offset + 1] = static_cast<uint8_t>((value >> 8) & 0xff);
  out[offset + 2] = static_cast<uint8_t>((value >> 16) & 0xff);
  out[offset + 3] = static_cast<uint8_t>((value >> 24) & 0xff);
}

void put_i32(uint8_t* out, std::size_t offset, int32_t value) {
  put_u32(out, offset, static_cast<uint32_t>(value));
}

uint16_t get_u16(const uint8_t* in, std::size_t offset) {
  return static_cast<uint16_t>(in[offset] | (in[offset + 1] << 8));
}

uint32_t get_u32(const uint8_t* in, std::size_t offset) {
  return static_cast<uint32_t>(in[offset]) | (static_cast<uint32_t>(in[offset + 1]) << 8) |
         (static_cast<uint32_t>(in[offset + 2]) << 16) | (static_cast<uint32_t>(in[offset + 3]) << 24);
}

int32_t get_i32(const uint8_t* in, std::size_t offset) {
  return static_cast<int32_t>(get_u32(in, offset));  // two's complement, defined since C++20
}

// Offsets come from the struct, whose layout the static_asserts pin to the file format.
#define NG_BLOCK_AT(field) offsetof(device_block, field)
#define NG_SETTINGS_AT(field) offsetof(device_settings, field)

}  // namespace

void reset_block(device_block& block) {
  std::memset(&block, 0, sizeof block);
  block.cstarth = 12;
  block.cstartm = 0;
  block.cendh = 11;
  block.cendm = 59;
  block.mode = 1;
  block.wtimeh = 8;
  block.wtimem = 30;
  block.type = 2;
  block.rate = 2;
  block.intens = 3;
  block.cdur = 10;
  block.sens = 6;
}

void reset_settings(device_settings& settings) {
  std::memset(&settings, 0, sizeof settings);
  settings.lead = 1;
  settings.cstarth = settings.cstarth_edit = 12;
  settings.cstartm = settings.cstartm_edit = 0;
  settings.cendh = settings.cendh_edit = 11;
  settings.cendm = settings.cendm_edit = 59;
  settings.wtimeh = settings.wtimeh_edit = 8;
  settings.wtimem = settings.wtimem_edit = 30;
  settings.type = 2;
  settings.rate = 2;
  settings.intens = 3;
  settings.cdur = 10;
  settings.sens = 6;
}

void block_to_bytes(const device_block& block, uint8_t* out) {
  put_i32(out, NG_BLOCK_AT(packv), block.packv);
  put_i32(out, NG_BLOCK_AT(somnv), block.somnv);
  put_i32(out, NG_BLOCK_AT(todd), block.todd);
  put_i32(out, NG_BLOCK_AT(todh), block.todh);
  put_i32(out, NG_BLOCK_AT(todm), block.todm);
  put_i32(out, NG_BLOCK_AT(tods), block.tods);
  put_i32(out, NG_BLOCK_AT(cstarth), block.cstarth);
  put_i32(out, NG_BLOCK_AT(cstartm), block.cstartm);
  put_i32(out, NG_BLOCK_AT(cendh), block.cendh);
  put_i32(out, NG_BLOCK_AT(cendm), block.cendm);
  put_i32(out, NG_BLOCK_AT(smoded), block.smoded);
  put_i32(out, NG_BLOCK_AT(recstarth), block.recstarth);
  put_i32(out, NG_BLOCK_AT(recstartm), block.recstartm);
  put_i32(out, NG_BLOCK_AT(delay), block.delay);
  put_i32(out, NG_BLOCK_AT(delayp), block.delayp);
  put_i32(out, NG_BLOCK_AT(dalarm), block.dalarm);
  put_i32(out, NG_BLOCK_AT(mode), block.mode);
  put_i32(out, NG_BLOCK_AT(dur), block.dur);
  std::memcpy(out + NG_BLOCK_AT(rem), block.rem, sizeof block.rem);
  put_i32(out, NG_BLOCK_AT(walarm), block.walarm);
  put_i32(out, NG_BLOCK_AT(wtimeh), block.wtimeh);
  put_i32(out, NG_BLOCK_AT(wtimem), block.wtimem);
  put_i32(out, NG_BLOCK_AT(type), block.type);
  put_i32(out, NG_BLOCK_AT(rate), block.rate);
  put_i32(out, NG_BLOCK_AT(intens), block.intens);
  put_i32(out, NG_BLOCK_AT(cdur), block.cdur);
  for (std::size_t i = 0; i < 12; ++i) put_i32(out, NG_BLOCK_AT(extra) + 4 * i, block.extra[i]);
  put_i32(out, NG_BLOCK_AT(sens), block.sens);
  put_u32(out, NG_BLOCK_AT(tstamp), block.tstamp);
  put_u16(out, NG_BLOCK_AT(checksum), block.checksum);
  std::memcpy(out + NG_BLOCK_AT(ibv), block.ibv, sizeof block.ibv);
  std::memcpy(out + NG_BLOCK_AT(pad), block.pad, sizeof block.pad);
}

void block_from_bytes(const uint8_t* in, device_block& block) {
  block.packv = get_i32(in, NG_BLOCK_AT(packv));
  block.somnv = get_i32(in, NG_BLOCK_AT(somnv));
  block.todd = get_i32(in, NG_BLOCK_AT(todd));
  block.todh = get_i32(in, NG_BLOCK_AT(todh));
  block.todm = get_i32(in, NG_BLOCK_AT(todm));
  block.tods = get_i32(in, NG_BLOCK_AT(tods));
  block.cstarth = get_i32(in, NG_BLOCK_AT(cstarth));
  block.cstartm = get_i32(in, NG_BLOCK_AT(cstartm));
  block.cendh = get_i32(in, NG_BLOCK_AT(cendh));
  block.cendm = get_i32(in, NG_BLOCK_AT(cendm));
  block.smoded = get_i32(in, NG_BLOCK_AT(smoded));
  block.recstarth = get_i32(in, NG_BLOCK_AT(recstarth));
  block.recstartm = get_i32(in, NG_BLOCK_AT(recstartm));
  block.delay = get_i32(in, NG_BLOCK_AT(delay));
  block.delayp = get_i32(in, NG_BLOCK_AT(delayp));
  block.dalarm = get_i32(in, NG_BLOCK_AT(dalarm));
  block.mode = get_i32(in, NG_BLOCK_AT(mode));
  block.dur = get_i32(in, NG_BLOCK_AT(dur));
  std::memcpy(block.rem, in + NG_BLOCK_AT(rem), sizeof block.rem);
  block.walarm = get_i32(in, NG_BLOCK_AT(walarm));
  block.wtimeh = get_i32(in, NG_BLOCK_AT(wtimeh));
  block.wtimem = get_i32(in, NG_BLOCK_AT(wtimem));
  block.type = get_i32(in, NG_BLOCK_AT(type));
  block.rate = get_i32(in, NG_BLOCK_AT(rate));
  block.intens = get_i32(in, NG_BLOCK_AT(intens));
  block.cdur = get_i32(in, NG_BLOCK_AT(cdur));
  for (std::size_t i = 0; i < 12; ++i) block.extra[i] = get_i32(in, NG_BLOCK_AT(extra) + 4 * i);
  block.sens = get_i32(in, NG_BLOCK_AT(sens));
  block.tstamp = get_u32(in, NG_BLOCK_AT(tstamp));
  block.checksum = get_u16(in, NG_BLOCK_AT(checksum));
  std::memcpy(block.ibv, in + NG_BLOCK_AT(ibv), sizeof block.ibv);
  block.ibv[sizeof block.ibv - 1] = '\0';  // a file need not terminate it; we always do
  std::memcpy(block.pad, in + NG_BLOCK_AT(pad), sizeof block.pad);
}

void settings_to_bytes(const device_settings& settings, uint8_t* out) {
  put_i32(out, NG_SETTINGS_AT(lead), settings.lead);
  put_i32(out, NG_SETTINGS_AT(todd), settings.todd);
  put_i32(out, NG_SETTINGS_AT(todh), settings.todh);
  put_i32(out, NG_SETTINGS_AT(todm), settings.todm);
  put_i32(out, NG_SETTINGS_AT(tods), settings.tods);
  put_i32(out, NG_SETTINGS_AT(cstarth), settings.cstarth);
  put_i32(out, NG_SETTINGS_AT(cstartm), settings.cstartm);
  put_i32(out, NG_SETTINGS_AT(cstarth_edit), settings.cstarth_edit);
  put_i32(out, NG_SETTINGS_AT(cstartm_edit), settings.cstartm_edit);
  put_i32(out, NG_SETTINGS_AT(cendh), settings.cendh);
  put_i32(out, NG_SETTINGS_AT(cendm), settings.cendm);
  put_i32(out, NG_SETTINGS_AT(cendh_edit), settings.cendh_edit);
  put_i32(out, NG_SETTINGS_AT(cendm_edit), settings.cendm_edit);
  put_i32(out, NG_SETTINGS_AT(delay), settings.delay);
  put_i32(out, NG_SETTINGS_AT(dalarm), settings.dalarm);
  put_i32(out, NG_SETTINGS_AT(walarm), settings.walarm);
  put_i32(out, NG_SETTINGS_AT(wtimeh), settings.wtimeh);
  put_i32(out, NG_SETTINGS_AT(wtimem), settings.wtimem);
  put_i32(out, NG_SETTINGS_AT(wtimeh_edit), settings.wtimeh_edit);
  put_i32(out, NG_SETTINGS_AT(wtimem_edit), settings.wtimem_edit);
  put_i32(out, NG_SETTINGS_AT(type), settings.type);
  put_i32(out, NG_SETTINGS_AT(rate), settings.rate);
  put_i32(out, NG_SETTINGS_AT(intens), settings.intens);
  put_i32(out, NG_SETTINGS_AT(cdur), settings.cdur);
  put_i32(out, NG_SETTINGS_AT(sens), settings.sens);
  put_u32(out, NG_SETTINGS_AT(tstamp), settings.tstamp);
  put_u16(out, NG_SETTINGS_AT(checksum), settings.checksum);
  std::memcpy(out + NG_SETTINGS_AT(pad), settings.pad, sizeof settings.pad);
}

void settings_from_bytes(const uint8_t* in, device_settings& settings) {
  settings.lead = get_i32(in, NG_SETTINGS_AT(lead));
  settings.todd = get_i32(in, NG_SETTINGS_AT(todd));
  settings.todh = get_i32(in, NG_SETTINGS_AT(todh));
  settings.todm = get_i32(in, NG_SETTINGS_AT(todm));
  settings.tods = get_i32(in, NG_SETTINGS_AT(tods));
  settings.cstarth = get_i32(in, NG_SETTINGS_AT(cstarth));
  settings.cstartm = get_i32(in, NG_SETTINGS_AT(cstartm));
  settings.cstarth_edit = get_i32(in, NG_SETTINGS_AT(cstarth_edit));
  settings.cstartm_edit = get_i32(in, NG_SETTINGS_AT(cstartm_edit));
  settings.cendh = get_i32(in, NG_SETTINGS_AT(cendh));
  settings.cendm = get_i32(in, NG_SETTINGS_AT(cendm));
  settings.cendh_edit = get_i32(in, NG_SETTINGS_AT(cendh_edit));
  settings.cendm_edit = get_i32(in, NG_SETTINGS_AT(cendm_edit));
  settings.delay = get_i32(in, NG_SETTINGS_AT(delay));
  settings.dalarm = get_i32(in, NG_SETTINGS_AT(dalarm));
  settings.walarm = get_i32(in, NG_SETTINGS_AT(walarm));
  settings.wtimeh = get_i32(in, NG_SETTINGS_AT(wtimeh));
  settings.wtimem = get_i32(in, NG_SETTINGS_AT(wtimem));
  settings.wtimeh_edit = get_i32(in, NG_SETTINGS_AT(wtimeh_edit));
  settings.wtimem_edit = get_i32(in, NG_SETTINGS_AT(wtimem_edit));
  settings.type = get_i32(in, NG_SETTINGS_AT(type));
  settings.rate = get_i32(in, NG_SETTINGS_AT(rate));
  settings.intens = get_i32(in, NG_SETTINGS_AT(intens));
  settings.cdur = get_i32(in, NG_SETTINGS_AT(cdur));
  settings.sens = get_i32(in, NG_SETTINGS_AT(sens));
  settings.tstamp = get_u32(in, NG_SETTINGS_AT(tstamp));
  settings.checksum = get_u16(in, NG_SETTINGS_AT(checksum));
  std::memcpy(settings.pad, in + NG_SETTINGS_AT(pad), sizeof settings.pad);
}

void copy_block_settings(const device_block& block, device_settings& settings) {
  settings.cstarth = settings.cstarth_edit = block.cstarth;
  settings.cstartm = settings.cstartm_edit = block.cstartm;
  settings.cendh = settings.cendh_edit = block.cendh;
  settings.cendm = settings.cendm_edit = block.cendm;
  settings.wtimeh = settings.wtimeh_edit = block.wtimeh;
  settings.wtimem = settings.wtimem_edit = block.wtimem;
  settings.delay = block.delay;
  settings.dalarm = block.dalarm;
  settings.walarm = block.walarm;
  settings.type = block.type;
  settings.rate = block.rate;
  settings.intens = block.intens;
  settings.cdur = block.cdur;
  settings.sens = block.sens;
}

const char* mode_name(int32_t mode) {
  switch (mode) {
    case 1: return "Adjustable Sleep";
    case 2: return "Light Sleep";
    case 3: return "Medium Sleep";
    case 4: return "Heavy Sleep";
    default: return "Unknown Mode";
  }
}

bool mode_known(int32_t mode) { return mode >= 1 && mode <= 4; }

const char* cue_type_name(int32_t type) {
  static const char* const names[] = {
      "0: External trigger pulse only",
      "1: Light only, both eyes at once",
      "2: Light only, alternating eyes",
      "3: Sound only",
      "4: Light and Sound, both eyes at once",
      "5: Light and Sound, alternating eyes",
  };
  if (type < 0 || type > 5) return "Unknown cue type";
  return names[type];
}

const char* alarm_text(int32_t alarm) { return alarm > 0 ? "ON" : "OFF"; }

#undef NG_BLOCK_AT
#undef NG_SETTINGS_AT
