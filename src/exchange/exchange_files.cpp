// Writing report and export files with CR LF line ends.
#include "exchange/exchange_files.h"

#include <cstdio>

#include "exchange/import_rows.h"

namespace {

// 0 when written, 1 when the file could not be created, 2 when the write fell short.
int write_cr_lf(const std::string& path, std::string_view text) {
  const std::string bytes = add_returns(text);  // before the file is created: it may need much memory
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return 1;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written ? 0 : 2;
}

}  // namespace

std::string imported_message(std::size_t count) { return std::to_string(count) + " record(s) imported."; }

const char* write_report_file(const std::string& path, std::string_view text) {
  const int result = write_cr_lf(path, text);
  return result == 0 ? nullptr : result == 1 ? report_create_failed : report_write_failed;
}

const char* write_export_file(const std::string& path, std::string_view text) {
  return write_cr_lf(path, text) == 1 ? data_create_failed : nullptr;
}
