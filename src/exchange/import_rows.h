// Reading database rows back, and CR LF line ends for the clipboard.
// The Data window's Import From Database (read_line, split_fields, the field accessors and
// parse_record) and both windows' Copy Text (add_returns) call these, as does the command-line tool.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "model/data_record.h"

// Lines of an import file (the Data window's Import From Database). A line ends at a line feed
// outside double quotes; line feeds inside quotes belong to the line, and a last line without
// a line feed is not returned. Reads a file in large blocks, or a text held in memory.
class line_reader {
 public:
  explicit line_reader(std::FILE* file);         // not owned; read from its current position
  explicit line_reader(std::string_view text);   // not copied; must outlive the reader
  explicit line_reader(std::string&&) = delete;  // a temporary would not
  // The next line without its line feed; false at the end of the input.
  bool read_line(std::string& line);

 private:
  bool refill();

  std::FILE* file_ = nullptr;
  std::vector<char> buffer_;
  const char* next_ = nullptr;
  const char* end_ = nullptr;
};

// The fields of one line, split in place as the import always has: every tab ends a field
// (inside quotes too), runs of tabs make no empty fields, an opening quote is skipped and the
// closing one ends the field's text, "" is the one way to write an empty field.
class field_list {
 public:
  void split_fields(std::string& line);  // the line is changed; keep it while reading fields
  int field_count() const { return static_cast<int>(starts_.size()); }
  const char* field_text(int index) const;  // nullptr outside 0..count-1
  int field_length(int index) const;        // 0 outside the range
  int field_int(int index) const;           // as atoi reads it, held to the int range; 0 outside
  std::string_view field(int index) const;  // empty outside the range

 private:
  const char* base_ = nullptr;
  std::vector<std::size_t> starts_;
  std::vector<std::size_t> lengths_;
};

// Fills a new record from one line when it is a row of this program (at least 174 fields and
// "Nightglow" in the SOFTV column); false otherwise, the record left as it was. Columns the row
// lacks (SMODED, TSTAMP in short rows) read 0; an IBV longer than 255 characters is shortened.
bool parse_record(std::string& line, field_list& fields, data_record& record);

// Every line feed turned into carriage return and line feed (clipboard text).
std::string add_returns(std::string_view text);

// Reads every line of an import and appends the records that parse; returns how many.
std::size_t import_records(line_reader& reader, std::vector<data_record>& records);
