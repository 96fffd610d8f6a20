// Parses nightglow-cli's arguments against the options each command takes.
#include "cli_options.h"

#include <algorithm>
#include <cstring>

namespace {

enum option_bit : unsigned {
  takes_port = 1,
  takes_into = 2,
  takes_from = 4,
  takes_output = 8,
  takes_record = 16,
  takes_records = 32,
  takes_names = 64,
  takes_changes = 128,
  takes_file = 256,
  takes_wait = 512,
};

struct command_rule {
  const char* name;
  unsigned takes;
  unsigned needs;
};

constexpr command_rule rules[] = {
    {"get", takes_port | takes_wait | takes_into, takes_port},
    {"set", takes_port | takes_wait | takes_from | takes_changes, takes_port},
    {"show", takes_file | takes_record, takes_file},
    {"report", takes_file | takes_record | takes_output, takes_file},
    {"export", takes_file | takes_records | takes_names | takes_output, takes_file},
    {"import", takes_file | takes_into, takes_file | takes_into},
    {"settings", takes_file | takes_changes, takes_file},
    {"plot", takes_file | takes_records, takes_file},
    {"trends", takes_file | takes_records | takes_output, takes_file},
};

// A record number: 1 to 999,999,999, plain decimal digits.
bool parse_position(const std::string& text, int& value) {
  if (text.empty() || text.size() > 9) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return value > 0;
}

bool parse_positions(const std::string& text, std::vector<int>& values) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    int value = 0;
    if (!parse_position(text.substr(start, comma - start), value)) return false;
    values.push_back(value);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  // A selection of the record list: in list order, each record once.
  std::sort(values.begin(), values.end());
  values.erase(std::unique(values.begin(), values.end()), values.end());
  return true;
}

}  // namespace

const char* cli_usage() {
  return "usage: nightglow-cli get --port DEV [--timeout 0|1|2 | --no-wait] [--into FILE.sl1]\n"
         "       nightglow-cli set --port DEV [--timeout 0|1|2 | --no-wait] [--from FILE.sl2] [KEY=value ...]\n"
         "       nightglow-cli show FILE.sl1 [--record N]\n"
         "       nightglow-cli report FILE.sl1 [--record N] [-o OUT]\n"
         "       nightglow-cli export FILE.sl1 [--names] [--records N,M,...] [-o OUT]\n"
         "       nightglow-cli import DATA.txt --into FILE.sl1\n"
         "       nightglow-cli settings FILE.sl2 [KEY=value ...]\n"
         "       nightglow-cli plot FILE.sl1 [--records N,M,...]\n"
         "       nightglow-cli trends FILE.sl1 [--records N,M,...] [-o OUT]\n";
}

bool parse_cli_options(const std::vector<std::string>& args, cli_options& options, std::string& error) {
  options = cli_options{};
  if (args.empty()) {
    error = "no command given";
    return false;
  }
  options.command = args[0];
  const command_rule* rule = nullptr;
  for (const command_rule& r : rules)
    if (options.command == r.name) rule = &r;
  if (!rule) {
    error = "unknown command '" + options.command + "'";
    return false;
  }

  unsigned given = 0;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool has_value = i + 1 < args.size();
    const std::string value = has_value ? args[i + 1] : std::string();
    unsigned bit = 0;
    bool takes_value = true;
    bool good = has_value;
    if (arg == "--port") {
      bit = takes_port;
      options.port = value;
    } else if (arg == "--timeout") {
      bit = takes_wait;
      good = good && value.size() == 1 && value[0] >= '0' && value[0] <= '2';
      if (good) options.timeout = value[0] - '0';
    } else if (arg == "--no-wait") {
      bit = takes_wait, takes_value = false, good = true;
      options.timeout = -1;  // outside 0-2 the link waits no ticks
    } else if (arg == "--into") {
      bit = takes_into;
      options.into = value;
    } else if (arg == "--from") {
      bit = takes_from;
      options.from = value;
    } else if (arg == "-o") {
      bit = takes_output;
      options.output = value;
    } else if (arg == "--record") {
      bit = takes_record;
      good = good && parse_position(value, options.record);
    } else if (arg == "--records") {
      bit = takes_records;
      good = good && parse_positions(value, options.records);
    } else if (arg == "--names") {
      bit = takes_names, takes_value = false, good = true;
      options.names = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option '" + arg + "'";
      return false;
    } else if (arg.find('=') != std::string::npos && (rule->takes & takes_changes)) {
      bit = takes_changes, takes_value = false, good = true;
      options.changes.push_back(arg);
    } else {
      bit = takes_file, takes_value = false, good = options.file.empty();
      options.file = arg;
      if (!good) {
        error = "unexpected argument '" + arg + "'";
        return false;
      }
    }
    if (!(rule->takes & bit)) {
      error = options.command + " does not take '" + arg + "'";
      return false;
    }
    if (!good || (takes_value && value.empty())) {
      error = takes_value && !has_value ? arg + " needs a value"
              : arg == "--timeout"      ? "--timeout takes 0, 1 or 2, not '" + value + "'"
              : arg == "--record"       ? "--record takes a record number from 1, not '" + value + "'"
              : arg == "--records"      ? "--records takes record numbers from 1 such as 2,5, not '" + value + "'"
                                        : arg + " needs a value";
      return false;
    }
    given |= bit;
    if (takes_value) ++i;
  }
  const unsigned missing = rule->needs & ~given;
  if (missing) {
    error = missing & takes_port   ? options.command + " needs --port DEV"
            : missing & takes_into ? options.command + " needs --into FILE.sl1"
                                   : options.command + " needs a file";
    return false;
  }
  return true;
}
