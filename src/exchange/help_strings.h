/* Help-line strings and their string-table ids, shared by the resource script and the core. */
/* The resource script builds its string table from these defines (windres runs the C
   preprocessor); the core looks the same texts up for reports made without a string table. */
#ifndef NG_HELP_STRINGS_H
#define NG_HELP_STRINGS_H

/* Settings window: help base 0, so the id is the field's container index. */
#define IDS_HELP_CUE_DURATION 2
#define IDS_HELP_CUE_INTENSITY 3
#define IDS_HELP_CUE_RATE 4
#define IDS_HELP_WAKE_TIME 8
#define IDS_HELP_INITIAL_DELAY 11
#define IDS_HELP_SENSITIVITY 12
#define IDS_HELP_CUE_PERIOD_START 13
#define IDS_HELP_CUE_PERIOD_END 14
/* Data window: help base 18, so the seven counts at indices 4 to 10 read 22 to 28. */
#define IDS_HELP_DREAMS 22
#define IDS_HELP_LUCID_DREAMS 23
#define IDS_HELP_RTLDS 24
#define IDS_HELP_QLDS 25
#define IDS_HELP_WILDS 26
#define IDS_HELP_DREAM_CUES 27
#define IDS_HELP_CUE_AWAKENINGS 28

#define HELP_TEXT_CUE_DURATION "Number of flashes and/or beeps per cue (1-255)"
#define HELP_TEXT_CUE_INTENSITY "Relative intensity of cue flashes and beeps (1-6)"
#define HELP_TEXT_CUE_RATE "Rate of cue flashes or beeps (1-6 per second)"
#define HELP_TEXT_WAKE_TIME "The time the Somnolux will deliver the Wake-up Alarm, if set ON (24 hour time)"
#define HELP_TEXT_INITIAL_DELAY "Tens of minutes delay that must expire before Somnolux gives cues (0-60)"
#define HELP_TEXT_SENSITIVITY "Adjusts sensitivity of Somnolux to detect REM sleep (1-10)"
#define HELP_TEXT_CUE_PERIOD_START \
  "Start time of period in which Somnolux will deliver cues if it detects REM sleep (24 hour time)"
#define HELP_TEXT_CUE_PERIOD_END \
  "End time of period in which Somnolux will deliver cues if it detects REM sleep (24 hour time)"
#define HELP_TEXT_DREAMS "Total number of dreams recalled"
#define HELP_TEXT_LUCID_DREAMS "Total number of lucid dreams recalled"
#define HELP_TEXT_RTLDS "Total number of Reality Test Button Lucid Dreams"
#define HELP_TEXT_QLDS "Number of Cued Lucid Dreams"
#define HELP_TEXT_WILDS "Number of Wake Initiated Lucid Dreams"
#define HELP_TEXT_DREAM_CUES "Number of Cues Seen in Dreams"
#define HELP_TEXT_CUE_AWAKENINGS "Number of Awakenings Caused by Cues"

#define DATA_WINDOW_HELP_BASE 18
#define SETTINGS_WINDOW_HELP_BASE 0

#ifndef RC_INVOKED
/* The help string of a string-table id, or nullptr where the table has none (the help line
   then shows nothing). Used by reports made without the string table: the command-line tool. */
const char* help_string(int id);
#endif

#endif
