// Documents and output files of the command line: read as the program opens them, written
// through the program's safe save, every failure told with the system's own reason.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "model/data_file.h"
#include "model/settings_file.h"

// Reads a data document and takes it as the program's windows hold it after opening. False
// with the message: "night.sl1: Couldn't open file. (No such file or directory)", or "night.sl1:
// Couldn't read file: -4 (not a data document)" with the reader's code. `missing` (when given)
// tells a file that does not exist from one that cannot be read.
bool open_data_document(const std::string& path, data_file_image& image, std::string& error, bool* missing = nullptr);
// The document, or a new one when the file does not exist yet.
bool open_or_new_data_document(const std::string& path, data_file_image& image, std::string& error);
bool open_settings_document(const std::string& path, settings_section& section, std::string& error,
                            bool* missing = nullptr);

// Replaces the file through a temporary file beside it; nothing of the old file is lost when
// any byte fails. False with "night.sl1: Couldn't save file. (No space left on device)".
bool save_data_document(const std::string& path, const data_file_image& image, std::string& error);
bool save_settings_document(const std::string& path, const settings_section& section, std::string& error);

// Writes bytes as a new file (or in place of an old one) all or nothing, with the program's
// message for a file it cannot create ("Sorry, couldn't create data file.") and the reason.
bool write_whole_file(const std::string& path, std::string_view bytes, const char* create_failed, std::string& error);
