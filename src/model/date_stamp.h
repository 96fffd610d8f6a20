// The 32-bit packed date stamp and a small calendar that is free of time zones.
#pragma once

#include <cstdint>

struct date_stamp {
  int year = 0;    // full year, e.g. 1997
  int month = 0;   // 1-12
  int day = 0;     // 1-31
  int hour = 0;    // 0-23
  int minute = 0;  // 0-59
  int set = 0;     // 1 when written by a settings upload
};

// Packing adds the shifted fields (year - 1950 in bits 0-6); unpacking masks them out.
uint32_t pack_date(int year, int month, int day, int hour, int minute, int set);
uint32_t pack_date(const date_stamp& d);
date_stamp unpack_date(uint32_t packed);

// Four bytes, least significant first, as the stamp travels on the serial line.
void unpack_bytes(uint32_t value, int& b0, int& b1, int& b2, int& b3);
uint32_t pack_bytes(int b0, int b1, int b2, int b3);

// Proleptic Gregorian day numbers (0 = 1 January 1970); no time zone, no summer time.
int64_t days_from_civil(int64_t year, int month, int day);
void civil_from_days(int64_t days, int& year, int& month, int& day);

// A calendar date and time normalised as mktime would, but without a time zone.
struct civil_time {
  int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};
int64_t to_seconds(const civil_time& t);  // seconds since 1970-01-01 00:00 on the same calendar
civil_time from_seconds(int64_t seconds);
