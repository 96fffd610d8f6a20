// Opening and saving documents for the command line, with the reasons of every failure.
#include "cli_documents.h"

#include <cerrno>
#include <cstring>

#include "model/doc_file.h"

namespace {

// What a reader's code says about the file.
const char* code_meaning(int code, bool settings) {
  switch (code) {
    case -1:
    case -3:
    case -5: return "too short for a document";
    case -2: return "not a Nightglow document";
    case -4: return settings ? "not a settings document" : "not a data document";
    case -6: return "a document version this program does not know";
    case -7: return settings ? "the settings are cut short" : "the records are damaged or cut short";
    case -8: return "the plot is damaged or cut short";
    default: return "unreadable";
  }
}

// Opens for reading; null with the message and, through `missing`, whether the file is absent.
std::FILE* open_for_reading(const std::string& path, std::string& error, bool* missing) {
  errno = 0;
  std::FILE* file = open_doc_file(path.c_str(), "rb");
  if (missing) *missing = !file && errno == ENOENT;
  if (!file) error = path + ": Couldn't open file. (" + std::strerror(errno ? errno : EIO) + ")";
  return file;
}

bool read_failed(const std::string& path, int code, bool settings, std::string& error) {
  error = path + ": Couldn't read file: " + std::to_string(code) + " (" + code_meaning(code, settings) + ")";
  return false;
}

}  // namespace

bool open_data_document(const std::string& path, data_file_image& image, std::string& error, bool* missing) {
  std::FILE* file = open_for_reading(path, error, missing);
  if (!file) return false;
  image = data_file_image{};
  const int code = read_data_file(file, image);
  std::fclose(file);
  if (code != 1) return read_failed(path, code, false, error);
  take_as_opened(image);
  return true;
}

bool open_or_new_data_document(const std::string& path, data_file_image& image, std::string& error) {
  bool missing = false;
  if (open_data_document(path, image, error, &missing)) return true;
  if (!missing) return false;
  image = new_data_file_image();
  error.clear();
  return true;
}

bool open_settings_document(const std::string& path, settings_section& section, std::string& error, bool* missing) {
  std::FILE* file = open_for_reading(path, error, missing);
  if (!file) return false;
  const int code = read_settings_file(file, section);
  std::fclose(file);
  return code == 1 || read_failed(path, code, true, error);
}

namespace {

// Saves through a temporary file; on failure the message names the file, what failed and why.
bool save_document(const std::string& path, const std::function<bool(std::FILE*)>& write, std::string& error,
                   const char* failed = "Couldn't save file.") {
  std::string reason;
  if (save_file_safely(path, write, &reason)) return true;
  error = path + ": " + failed + " (" + reason + ")";
  return false;
}

}  // namespace

bool save_data_document(const std::string& path, const data_file_image& image, std::string& error) {
  return save_document(
      path, [&](std::FILE* file) { return write_data_file(file, image); }, error);
}

bool save_settings_document(const std::string& path, const settings_section& section, std::string& error) {
  return save_document(
      path, [&](std::FILE* file) { return write_settings_file(file, section) == 1; }, error);
}

bool write_whole_file(const std::string& path, std::string_view bytes, const char* create_failed, std::string& error) {
  const auto write = [bytes](std::FILE* file) {
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  };
  return save_document(path, write, error, create_failed);
}
