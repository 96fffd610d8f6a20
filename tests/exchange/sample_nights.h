// Nights whose report and row texts the tests know by heart.
#pragma once

#include <cstring>
#include <string>

#include "model/date_stamp.h"
#include "model/device_block.h"

const std::string version = "W95 Nightglow v1.1";
const std::string dashes(85, '-');

// Dated night: 24 May 1997 23:50, 100 minutes, every REM bit set (only 20 bins count), cue period
// 22:00-06:00, cue type 7, wake alarm 2 at 8:05.
inline device_block dated_night() {
  device_block b;
  reset_block(b);
  b.tstamp = pack_date(1997, 5, 23, 1, 5, 1);
  b.smoded = 1;
  b.recstarth = 23, b.recstartm = 50, b.dur = 20, b.mode = 2;
  std::memset(b.rem, 0xff, sizeof b.rem);
  b.cstarth = 22, b.cstartm = 0, b.cendh = 6, b.cendm = 0;
  b.type = 7, b.walarm = 2, b.wtimem = 5;
  b.packv = 3, b.somnv = 0x1a2, b.todd = 1, b.todh = 2, b.todm = 3, b.tods = 4, b.delayp = 5;
  std::strcpy(b.ibv, "IB 2.0");
  return b;
}

// Undated night at 1:00 of 130 bins, the cue period 8:10-8:12 (one column, 7 h 10 min in),
// REM only in bins 0 and 86, mode 7.
inline device_block long_night() {
  device_block b;
  reset_block(b);
  b.recstarth = 1, b.dur = 130, b.mode = 7;
  b.rem[0] = 1, b.rem[10] = 0x40;
  b.cstarth = 8, b.cstartm = 10, b.cendh = 8, b.cendm = 12;
  return b;
}
