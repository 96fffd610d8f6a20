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
  byte_reader in(file);
  result.code = read_data_file(in, image);
  std::fclose(file);
  if (result.code == 1) take_as_opened(image);
  return result;
}

open_result open_settings_document(const std::string& path, settings_section& section) {
  open_result result;
  std::FILE* file = open_for_reading(path, result);
  if (!file) return result;
  byte_reader in(file, settings_file_size);
  result.code = read_settings_file(in, section);
  std::fclose(file);
  return result;
}

bool save_data_document(const std::string& path, const data_file_image& image, std::string* reason) {
  const auto write = [&](std::FILE* file) {
    byte_writer out(file);
    return write_data_file(out, image) && out.finish();
  };
  return save_file_safely(path, write, reason);
}

bool save_settings_document(const std::string& path, const settings_section& section, std::string* reason) {
  const auto write = [&](std::FILE* file) {
    byte_writer out(file, settings_file_size);
    write_settings_file(out, section);
    return out.finish();
  };
  return save_file_safely(path, write, reason);
}
