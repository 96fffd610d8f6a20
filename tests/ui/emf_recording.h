// Records what is drawn into an enhanced metafile and reads back the strings, lines and
// rectangles, each with the pen in effect.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// One drawing call. `shape` names it with its coordinates: "text COMMENTS: 40,105",
// "line 3,71 546,71", "rect 5,55 19,69" (Rectangle's arguments), "round 10,198 210,218 18x18".
struct drawn_item {
  std::string shape;
  COLORREF pen;  // of lines and rectangles
  RECT box{};    // of texts: where the glyphs stand (left, top, right, bottom), as the recording measured them
};

// Runs the drawing on an enhanced-metafile context and reads back what it drew.
std::vector<drawn_item> record_drawing(const std::function<void(HDC)>& draw);
std::vector<std::string> texts_of(const std::vector<drawn_item>& items);  // the strings drawn, in order
std::string text_of(const char* format, ...);
