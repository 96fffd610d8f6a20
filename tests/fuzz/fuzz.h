// What every fuzz target takes: the standard headers it reads bytes with, and its check, whose broken promise
// ends the run as a finding.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

inline void check(bool condition) {
  if (!condition) std::abort();
}
