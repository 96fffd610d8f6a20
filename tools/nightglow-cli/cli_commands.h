// The commands of nightglow-cli over the program's own core: what each prints, says and exits with.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "cli_options.h"
#include "device/device_link.h"

struct cli_result {
  int code = 0;               // 0 done, 1 refused or failed, 2 a bad command line
  std::string out;            // for stdout
  bool out_is_bytes = false;  // report, export, trends: their bytes as the program writes them, CR LF in them
  std::string err;            // messages for stderr, each a whole line
};

// Makes the device link of get and set; tests give one that talks to the simulator's engine.
using link_maker = std::function<std::unique_ptr<device_link>(link_owner& owner, const cli_options& options)>;
// The real one: the serial port named by --port, waits chosen by --timeout or --no-wait.
std::unique_ptr<device_link> port_link(link_owner& owner, const cli_options& options);

cli_result run_cli(const cli_options& options, const link_maker& make_link = port_link);
