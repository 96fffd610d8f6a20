// Database rows: export texts, header, splitting, parsing, the round trip and CR LF files.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "exchange/exchange_files.h"
#include "exchange/export_rows.h"
#include "exchange/import_rows.h"
#include "sample_nights.h"

namespace {

using fields = std::vector<std::string>;

fields split(std::string line, std::size_t from = 0, std::size_t count = 999) {
  field_list list;
  list.split_fields(line);
  fields out;
  for (int i = 0; i < list.field_count(); ++i) out.emplace_back(list.field(i));
  return fields(out.begin() + std::min(from, out.size()), out.begin() + std::min(from + count, out.size()));
}

std::string repeat(const std::string& piece, int times) {
  std::string text;
  while (times-- > 0) text += piece;
  return text;
}

TEST(database_rows, rows_and_header) {
  data_record record = new_record(dated_night());
  for (int i = 0; i < journal_count_total; ++i) record.counts[i] = i + 1;
  record.comment = "first \"line\"\r\nsecond";
  EXPECT_EQ(rec_column(2) + make_export_row(view_of_record(record), version),
            "2\t05\t24\t97\t23\t50\t\"2. Light Sleep\"\t05\t25\t97\t1\t30\t100\t20\t0\t" + repeat("1\t", 20) +
                repeat("0\t", 108) + "1\t2\t3\t4\t5\t6\t7\t\"first _line_\nsecond\"\t" +
                "10\t3\t2\t\"Unknown cue type\"\tON\t8\t05\tOFF\t0\t6\t22\t00\t6\t00\t" +
                "3\t0x1a2\t\"IB 2.0\"\t\"W95 Nightglow v1.1\"\t1\t2\t3\t4\t5\t1\t144816815\n");
  data_window_view view;
  view.block = long_night();
  view.no_record = false;
  const std::string undated = make_export_row(view, version);
  EXPECT_EQ(split(undated).size(), 175u);  // every column but REC
  EXPECT_EQ(split(undated, 0, 14),
            (fields{"??", "??", "??", "1", "00", "7. Unknown Mode", "??", "??", "??", "11", "50", "650", "1", "1"}));
  EXPECT_EQ(split(undated, 149, 1), fields{""});  // an empty comments box
  view.no_record = true;
  const std::string empty = make_export_row(view, version);
  EXPECT_EQ(split(empty, 0, 14), fields(14, ""));
  EXPECT_EQ(split(empty, 150, 14), fields(14, ""));
  EXPECT_EQ(split(empty, 164, 2), (fields{"0", "0"}));  // PACKV, SOMNV "%#x" of 0
  const fields header = split(export_header());
  EXPECT_EQ(header.size(), 176u);
  EXPECT_EQ(header[col_rem1] + header[col_rem1 + 127] + header[col_comments] + header[col_softv] + header[col_tstamp],
            "REM1REM128COMMENTSSOFTVTSTAMP\n");
}

TEST(database_rows, lines_and_fields) {
  // From memory and from a file: a line longer than one read and a quoted line feed are read whole, a
  // last line without its line feed is not.
  const std::string input = std::string(100000, 'q') + "\n\"x\ny\"\nz";
  const std::string path = testing::TempDir() + "lines.txt";
  ASSERT_EQ(write_export_file(path, input), nullptr);  // CR LF
  std::FILE* file = std::fopen(path.c_str(), "rb");
  for (line_reader reader : {line_reader(input), line_reader(file)}) {
    fields lines;
    for (std::string line; reader.read_line(line);) lines.push_back(line);
    for (std::string& line : lines) line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
    EXPECT_TRUE(lines == (fields{std::string(100000, 'q'), "\"x\ny\""})) << lines.size();
  }
  std::fclose(file);
  const std::pair<std::string, fields> lines[] = {
      {"a\t\tb", {"a", "b"}}, {"\"\"\tb", {"", "b"}}, {"\"a\tb\"", {"a", "b"}}, {"ab\"cd\"ef", {"ab\"cd"}}, {"", {}},
  };
  for (const auto& [line, expected] : lines) EXPECT_EQ(split(line), expected) << line;
  std::string line = " -12x\t+7\t99999999999\tz";
  field_list list;
  list.split_fields(line);
  EXPECT_EQ(std::vector<int>({list.field_int(0), list.field_int(1), list.field_int(2), list.field_int(3),
                              list.field_int(4), list.field_length(-1)}),
            std::vector<int>({-12, 7, 2147483647, 0, 0, 0}));
  EXPECT_EQ(list.field_text(4), nullptr);
}

// A row of another program's making: "0" everywhere but where the case says.
std::string foreign_row(int count, const std::vector<std::pair<int, std::string>>& values) {
  fields row(static_cast<std::size_t>(count), "0");
  row[col_softv] = "\"Nightglow 2\"";
  for (const auto& [column, text] : values) row[static_cast<std::size_t>(column)] = text;
  std::string line;
  for (const std::string& field : row) line += field + "\t";
  return line;
}

TEST(database_rows, parse_rules) {
  const struct {
    std::string line;
    bool accepted;
    std::vector<int64_t> smoded_somnv_dur_dalarm_walarm_tstamp_ibv_rem0;
  } cases[] = {
      // clang-format off
      {foreign_row(176, {{col_smoded, "3"}, {col_tstamp, "-1"}, {col_somnv, "0x1A2"}, {col_dur, "103"},
                         {col_dalarm, "ON"}, {col_walarm, "\"ON\""}, {col_rem1, "1"}, {col_rem1 + 7, "3"},
                         {col_ibv, std::string(300, 'v')}}),
       // clang-format on
       true,
       {3, 0x1a2, 20, 1, 1, 0xffffffff, 255, 0x81}},
      {foreign_row(175, {{col_smoded, "4"}, {col_dalarm, "on"}, {col_rem1 + 1, "2"}}), true, {4, 0, 0, 0, 0, 0, 1, 4}},
      {foreign_row(174, {{col_ibv, "\"\""}}), true, {0, 0, 0, 0, 0, 0, 0, 0}},
      {foreign_row(173, {}), false, {}},
      {foreign_row(176, {{col_softv, "\"Other v1\""}}), false, {}},
      {export_header(), false, {}},
  };
  for (const auto& c : cases) {
    data_record record;
    std::string line = c.line;
    field_list list;
    ASSERT_EQ(parse_record(line, list, record), c.accepted) << c.line.substr(0, 40);
    const device_block& b = record.block;
    if (c.accepted) {
      EXPECT_EQ(std::vector<int64_t>({b.smoded, b.somnv, b.dur, b.dalarm, b.walarm, b.tstamp,
                                      static_cast<int64_t>(std::strlen(b.ibv)), b.rem[0]}),
                c.smoded_somnv_dur_dalarm_walarm_tstamp_ibv_rem0);
    } else {
      EXPECT_EQ(b.cstarth, 12);  // left as it was made
    }
  }
}

TEST(database_rows, export_then_import_through_a_cr_lf_file) {
  std::vector<data_record> nights(4);
  nights[0] = new_record(dated_night());
  nights[0].block.type = 4;  // an unknown type is written as its name and comes back as 0
  nights[0].comment = "first \"line\"\r\nsecond";
  nights[1] = new_record(long_night());
  nights[1].comment = "lines that end\r\r\nin returns\r";  // found by fuzzing: they come back whole from the file
  nights[2].counts[cawakes] = 9;
  // Tabs in the comment and the interface's version would split the row: they come back as blanks.
  const std::string long_line(600, 'x');
  nights[3].comment = "tab\there \"quoted\"\r\n" + long_line;
  std::strcpy(nights[3].block.ibv, "IB\t2 \"beta\"");
  std::string text = export_header();
  for (std::size_t i = 0; i < nights.size(); ++i)
    text += rec_column(static_cast<int>(i) + 1) + make_export_row(view_of_record(nights[i]), version);
  const std::string path = testing::TempDir() + "rows.txt";
  ASSERT_EQ(write_export_file(path, text + "1\ttrailing row without its line feed"), nullptr);
  std::FILE* file = std::fopen(path.c_str(), "rb");
  line_reader reader(file);
  std::vector<data_record> back;
  ASSERT_EQ(import_records(reader, back), 4u);
  std::fclose(file);
  line_reader rows(text);
  for (std::string row; rows.read_line(row);) EXPECT_EQ(split(row).size(), 176u) << row.substr(0, 20);
  for (std::size_t i = 0; i < nights.size(); ++i) {
    EXPECT_EQ(make_export_row(view_of_record(back[i]), version), make_export_row(view_of_record(nights[i]), version));
    EXPECT_EQ(std::memcmp(back[i].block.rem, nights[i].block.rem, 16) != 0, i == 0);  // bits past DUR are lost
  }
  EXPECT_EQ(back[0].comment, "first _line_\r\nsecond");
  EXPECT_EQ(back[2].comment, "");
  EXPECT_EQ(back[3].comment, "tab here _quoted_\r\n" + long_line);
  EXPECT_STREQ(back[3].block.ibv, "IB 2 _beta_");
  EXPECT_EQ(imported_message(back.size()), "4 record(s) imported.");
}

// Files and the clipboard get CR LF; failures to create or write have their own messages.
TEST(database_rows, cr_lf_and_files_that_cannot_be_written) {
  EXPECT_EQ(add_returns("a\nb\n\n"), "a\r\nb\r\n\r\n");
  EXPECT_STREQ(write_report_file(testing::TempDir() + "no/such/dir.txt", "x"), "Sorry, couldn't create report file.");
  EXPECT_STREQ(write_export_file(testing::TempDir() + "no/such/dir.txt", "x"), "Sorry, couldn't create data file.");
#ifndef _WIN32
  EXPECT_STREQ(write_report_file("/dev/full", "x"), "Sorry, couldn't write report file.");
#endif
}

}  // namespace
