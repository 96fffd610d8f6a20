// The command line of nightglow-cli: which command, its file and its options.
#pragma once

#include <string>
#include <vector>

struct cli_options {
  std::string command;               // get, set, show, report, export, import, settings, plot, trends
  std::string file;                  // the document or data file the command reads
  std::string port;                  // --port: COMn or a device path
  int timeout = 0;                   // --timeout 0-2; -1 for --no-wait
  std::string into;                  // --into: the data document that takes the records
  std::string from;                  // --from: the settings document to upload
  std::string output;                // -o: a file instead of stdout
  int record = 0;                    // --record N, 1-based; 0 when not given
  std::vector<int> records;          // --records 2,5: 1-based, ascending, each once
  bool names = false;                // --names: the export's header line
  std::vector<std::string> changes;  // set and settings: KEY=value
};

// False with the reason when an argument is unknown, malformed, missing its value, or not one
// that the command takes.
bool parse_cli_options(const std::vector<std::string>& args, cli_options& options, std::string& error);

// The usage text, one command per line.
const char* cli_usage();
