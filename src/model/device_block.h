// The two fixed-layout blocks that cross the serial line and live in document files.
#pragma once

#include <cstddef>
#include <cstdint>

// One download: the device's settings, clock, identification and its one night.
// The layout is a file format: every offset is pinned below.
struct device_block {
  int32_t packv;  // packet version
  int32_t somnv;  // device software version (shown in hexadecimal)
  int32_t todd;   // device clock at download: day counter
  int32_t todh;
  int32_t todm;
  int32_t tods;
  int32_t cstarth;  // cue period start
  int32_t cstartm;
  int32_t cendh;  // cue period end
  int32_t cendm;
  int32_t smoded;     // device day counter at the record's start
  int32_t recstarth;  // record start
  int32_t recstartm;
  int32_t delay;    // initial delay, tens of minutes
  int32_t delayp;   // delays pressed
  int32_t dalarm;   // dream alarm, > 0 is on
  int32_t mode;     // sleep mode 1-4
  int32_t dur;      // duration in 5-minute bins
  uint8_t rem[16];  // REM bits, bin i = bit (i % 8) of byte (i / 8)
  int32_t walarm;   // wake alarm, > 0 is on
  int32_t wtimeh;   // wake time
  int32_t wtimem;
  int32_t type;       // cue type 0-5
  int32_t rate;       // cue rate 1-6
  int32_t intens;     // cue intensity 1-6
  int32_t cdur;       // cue duration 1-255
  int32_t extra[12];  // delivered by the device, kept, never interpreted
  int32_t sens;       // sensitivity 1-10
  uint32_t tstamp;    // packed date stamp of the last settings upload; 0 = no data
  uint16_t checksum;  // checksum received with the download
  char ibv[256];      // interface box version, NUL-terminated
  uint8_t pad[2];
};

static_assert(sizeof(device_block) == 432);
static_assert(offsetof(device_block, packv) == 0);
static_assert(offsetof(device_block, somnv) == 4);
static_assert(offsetof(device_block, todd) == 8);
static_assert(offsetof(device_block, todh) == 12);
static_assert(offsetof(device_block, todm) == 16);
static_assert(offsetof(device_block, tods) == 20);
static_assert(offsetof(device_block, cstarth) == 24);
static_assert(offsetof(device_block, cstartm) == 28);
static_assert(offsetof(device_block, cendh) == 32);
static_assert(offsetof(device_block, cendm) == 36);
static_assert(offsetof(device_block, smoded) == 40);
static_assert(offsetof(device_block, recstarth) == 44);
static_assert(offsetof(device_block, recstartm) == 48);
static_assert(offsetof(device_block, delay) == 52);
static_assert(offsetof(device_block, delayp) == 56);
static_assert(offsetof(device_block, dalarm) == 60);
static_assert(offsetof(device_block, mode) == 64);
static_assert(offsetof(device_block, dur) == 68);
static_assert(offsetof(device_block, rem) == 72);
static_assert(offsetof(device_block, walarm) == 88);
static_assert(offsetof(device_block, wtimeh) == 92);
static_assert(offsetof(device_block, wtimem) == 96);
static_assert(offsetof(device_block, type) == 100);
static_assert(offsetof(device_block, rate) == 104);
static_assert(offsetof(device_block, intens) == 108);
static_assert(offsetof(device_block, cdur) == 112);
static_assert(offsetof(device_block, extra) == 116);
static_assert(offsetof(device_block, sens) == 164);
static_assert(offsetof(device_block, tstamp) == 168);
static_assert(offsetof(device_block, checksum) == 172);
static_assert(offsetof(device_block, ibv) == 174);
static_assert(offsetof(device_block, pad) == 430);

// The settings as the Settings window edits them and the upload sends them.
// Times are held twice: the sent pair, and the edit copy that the window changes.
struct device_settings {
  int32_t lead;  // always 1
  int32_t todd;  // clock to set
  int32_t todh;
  int32_t todm;
  int32_t tods;
  int32_t cstarth;  // sent
  int32_t cstartm;
  int32_t cstarth_edit;  // edit copy
  int32_t cstartm_edit;
  int32_t cendh;
  int32_t cendm;
  int32_t cendh_edit;
  int32_t cendm_edit;
  int32_t delay;
  int32_t dalarm;
  int32_t walarm;
  int32_t wtimeh;
  int32_t wtimem;
  int32_t wtimeh_edit;
  int32_t wtimem_edit;
  int32_t type;
  int32_t rate;
  int32_t intens;
  int32_t cdur;
  int32_t sens;
  uint32_t tstamp;    // date stamp of this upload
  uint16_t checksum;  // checksum of the last upload
  uint8_t pad[2];
};

static_assert(sizeof(device_settings) == 108);
static_assert(offsetof(device_settings, lead) == 0);
static_assert(offsetof(device_settings, todd) == 4);
static_assert(offsetof(device_settings, todh) == 8);
static_assert(offsetof(device_settings, todm) == 12);
static_assert(offsetof(device_settings, tods) == 16);
static_assert(offsetof(device_settings, cstarth) == 20);
static_assert(offsetof(device_settings, cstartm) == 24);
static_assert(offsetof(device_settings, cstarth_edit) == 28);
static_assert(offsetof(device_settings, cstartm_edit) == 32);
static_assert(offsetof(device_settings, cendh) == 36);
static_assert(offsetof(device_settings, cendm) == 40);
static_assert(offsetof(device_settings, cendh_edit) == 44);
static_assert(offsetof(device_settings, cendm_edit) == 48);
static_assert(offsetof(device_settings, delay) == 52);
static_assert(offsetof(device_settings, dalarm) == 56);
static_assert(offsetof(device_settings, walarm) == 60);
static_assert(offsetof(device_settings, wtimeh) == 64);
static_assert(offsetof(device_settings, wtimem) == 68);
static_assert(offsetof(device_settings, wtimeh_edit) == 72);
static_assert(offsetof(device_settings, wtimem_edit) == 76);
static_assert(offsetof(device_settings, type) == 80);
static_assert(offsetof(device_settings, rate) == 84);
static_assert(offsetof(device_settings, intens) == 88);
static_assert(offsetof(device_settings, cdur) == 92);
static_assert(offsetof(device_settings, sens) == 96);
static_assert(offsetof(device_settings, tstamp) == 100);
static_assert(offsetof(device_settings, checksum) == 104);
static_assert(offsetof(device_settings, pad) == 106);

constexpr std::size_t device_block_size = sizeof(device_block);
constexpr std::size_t device_settings_size = sizeof(device_settings);
constexpr int bins_per_record = 128;
constexpr int seconds_per_bin = 300;

// Reset values (what a new record or the Reset Settings command starts from).
void reset_block(device_block& block);
device_block reset_device_block();
void reset_settings(device_settings& settings);

// Byte images, little-endian whatever the host, exactly device_block_size / device_settings_size bytes.
void block_to_bytes(const device_block& block, uint8_t* out);
void block_from_bytes(const uint8_t* in, device_block& block);  // IBV is kept NUL-terminated
void settings_to_bytes(const device_settings& settings, uint8_t* out);
void settings_from_bytes(const uint8_t* in, device_settings& settings);

// The settings fields of a block copied into both the sent pair and the edit copy;
// lead value, clock, date stamp and checksum stay as they are.
void copy_block_settings(const device_block& block, device_settings& settings);

// The edit copies of the times become the sent pairs, as they do for every upload.
void take_edited_times(device_settings& settings);

// Stamps an upload as every upload is stamped, from the local date and time: date stamp with the set flag,
// clock day 0 and the time of day, edit copies over the sent pairs.
void stamp_settings(device_settings& settings, int year, int month, int day, int hour, int minute, int second);

// Display names: "Unknown Mode" and "Unknown cue type" for values out of range.
const char* mode_name(int32_t mode);      // "Unknown Mode" when unknown, never nullptr
bool mode_known(int32_t mode);            // 1-4
const char* cue_type_name(int32_t type);  // "Unknown cue type" when unknown
const char* alarm_text(int32_t alarm);    // "ON" when > 0, else "OFF"
