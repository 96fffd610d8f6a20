// Builds the simulated mask's night from a seed.
#include "sim_night.h"

#include <algorithm>
#include <random>

namespace {

void set_rem(device_block& block, int bin) {
  if (bin >= 0 && bin < bins_per_record && bin < block.dur)
    block.rem[bin / 8] = static_cast<uint8_t>(block.rem[bin / 8] | (1u << (bin % 8)));
}

void identify(device_block& block, const civil_time& now) {
  block.packv = sim_packet_version;
  block.somnv = sim_software_version;
  block.todh = now.hour;
  block.todm = now.minute;
  block.tods = now.second;
}

}  // namespace

device_block make_night(uint32_t seed, const civil_time& now) {
  std::mt19937 random(seed);
  auto between = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };

  device_block block{};
  reset_block(block);
  identify(block, now);

  // The night began yesterday evening; the settings went in zero to two days before.
  const int64_t today = days_from_civil(now.year, now.month, now.day);
  const int64_t start_day = today - 1;
  const int days_before = between(0, 2);
  const int64_t upload_day = start_day - days_before;
  int year = 0, month = 0, day = 0;
  civil_from_days(upload_day, year, month, day);
  block.tstamp = pack_date(year, month, day, between(18, 21), between(0, 59), 1);
  block.smoded = days_before;
  block.todd = static_cast<int32_t>(today - upload_day);

  block.recstarth = between(22, 23);
  block.recstartm = between(0, 59);
  block.dur = between(84, 120);  // 7 to 10 hours
  block.mode = between(1, 4);
  block.delayp = between(0, 2);

  // Sleep cycles of about 90 minutes (18 bins), each ending in REM that lasts
  // longer the later it comes: about 10 minutes at first, 30 or more by morning.
  int cycle_start = between(1, 3);  // minutes to fall asleep
  for (int cycle = 0; cycle_start < block.dur; ++cycle) {
    const int cycle_length = 18 + between(-1, 1);
    const int rem_length = std::clamp(2 + cycle + between(-1, 1), 1, 8);
    for (int bin = cycle_start + cycle_length - rem_length; bin < cycle_start + cycle_length; ++bin)
      set_rem(block, bin);
    cycle_start += cycle_length;
  }

  for (int32_t& value : block.extra) value = between(0, 99);
  return block;
}

device_block make_empty_night(const civil_time& now) {
  device_block block{};
  reset_block(block);
  identify(block, now);
  return block;
}
