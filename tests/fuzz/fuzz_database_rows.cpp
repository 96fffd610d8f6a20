// Fuzz target: import lines and records from hostile bytes; what parses must export and re-import the same.

#include "exchange/export_rows.h"
#include "exchange/import_rows.h"
#include "fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size), version = "W95 Nightglow v1.1";
  line_reader reader(input);
  std::vector<data_record> records;
  const std::size_t added = import_records(reader, records);
  check(added == records.size() && added <= static_cast<std::size_t>(std::count(input.begin(), input.end(), '\n')));
  for (const auto& record : records) {
    check(std::memchr(record.block.ibv, '\0', sizeof record.block.ibv) != nullptr);
    const data_window_view view = view_of_record(record);
    const std::string row = rec_column(1) + make_export_row(view, version);
    (void)data_report_text(view, version);
    // Unknown cue types are written as their name, quotes in IBV unbalance the line, and the file's CR LF
    // lengthen an IBV's line feeds: the rest comes back from the bytes the export file holds.
    if (std::strpbrk(record.block.ibv, "\"\n") || record.block.type < 0 || record.block.type > 5) continue;
    const std::string file_bytes = add_returns(row);
    line_reader again(file_bytes);
    std::vector<data_record> back;
    check(import_records(again, back) == 1 && make_export_row(view_of_record(back[0]), version) == row.substr(2));
  }
  return 0;
}
