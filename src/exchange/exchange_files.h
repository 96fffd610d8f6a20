// Report and database files: their default names, their writing and the messages about them.
// Used by Export Report, Export To Database and Import From Database of both windows, the
// clipboard copy (Copy Text) and the command-line tool.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The program's version text: in reports, in the SOFTV column of exported rows.
inline constexpr const char* program_version = "W95 Nightglow v1.1";

inline constexpr const char* report_file_name = "SomnReport.txt";
inline constexpr const char* data_file_name = "SomnData.txt";

inline constexpr const char* report_create_failed = "Sorry, couldn't create report file.";
inline constexpr const char* report_write_failed = "Sorry, couldn't write report file.";
inline constexpr const char* text_failed = "Couldn't create text.";
inline constexpr const char* data_create_failed = "Sorry, couldn't create data file.";
inline constexpr const char* database_open_failed = "Couldn't open database file.";
inline constexpr const char* returns_failed = "Couldn't add returns to text.";
inline constexpr const char* global_memory_failed = "Couldn't allocate global memory.";
inline constexpr const char* export_memory_failed = "There is not enough memory to export these records.";
inline constexpr const char* import_memory_failed = "There is not enough memory to import these records.";
inline constexpr const char* no_device_data_message =
    "There is no data in the Somnolux.  The current data will not be changed.";

// "%d record(s) imported."
std::string imported_message(std::size_t count);

// Creates the file and writes the text in one write, every line feed as CR LF (what a text-mode
// write gives on Windows, here on every platform). nullptr when done, else the message to show;
// a failed write leaves the file as far as it got. The export reports only a failed creation.
const char* write_report_file(const std::string& path, std::string_view text);
const char* write_export_file(const std::string& path, std::string_view text);
