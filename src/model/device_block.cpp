// Reset values, little-endian byte images and display names of the device blocks.
#include "model/device_block.h"

#include <bit>
#include <concepts>
#include <cstring>
#include <type_traits>

#include "model/date_stamp.h"
#include "model/little_endian.h"

namespace {

// Every field once, in file order; both directions of the byte images walk these lists,
// so that reading and writing can never disagree about a field.
template <class B, class V>
requires std::same_as<std::remove_const_t<B>, device_block>
void each_field(B& b, V&& visit) {
  // clang-format off
  visit(b.packv); visit(b.somnv); visit(b.todd); visit(b.todh); visit(b.todm); visit(b.tods);
  visit(b.cstarth); visit(b.cstartm); visit(b.cendh); visit(b.cendm);
  visit(b.smoded); visit(b.recstarth); visit(b.recstartm); visit(b.delay); visit(b.delayp);
  visit(b.dalarm); visit(b.mode); visit(b.dur); visit(b.rem); visit(b.walarm); visit(b.wtimeh); visit(b.wtimem);
  visit(b.type); visit(b.rate); visit(b.intens); visit(b.cdur); visit(b.extra); visit(b.sens);
  visit(b.tstamp); visit(b.checksum); visit(b.ibv); visit(b.pad);
  // clang-format on
}

template <class S, class V>
requires std::same_as<std::remove_const_t<S>, device_settings>
void each_field(S& s, V&& visit) {
  // clang-format off
  visit(s.lead); visit(s.todd); visit(s.todh); visit(s.todm); visit(s.tods);
  visit(s.cstarth); visit(s.cstartm); visit(s.cstarth_edit); visit(s.cstartm_edit);
  visit(s.cendh); visit(s.cendm); visit(s.cendh_edit); visit(s.cendm_edit);
  visit(s.delay); visit(s.dalarm); visit(s.walarm);
  visit(s.wtimeh); visit(s.wtimem); visit(s.wtimeh_edit); visit(s.wtimem_edit);
  visit(s.type); visit(s.rate); visit(s.intens); visit(s.cdur); visit(s.sens);
  visit(s.tstamp); visit(s.checksum); visit(s.pad);
  // clang-format on
}

// A field's offset inside its struct: the static_asserts pin these to the file format.
template <class S, class F>
std::size_t offset_in(const S& s, const F& field) {
  return static_cast<std::size_t>(reinterpret_cast<const unsigned char*>(&field) -
                                  reinterpret_cast<const unsigned char*>(&s));
}

template <class F>
void put_field(uint8_t* out, const F& field) {
  if constexpr (std::is_array_v<F>) {
    for (const auto& element : field) put_field(out + offset_in(field, element), element);
  } else {
    put_le(out, field);
  }
}

template <class F>
void get_field(const uint8_t* in, F& field) {
  if constexpr (std::is_array_v<F>) {
    for (auto& element : field) get_field(in + offset_in(field, element), element);
  } else {
    field = get_le<F>(in);
  }
}

// The structs have no padding of the compiler's (their sizes and offsets are pinned), so on a
// little-endian host the image is the struct's own bytes; files of many records read faster so.
template <class S>
void to_bytes(const S& s, uint8_t* out) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(out, &s, sizeof s);
  } else {
    each_field(s, [&](const auto& field) { put_field(out + offset_in(s, field), field); });
  }
}

template <class S>
void from_bytes(const uint8_t* in, S& s) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&s, in, sizeof s);
  } else {
    each_field(s, [&](auto& field) { get_field(in + offset_in(s, field), field); });
  }
}

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

device_block reset_device_block() {
  device_block block;
  reset_block(block);
  return block;
}

void reset_settings(device_settings& settings) {
  // The same values as a reset block, in the sent pair and the edit copy alike.
  device_block block;
  reset_block(block);
  std::memset(&settings, 0, sizeof settings);
  settings.lead = 1;
  copy_block_settings(block, settings);
}

void block_to_bytes(const device_block& block, uint8_t* out) { to_bytes(block, out); }

void block_from_bytes(const uint8_t* in, device_block& block) {
  from_bytes(in, block);
  block.ibv[sizeof block.ibv - 1] = '\0';  // a file need not terminate it; we always do
}

void settings_to_bytes(const device_settings& settings, uint8_t* out) { to_bytes(settings, out); }

void settings_from_bytes(const uint8_t* in, device_settings& settings) { from_bytes(in, settings); }

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
      "0: External trigger pulse only",        "1: Light only, both eyes at once",
      "2: Light only, alternating eyes",       "3: Sound only",
      "4: Light and Sound, both eyes at once", "5: Light and Sound, alternating eyes",
  };
  if (type < 0 || type > 5) return "Unknown cue type";
  return names[type];
}

const char* alarm_text(int32_t alarm) { return alarm > 0 ? "ON" : "OFF"; }

void stamp_settings(device_settings& s, int year, int month, int day, int hour, int minute, int second) {
  s.tstamp = pack_date(year, month, day, hour, minute, 1);
  s.todd = 0;
  s.todh = hour;
  s.todm = minute;
  s.tods = second;
  take_edited_times(s);
}

void take_edited_times(device_settings& s) {
  s.cstarth = s.cstarth_edit;
  s.cstartm = s.cstartm_edit;
  s.cendh = s.cendh_edit;
  s.cendm = s.cendm_edit;
  s.wtimeh = s.wtimeh_edit;
  s.wtimem = s.wtimem_edit;
}
