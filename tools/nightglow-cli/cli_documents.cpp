// The command line's words for opening and saving documents and for writing its output files.
#include "cli_documents.h"

#include <cstdio>

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

bool told(const std::string& path, const open_result& result, bool settings, std::string& error) {
  if (result.ok()) return true;
  if (!result.opened)
    error = path + ": Couldn't open file. (" + result.reason + ")";
  else
    error = path + ": Couldn't read file: " + std::to_string(result.code) + " (" + code_meaning(result.code, settings) +
            ")";
  return false;
}

bool saved(const std::string& path, bool ok, const std::string& reason, std::string& error,
           const char* failed = "Couldn't save file.") {
  if (!ok) error = path + ": " + failed + " (" + reason + ")";
  return ok;
}

}  // namespace

bool cli_open_data(const std::string& path, data_file_image& image, std::string& error) {
  return told(path, open_data_document(path, image), false, error);
}

bool cli_open_or_new_data(const std::string& path, data_file_image& image, std::string& error) {
  const open_result result = open_data_document(path, image);
  if (result.missing) {
    image = new_data_file_image();
    return true;
  }
  return told(path, result, false, error);
}

bool cli_open_settings(const std::string& path, settings_section& section, std::string& error, bool* missing) {
  const open_result result = open_settings_document(path, section);
  if (missing) *missing = result.missing;
  return told(path, result, true, error);
}

bool cli_save_data(const std::string& path, const data_file_image& image, std::string& error) {
  std::string reason;
  return saved(path, save_data_document(path, image, &reason), reason, error);
}

bool cli_save_settings(const std::string& path, const settings_section& section, std::string& error) {
  std::string reason;
  return saved(path, save_settings_document(path, section, &reason), reason, error);
}

bool write_whole_file(const std::string& path, std::string_view bytes, const char* create_failed, std::string& error) {
  const auto write = [bytes](std::FILE* file) {
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  };
  std::string reason;
  return saved(path, save_file_safely(path, write, &reason), reason, error, create_failed);
}
