// Opening and saving the documents by path: one way for the program and the command line.
#include "model/documents.h"

#include <cerrno>
#include <cstring>

#include "model/doc_file.h"

namespace {

// Opens for reading; on failure the result says why and whether the file is absent.
std::FILE* open_for_reading(const std::string& path, open_result& result) {
  errno = 0;
  std::FILE* file = open_doc_file(path.c_str(), "rb");
  result.opened = file != nullptr;
  if (!file) {
    result.missing = errno == ENOENT;
    result.reason = std::strerror(errno ? errno : EIO);
  }
  return file;
}

}  // namespace

open_result open_data_document(const std::string& path, data_file_image& image) {
  open_result result;
  std::FILE* file = open_for_reading(path, result);
  if (!file) return result;
  data_file_image read;
  result.code = read_data_file(file, read);
  std::fclose(file);
  if (result.code == 1) {
    take_as_opened(read);
    image = std::move(read);
  }
  return result;
}

open_result open_settings_document(const std::string& path, settings_section& section) {
  open_result result;
  std::FILE* file = open_for_reading(path, result);
  if (!file) return result;
  result.code = read_settings_file(file, section);
  std::fclose(file);
  return result;
}

bool save_data_document(const std::string& path, const data_file_image& image, std::string* reason) {
  return save_file_safely(
      path, [&](std::FILE* file) { return write_data_file(file, image); }, reason);
}

bool save_settings_document(const std::string& path, const settings_section& section, std::string* reason) {
  return save_file_safely(
      path, [&](std::FILE* file) { return write_settings_file(file, section) == 1; }, reason);
}
