// A window's outer rectangle as both document files store it: the start of every window's section.
#pragma once

#include <cstdint>

// Screen coordinates, as GetWindowRect gives them back.
struct window_rect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};
