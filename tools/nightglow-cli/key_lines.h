// A downloaded block as KEY=value lines, one per field.
#pragma once

#include <string>

#include "model/device_block.h"

// PACKV to TSTAMP in block order, SOMNV as "%#x", the REM bits as REMBITS= (128
// characters of 0 and 1, bin 0 first), the twelve further values as U1 to U12,
// then CHECKSUM and IBV. Each line ends in "\n".
std::string block_lines(const device_block& block);
