// Date stamp packing and a calendar without time zones.
#include "model/date_stamp.h"

uint32_t pack_date(int year, int month, int day, int hour, int minute, int set) {
  return static_cast<uint32_t>(year - 1950) + (static_cast<uint32_t>(month) << 7) +
         (static_cast<uint32_t>(day) << 11) + (static_cast<uint32_t>(hour) << 16) +
         (static_cast<uint32_t>(minute) << 21) + (static_cast<uint32_t>(set) << 27);
}
