// Report texts of the record view, the settings view and both windows.
#include "exchange/report_texts.h"

#include <gtest/gtest.h>

#include "exchange/help_strings.h"
#include "sample_nights.h"

namespace {

const std::string ruler1 = "HRS:........1...........2...........3...........4...........5...........6...........";
const std::string ruler2 = "7...........8...........9...........10......";

std::string marked(std::string ruler, std::size_t column, char mark) {
  ruler[column] = mark;
  return ruler;
}

TEST(report_texts, record_view_lines) {
  const struct {
    device_block block;
    bool no_record;
    std::string expected;
  } cases[] = {
      {dated_night(), false,
       "RECORD START: 05/24/97 23:50   MODE: 2. Light Sleep\nEND: 05/25/97 1:30   DURATION: 100 minutes\n"
       "CUE COUNT: 20   CUES NOT DELIVERED: 0   CUE PLOT:\n" +
           std::string(20, '|') + std::string(64, '.') + "\n" + marked(ruler1, 74, ']') + "\n" + std::string(44, '.') +
           "\n" + ruler2},
      {long_night(), false,
       "RECORD START: ?\?/?\?/?\? 1:00   MODE: 7. Unknown Mode\nEND: ?\?/?\?/?\? 11:50   DURATION: 650 minutes\n"
       "CUE COUNT: 1   CUES NOT DELIVERED: 1   CUE PLOT:\n|" +
           std::string(83, '.') + "\n" + ruler1 + "\n.." + "|" + std::string(41, '.') + " Cue Plot full!\n" +
           marked(ruler2, 2, '|')},
      {dated_night(), true,
       "RECORD START:    MODE:\nEND:    DURATION: \nCUE COUNT:   CUES NOT DELIVERED:   CUE PLOT:\n" +
           std::string(20, '|') + std::string(64, '.') + "\n" + ruler1 + "\n" + std::string(44, '.') + "\n" + ruler2},
  };
  for (const auto& c : cases) EXPECT_EQ(record_view_report_text(c.block, c.no_record), c.expected);
}

TEST(report_texts, settings_view_lines) {
  EXPECT_EQ(settings_view_report_text(dated_night(), false),
            "CUE DURATION: 10   CUE INTENSITY: 3   CUE RATE: 2\nCUE TYPE: Unknown cue type\n"
            "WAKE-ALARM: ON   WAKE-TIME: 8:05   DREAM-ALARM: OFF\n"
            "INITIAL DELAY: 0   SENSITIVITY: 6   CUE PERIOD START: 22:00   CUE PERIOD END: 6:00");
}

TEST(report_texts, data_window_report_in_widget_order) {
  data_record record = new_record(dated_night());
  for (int i = 0; i < journal_count_total; ++i) record.counts[i] = i + 1;
  record.comment = "first \"line\"\r\nsecond";
  const data_window_view view = view_of_record(record);
  EXPECT_EQ(data_report_text(view, version),
            record_view_report_text(record.block, false) + "\n" + dashes + "\nHELP: Total number of dreams recalled\n" +
                dashes +
                "\nDREAMS: 1   LUCID DREAMS: 2   RTLDs: 3   QLDs: 4\n"
                "WILDs: 5   DREAM CUES: 6   CUE AWAKENINGS: 7   COMMENTS:\nfirst \"line\"\nsecond\n" +
                dashes + "\n" + settings_view_report_text(record.block, false) + "\n" + dashes +
                "\nPacket version: 3\nSomn software version: 0x1a2\nIB software version: IB 2.0\n"
                "W95 software version: W95 Nightglow v1.1\nSomn TOD clock: 1 2 3 4\nSomn delays pressed: 5\n");
  // An empty comments box still gives its line.
  EXPECT_NE(data_report_text(data_window_view{}, version).find("COMMENTS:\n\n"), std::string::npos);
}

TEST(report_texts, settings_window_report_in_widget_order) {
  device_settings settings;
  reset_settings(settings);
  settings.type = 9;
  EXPECT_EQ(
      settings_report_text(settings, help_string(IDS_HELP_CUE_DURATION), version),
      "HELP: Number of flashes and/or beeps per cue (1-255)\n" + dashes +
          "\nCUE DURATION: 10   CUE INTENSITY: 3   CUE RATE: 2\nCUE TYPE: \n" + dashes +
          "\nWAKE-ALARM ON: 0   WAKE-TIME: 8:30   DREAM ALARM ON: 0\n" + dashes +
          "\nINITIAL DELAY: 0 x10 minutes         SENSITIVITY: 6\nCUE PERIOD START: 12:00   CUE PERIOD END: 11:59\n" +
          dashes + "\nW95 software version: W95 Nightglow v1.1\n");
}

}  // namespace
