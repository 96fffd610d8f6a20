// A downloaded block and a settings upload as KEY=value lines, one per field.
#pragma once

#include <string>

#include "model/device_block.h"

// PACKV to TSTAMP in block order, SOMNV as "%#x", the REM bits as REMBITS= (128
// characters of 0 and 1, bin 0 first), the twelve further values as U1 to U12,
// then CHECKSUM and IBV. Each line ends in "\n".
std::string block_lines(const device_block& block);

// The fields of an upload in packet order (sent pairs, not edit copies), then TSTAMP
// and CHECKSUM. The command line prints what it sent and the simulator what it took,
// in the same form, so that the two can be compared.
std::string settings_lines(const device_settings& settings);
