// nightglow-cli: the program's headless twin: downloads, uploads, reports, export and import from a terminal.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "cli_commands.h"
#include "cli_settings.h"

namespace {

void usage(std::FILE* out) {
  std::fputs(cli_usage(), out);
  std::fputs(
      "DEV is COMn, or on POSIX a device path; --no-wait reads the reply without the download or\n"
      "upload wait, for an interface that answers at once. get prints the downloaded block as\n"
      "KEY=value lines, or appends the night to a data document; set uploads the reset settings,\n"
      "or a settings document's, with the named changes. report and export write exactly what\n"
      "the program's Export Report and Export To Database write (CR LF); --records is a\n"
      "selection such as 2,5; show lists the records; settings prints a settings document.\n"
      "trends writes the nights' journal counts beside their settings, then each combination\n"
      "of settings with its lucid dreams per night, most first (tab-separated, CR LF).\n",
      out);
  std::fprintf(out, "Settings: %s\n", setting_keys().c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    usage(argc < 2 ? stderr : stdout);
    return argc < 2 ? 2 : 0;
  }
  cli_options options;
  std::string error;
  if (!parse_cli_options(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
    std::fprintf(stderr, "nightglow-cli: %s\n%s", error.c_str(), cli_usage());
    return 2;
  }
  const cli_result result = run_cli(options);
#ifdef _WIN32
  if (result.out_is_bytes) _setmode(_fileno(stdout), _O_BINARY);  // the CR LF are in the bytes already
#endif
  const bool written =
      std::fwrite(result.out.data(), 1, result.out.size(), stdout) == result.out.size() && std::fflush(stdout) == 0;
  std::fputs(result.err.c_str(), stderr);
  if (!written) {
    std::fprintf(stderr, "nightglow-cli: cannot write the output: %s\n", std::strerror(errno));
    return 1;
  }
  return result.code;
}
