// Reading database rows: lines, fields, records from rows, and CR LF line ends.
#include "exchange/import_rows.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "exchange/export_rows.h"
#include "model/numeric_entry.h"

namespace {

constexpr std::size_t read_block = 64 * 1024;
constexpr int fewest_row_fields = 174;  // up to DELAYP; SMODED and TSTAMP may be missing

// "%#x" read back: blanks, an optional sign, an optional 0x, hexadecimal digits; held to 32 bits.
uint32_t hex_value(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) i += 2;
  uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      break;
    }
    value = std::min<uint64_t>(value * 16 + static_cast<uint64_t>(digit), UINT32_MAX);
  }
  const auto result = static_cast<uint32_t>(value);
  return negative ? 0u - result : result;
}

}  // namespace

line_reader::line_reader(std::FILE* file) : file_(file), buffer_(read_block) {}

line_reader::line_reader(std::string_view text) : next_(text.data()), end_(text.data() + text.size()) {}

bool line_reader::refill() {
  if (file_ == nullptr) return false;
  const std::size_t got = std::fread(buffer_.data(), 1, buffer_.size(), file_);
  next_ = buffer_.data();
  end_ = next_ + got;
  return got > 0;
}

bool line_reader::read_line(std::string& line) {
  line.clear();
  bool in_quotes = false;
  for (;;) {
    if (next_ == end_ && !refill()) return false;  // a last line without its line feed is dropped
    for (const char* p = next_; p < end_; ++p) {
      if (*p == '"') {
        in_quotes = !in_quotes;
      } else if (*p == '\n' && !in_quotes) {
        line.append(next_, p);
        next_ = p + 1;
        return true;
      }
    }
    line.append(next_, end_);
    next_ = end_;
  }
}

void field_list::split_fields(std::string& line) {
  starts_.clear();
  lengths_.clear();
  base_ = line.data();
  char* text = line.data();
  const std::size_t n = line.size();
  bool at_start = true;
  bool in_quotes = false;
  for (std::size_t i = 0; i < n; ++i) {
    const char c = text[i];
    if (c == '\t') {
      text[i] = '\0';
      at_start = true;
      continue;
    }
    if (c == '"') {
      if (in_quotes) text[i] = '\0';  // the closing quote ends the field's text
      in_quotes = !in_quotes;
      if (in_quotes) continue;  // a field starts after its opening quote
    }
    if (at_start) {
      at_start = false;
      starts_.push_back(i);
    }
  }
  // Each field's text runs to the first zero byte: a former tab, closing quote, or one of its own.
  for (std::size_t start : starts_) {
    const void* zero = std::memchr(text + start, '\0', n - start);
    lengths_.push_back(zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - (text + start)) : n - start);
  }
}

std::string_view field_list::field(int index) const {
  if (index < 0 || index >= field_count()) return {};
  const auto i = static_cast<std::size_t>(index);
  return {base_ + starts_[i], lengths_[i]};
}

const char* field_list::field_text(int index) const {
  if (index < 0 || index >= field_count()) return nullptr;
  return base_ + starts_[static_cast<std::size_t>(index)];
}

int field_list::field_length(int index) const {
  return static_cast<int>(std::min<std::size_t>(field(index).size(), INT_MAX));
}

int field_list::field_int(int index) const {
  return static_cast<int>(std::clamp<long long>(decimal_value(field(index)), INT_MIN, INT_MAX));
}

bool parse_record(std::string& line, field_list& fields, data_record& record) {
  fields.split_fields(line);
  const int count = fields.field_count();
  if (count < fewest_row_fields) return false;
  if (fields.field(col_softv).find("Nightglow") == std::string_view::npos) {
    return false;  // the header line, or a row of some other program
  }
  const auto number = [&fields](int column) { return static_cast<int32_t>(fields.field_int(column)); };
  const auto on = [&fields](int column) { return fields.field(column) == "ON" ? 1 : 0; };

  // The integer columns that are read as they stand.
  static constexpr struct {
    int32_t device_block::*field;
    int column;
  } plain[] = {
      {&device_block::packv, col_packv},         {&device_block::todd, col_todd},
      {&device_block::todh, col_todd + 1},       {&device_block::todm, col_todd + 2},
      {&device_block::tods, col_todd + 3},       {&device_block::cstarth, col_cstarth},
      {&device_block::cstartm, col_cstartm},     {&device_block::cendh, col_cendh},
      {&device_block::cendm, col_cendm},         {&device_block::recstarth, col_recstarth},
      {&device_block::recstartm, col_recstartm}, {&device_block::delay, col_delay},
      {&device_block::delayp, col_delayp},       {&device_block::mode, col_mode},
      {&device_block::wtimeh, col_wtimeh},       {&device_block::wtimem, col_wtimem},
      {&device_block::type, col_type},           {&device_block::rate, col_rate},
      {&device_block::intens, col_intens},       {&device_block::cdur, col_cdur},
      {&device_block::sens, col_sens},
  };
  device_block& b = record.block;
  for (const auto& p : plain) b.*p.field = number(p.column);
  b.somnv = static_cast<int32_t>(hex_value(fields.field(col_somnv)));
  b.smoded = count > col_smoded ? number(col_smoded) : 0;
  b.dalarm = on(col_dalarm);
  b.walarm = on(col_walarm);
  b.dur = number(col_dur) / 5;  // written in minutes
  for (int k = 0; k < 16; ++k) {
    uint32_t bits = 0;
    for (int j = 0; j < 8; ++j) bits |= static_cast<uint32_t>(number(col_rem1 + 8 * k + j)) << j;
    b.rem[k] = static_cast<uint8_t>(bits);
  }
  b.tstamp = count > col_tstamp ? static_cast<uint32_t>(number(col_tstamp)) : 0;
  b.checksum = 0;
  const std::string_view ibv = fields.field(col_ibv).substr(0, sizeof b.ibv - 1);  // never past the field
  std::memcpy(b.ibv, ibv.data(), ibv.size());
  std::memset(b.ibv + ibv.size(), 0, sizeof b.ibv - ibv.size());
  for (int i = 0; i < journal_count_total; ++i) record.counts[i] = number(col_dreams + i);
  if (!fields.field(col_comments).empty()) record.comment = fields.field(col_comments);
  return true;
}

std::string add_returns(std::string_view text) {
  std::string copy;
  copy.reserve(text.size() + static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
  for (char c : text) {
    if (c == '\n') copy += '\r';
    copy += c;
  }
  return copy;
}

std::size_t import_records(line_reader& reader, std::vector<data_record>& records) {
  std::string line;
  field_list fields;
  std::size_t added = 0;
  while (reader.read_line(line)) {
    data_record record;
    if (!parse_record(line, fields, record)) continue;
    records.push_back(std::move(record));
    ++added;
  }
  return added;
}
