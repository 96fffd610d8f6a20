// The fuzz targets' check: a broken promise ends the run as a finding.
#pragma once
#include <cstdlib>

inline void check(bool condition) {
  if (!condition) std::abort();
}
