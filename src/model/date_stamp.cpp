// Date stamp packing and a calendar without time zones.
#include "model/date_stamp.h"

namespace {

// Floor division for possibly negative numerators.
int64_t floor_div(int64_t a, int64_t b) {
  int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

}  // namespace

uint32_t pack_date(int year, int month, int day, int hour, int minute, int set) {
  // The fields are added, not or-ed: out-of-range values spill into the next field
  // exactly as they always have. Unsigned arithmetic keeps the wrap defined.
  return static_cast<uint32_t>(year) - 1950u + (static_cast<uint32_t>(month) << 7) +
         (static_cast<uint32_t>(day) << 11) + (static_cast<uint32_t>(hour) << 16) +
         (static_cast<uint32_t>(minute) << 21) + (static_cast<uint32_t>(set) << 27);
}

uint32_t pack_date(const date_stamp& d) { return pack_date(d.year, d.month, d.day, d.hour, d.minute, d.set); }

date_stamp unpack_date(uint32_t packed) {
  date_stamp d;
  d.year = static_cast<int>(packed & 0x7f) + 1950;
  d.month = static_cast<int>((packed >> 7) & 0x0f);
  d.day = static_cast<int>((packed >> 11) & 0x1f);
  d.hour = static_cast<int>((packed >> 16) & 0x1f);
  d.minute = static_cast<int>((packed >> 21) & 0x3f);
  d.set = static_cast<int>((packed >> 27) & 0x01);
  return d;
}

void unpack_bytes(uint32_t value, int& b0, int& b1, int& b2, int& b3) {
  b0 = static_cast<int>(value & 0xff);
  b1 = static_cast<int>((value >> 8) & 0xff);
  b2 = static_cast<int>((value >> 16) & 0xff);
  b3 = static_cast<int>((value >> 24) & 0xff);
}

uint32_t pack_bytes(int b0, int b1, int b2, int b3) {
  return static_cast<uint32_t>(b0) + (static_cast<uint32_t>(b1) << 8) + (static_cast<uint32_t>(b2) << 16) +
         (static_cast<uint32_t>(b3) << 24);
}

// Day numbers after the well-known era algorithm: 400-year eras of 146,097 days,
// years starting in March so that the leap day falls at the end.
int64_t days_from_civil(int64_t year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = floor_div(year, 400);
  const int64_t year_of_era = year - era * 400;                                          // 0..399
  const int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;  // 0..365
  const int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

void civil_from_days(int64_t days, int& year, int& month, int& day) {
  days += 719468;
  const int64_t era = floor_div(days, 146097);
  const int64_t day_of_era = days - era * 146097;  // 0..146096
  const int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;  // 0..399
  const int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const int64_t mp = (5 * day_of_year + 2) / 153;  // 0..11, March first
  day = static_cast<int>(day_of_year - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(year_of_era + era * 400 + (month <= 2 ? 1 : 0));
}

int64_t to_seconds(const civil_time& t) {
  // Months outside 1-12 move the year first; every smaller field is then plain
  // arithmetic on the day number, which rolls days, hours and minutes over.
  const int64_t month_index = static_cast<int64_t>(t.month) - 1;
  const int64_t year = static_cast<int64_t>(t.year) + floor_div(month_index, 12);
  const int month = static_cast<int>(month_index - floor_div(month_index, 12) * 12) + 1;
  const int64_t days = days_from_civil(year, month, 1) + (static_cast<int64_t>(t.day) - 1);
  return days * 86400 + static_cast<int64_t>(t.hour) * 3600 + static_cast<int64_t>(t.minute) * 60 + t.second;
}

civil_time from_seconds(int64_t seconds) {
  civil_time t;
  const int64_t days = floor_div(seconds, 86400);
  int64_t rest = seconds - days * 86400;  // 0..86399
  civil_from_days(days, t.year, t.month, t.day);
  t.hour = static_cast<int>(rest / 3600);
  rest %= 3600;
  t.minute = static_cast<int>(rest / 60);
  t.second = static_cast<int>(rest % 60);
  return t;
}
