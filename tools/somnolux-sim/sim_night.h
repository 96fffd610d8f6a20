// The night that the simulated mask holds: a block built from a seed and the local time.
#pragma once

#include <cstdint>

#include "model/date_stamp.h"
#include "model/device_block.h"

// The device's own identification, the same for every simulated night.
constexpr int32_t sim_packet_version = 2;
constexpr int32_t sim_software_version = 0x0213;

// A recent night: settings uploaded zero to two days before an evening start,
// 90-minute cycles whose REM periods lengthen towards morning, settings at their
// reset values, and the device clock at `now` (local time).
device_block make_night(uint32_t seed, const civil_time& now);

// A mask that holds no data: reset values, date stamp 0, the clock at `now`.
device_block make_empty_night(const civil_time& now);
