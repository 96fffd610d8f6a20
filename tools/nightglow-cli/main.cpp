// nightglow-cli: downloads a night or uploads settings from a terminal or a script.
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "cli_port.h"
#include "cli_settings.h"
#include "device/device_link.h"
#include "key_lines.h"

namespace {

// The link's messages go to stderr, one per line.
class stderr_owner : public link_owner {
 public:
  void show_message(const char* text) override { std::fprintf(stderr, "%s\n", text); }
};

void usage(std::FILE* out) {
  std::fputs(
      "usage: nightglow-cli get --port DEV [--timeout 0|1|2 | --no-wait]\n"
      "       nightglow-cli set --port DEV [--timeout 0|1|2 | --no-wait] [KEY=value ...]\n"
      "DEV is COMn, or on POSIX a device path. get prints the downloaded block as\n"
      "KEY=value lines; set uploads the reset settings with the named changes.\n"
      "--no-wait reads the packet's reply without the download or upload wait,\n"
      "for an interface that answers at once.\n",
      out);
  std::fprintf(out, "Settings: %s\n", setting_keys().c_str());
}

int run_get(device_link& link) {
  device_block block{};
  link.reset_block(block);
  const int result = link.get_data(block);
  if (result != 1) return 1;
  std::fputs(block_lines(block).c_str(), stdout);
  if (block.tstamp == 0) std::fputs("There is no data in the Somnolux.\n", stderr);
  return 0;
}

int run_set(device_link& link, device_settings& settings) {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (!local) {
    std::fputs("nightglow-cli: cannot read the local time\n", stderr);
    return 1;
  }
  stamp_settings(settings, local->tm_year + 1900, local->tm_mon + 1, local->tm_mday,
                 local->tm_hour, local->tm_min, local->tm_sec);
  if (link.set_settings(settings) != 1) return 1;
  std::fputs(settings_lines(settings).c_str(), stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    usage(argc < 2 ? stderr : stdout);
    return argc < 2 ? 2 : 0;
  }
  const std::string verb = argv[1];
  if (verb != "get" && verb != "set") {
    std::fprintf(stderr, "nightglow-cli: unknown command '%s'\n", verb.c_str());
    usage(stderr);
    return 2;
  }

  std::string device;
  int timeout = 0;
  device_settings settings{};
  reset_settings(settings);
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--port" && i + 1 < argc) {
      device = argv[++i];
    } else if (arg == "--timeout" && i + 1 < argc) {
      const std::string value = argv[++i];
      if (value != "0" && value != "1" && value != "2") {
        std::fprintf(stderr, "nightglow-cli: --timeout takes 0, 1 or 2, not '%s'\n", value.c_str());
        return 2;
      }
      timeout = value[0] - '0';
    } else if (arg == "--no-wait") {
      timeout = -1;  // outside 0-2 the link waits no ticks
    } else if (verb == "set" && arg.find('=') != std::string::npos) {
      std::string error;
      if (!apply_setting(settings, arg, error)) {
        std::fprintf(stderr, "nightglow-cli: %s; nothing was sent\n", error.c_str());
        return 2;
      }
    } else {
      std::fprintf(stderr, "nightglow-cli: unexpected argument '%s'\n", arg.c_str());
      usage(stderr);
      return 2;
    }
  }
  if (device.empty()) {
    std::fputs("nightglow-cli: --port DEV is required\n", stderr);
    return 2;
  }

  stderr_owner owner;
  device_link link(&owner);
  choose_port(link, device);
  link.timeout_choice = timeout;
  return verb == "get" ? run_get(link) : run_set(link, settings);
}
