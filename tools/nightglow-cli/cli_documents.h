// Documents and output files of the command line: opened and saved by the program's own functions,
// every failure told with the system's own reason or the reader's code.
#pragma once

#include <string>
#include <string_view>

#include "model/documents.h"

// Opens a data document as the program does. False with the message: "night.sl1: Couldn't open
// file. (No such file or directory)", or "night.sl1: Couldn't read file: -4 (not a data document)"
// with the reader's code.
bool cli_open_data(const std::string& path, data_file_image& image, std::string& error);
// The document, or a new one when the file does not exist yet.
bool cli_open_or_new_data(const std::string& path, data_file_image& image, std::string& error);
// `missing` (when given) tells a file that does not exist from one that cannot be read.
bool cli_open_settings(const std::string& path, settings_section& section, std::string& error, bool* missing = nullptr);

// Saves as the program does. False with "night.sl1: Couldn't save file. (No space left on device)".
bool cli_save_data(const std::string& path, const data_file_image& image, std::string& error);
bool cli_save_settings(const std::string& path, const settings_section& section, std::string& error);

// Writes bytes as a new file (or in place of an old one) all or nothing, with the program's
// message for a file it cannot create ("Sorry, couldn't create data file.") and the reason.
bool write_whole_file(const std::string& path, std::string_view bytes, const char* create_failed, std::string& error);
