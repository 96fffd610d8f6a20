// somnolux-sim: plays the interface box and the mask on a pseudo-terminal.
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "key_lines.h"
#include "sim_engine.h"
#include "sim_night.h"
#include "sim_pty.h"

namespace {

volatile sig_atomic_t stop_requested = 0;
bool clock_fixed = false;
civil_time fixed_now;  // --clock: a local time that stands still

void on_signal(int) { stop_requested = 1; }

civil_time local_now() {
  if (clock_fixed) return fixed_now;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  civil_time t;
  t.year = local.tm_year + 1900;
  t.month = local.tm_mon + 1;
  t.day = local.tm_mday;
  t.hour = local.tm_hour;
  t.minute = local.tm_min;
  t.second = local.tm_sec;
  return t;
}

void usage(std::FILE* out) {
  std::fputs(
      "usage: somnolux-sim --link PATH [--seed N] [--empty] [--version TEXT]\n"
      "                    [--silent] [--no-prompt] [--bad-checksum] [--cut-after N]\n"
      "                    [--refuse-upload] [--clock 'YYYY-MM-DD HH:MM:SS']\n"
      "Serves the interface box and the mask on a pseudo-terminal linked at PATH\n"
      "until stopped. Each accepted upload is printed on stdout as KEY=value lines.\n"
      "--clock stops the mask's clock at that local time, so that two runs give the same bytes.\n",
      out);
}

bool parse_count(const char* text, long low, long high, long& value) {
  char* end = nullptr;
  errno = 0;
  value = std::strtol(text, &end, 10);
  return end != text && *end == '\0' && errno == 0 && value >= low && value <= high;
}

bool write_all(int fd, const uint8_t* data, std::size_t count) {
  while (count > 0) {
    const ssize_t n = ::write(fd, data, count);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    count -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::string link_path;
  std::string version = "SLX-IB 1.4";
  long seed = 1;
  bool empty = false;
  sim_faults faults;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool has_value = i + 1 < argc;
    long value = 0;
    if (arg == "--link" && has_value) {
      link_path = argv[++i];
    } else if (arg == "--seed" && has_value && parse_count(argv[i + 1], 0, 0xffffffffL, value)) {
      seed = value;
      ++i;
    } else if (arg == "--version" && has_value && std::strlen(argv[i + 1]) < 1000) {
      version = argv[++i];
    } else if (arg == "--cut-after" && has_value && parse_count(argv[i + 1], 0, 58, value)) {
      faults.cut_after = static_cast<int>(value);
      ++i;
    } else if (arg == "--clock" && has_value) {
      civil_time& t = fixed_now;
      char end = 0;
      if (std::sscanf(argv[++i], "%d-%d-%d %d:%d:%d%c", &t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second,
                      &end) != 6 ||
          t.year < 1950 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour > 23 || t.minute > 59 ||
          t.second > 59 || t.hour < 0 || t.minute < 0 || t.second < 0) {
        std::fprintf(stderr, "somnolux-sim: --clock takes 'YYYY-MM-DD HH:MM:SS', not '%s'\n", argv[i]);
        return 2;
      }
      clock_fixed = true;
    } else if (arg == "--empty") {
      empty = true;
    } else if (arg == "--silent") {
      faults.silent = true;
    } else if (arg == "--no-prompt") {
      faults.no_prompt = true;
    } else if (arg == "--bad-checksum") {
      faults.bad_checksum = true;
    } else if (arg == "--refuse-upload") {
      faults.refuse_upload = true;
    } else if (arg == "--help" || arg == "-h") {
      usage(stdout);
      return 0;
    } else {
      std::fprintf(stderr, "somnolux-sim: bad argument '%s'\n", arg.c_str());
      usage(stderr);
      return 2;
    }
  }
  if (link_path.empty()) {
    usage(stderr);
    return 2;
  }

  struct sigaction action {};
  action.sa_handler = on_signal;  // no SA_RESTART: poll returns so that we can stop
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGHUP, &action, nullptr);
  signal(SIGPIPE, SIG_IGN);

  const civil_time now = local_now();
  sim_engine engine(empty ? make_empty_night(now) : make_night(static_cast<uint32_t>(seed), now), version);
  engine.faults = faults;
  engine.clock = [] { return to_seconds(local_now()); };

  sim_pty pty;
  std::string error;
  if (!pty.open(link_path, error)) {
    std::fprintf(stderr, "somnolux-sim: %s\n", error.c_str());
    return 1;
  }
  std::fprintf(stderr, "somnolux-sim: serving %s, linked at %s\n", pty.terminal_name().c_str(), link_path.c_str());

  int uploads = 0;
  uint8_t data[4096];
  while (!stop_requested) {
    pollfd p{pty.master(), POLLIN, 0};
    const int ready = poll(&p, 1, 500);
    if (ready < 0 && errno != EINTR) break;
    if (ready <= 0) continue;
    const ssize_t n = ::read(pty.master(), data, sizeof data);
    if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EIO)) {
      if (errno == EIO) usleep(100000);  // no terminal side for the moment
      continue;
    }
    if (n <= 0) break;
    engine.receive(data, static_cast<std::size_t>(n));
    while (engine.has_output()) {
      const std::size_t count = engine.send(data, sizeof data);
      if (!write_all(pty.master(), data, count)) break;
    }
    if (engine.upload_count() != uploads) {
      uploads = engine.upload_count();
      std::printf("UPLOAD=%d\n%s", uploads, settings_lines(engine.last_upload()).c_str());
      std::fflush(stdout);
    }
  }
  std::fprintf(stderr, "somnolux-sim: stopped\n");
  return 0;
}
