// Opening and saving the two documents by path: what the program and the command line both call.
#pragma once

#include <string>

#include "model/data_file.h"
#include "model/settings_file.h"

// How an open went; each caller words its own message from it.
struct open_result {
  bool opened = false;   // the file could be opened at all
  bool missing = false;  // it could not because it does not exist
  int code = 0;          // when opened: the reader's code, 1 or -1 ... -8
  std::string reason;    // when not opened: the system's words ("Permission denied")

  bool ok() const { return opened && code == 1; }
};

// Reads a data document and takes it as the windows hold it after opening (take_as_opened).
// On any failure `image` is left as it was.
open_result open_data_document(const std::string& path, data_file_image& image);
// Reads a settings document (codes 1, or -1 ... -7); on any failure `section` is left as it was.
open_result open_settings_document(const std::string& path, settings_section& section);

// Saves through a temporary file beside `path` that replaces it only when every byte was written;
// otherwise the previous file is kept and `reason` (when given) receives the system's words.
bool save_data_document(const std::string& path, const data_file_image& image, std::string* reason = nullptr);
bool save_settings_document(const std::string& path, const settings_section& section, std::string* reason = nullptr);
