// The help strings by id, from the same defines as the resource script's string table.
#include "exchange/help_strings.h"

#include <iterator>

const char* help_string(int id) {
  static constexpr struct {
    int id;
    const char* text;
  } table[] = {
      {IDS_HELP_CUE_DURATION, HELP_TEXT_CUE_DURATION},
      {IDS_HELP_CUE_INTENSITY, HELP_TEXT_CUE_INTENSITY},
      {IDS_HELP_CUE_RATE, HELP_TEXT_CUE_RATE},
      {IDS_HELP_WAKE_TIME, HELP_TEXT_WAKE_TIME},
      {IDS_HELP_INITIAL_DELAY, HELP_TEXT_INITIAL_DELAY},
      {IDS_HELP_SENSITIVITY, HELP_TEXT_SENSITIVITY},
      {IDS_HELP_CUE_PERIOD_START, HELP_TEXT_CUE_PERIOD_START},
      {IDS_HELP_CUE_PERIOD_END, HELP_TEXT_CUE_PERIOD_END},
      {IDS_HELP_DREAMS, HELP_TEXT_DREAMS},
      {IDS_HELP_LUCID_DREAMS, HELP_TEXT_LUCID_DREAMS},
      {IDS_HELP_RTLDS, HELP_TEXT_RTLDS},
      {IDS_HELP_QLDS, HELP_TEXT_QLDS},
      {IDS_HELP_WILDS, HELP_TEXT_WILDS},
      {IDS_HELP_DREAM_CUES, HELP_TEXT_DREAM_CUES},
      {IDS_HELP_CUE_AWAKENINGS, HELP_TEXT_CUE_AWAKENINGS},
  };
  for (const auto& entry : table) {
    if (entry.id == id) return entry.text;
  }
  return nullptr;
}
