// The largest single allocation since it was last cleared: a lying length in a file must
// never become a giant allocation.
#pragma once

#include <cstddef>

extern std::size_t largest_allocation;
