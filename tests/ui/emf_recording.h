// Records what a widget draws into an enhanced metafile and lists the strings, lines and
// rectangles with the pen, brush, font and colour in effect for each.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct drawn_text {
  std::string text;
  int x, y;
  int font_height;          // height of the selected font (0 for the context's default font)
  std::string font_face;
  COLORREF color;
};

struct drawn_line {
  POINT from, to;
  COLORREF pen;
};

struct drawn_rect {
  RECT box;
  bool rounded;
  SIZE corner;     // of a rounded rectangle
  COLORREF pen;
  int brush;       // stock brush index (NULL_BRUSH, LTGRAY_BRUSH, ...), WHITE_BRUSH at first
};

class emf_recording {
 public:
  emf_recording();
  ~emf_recording();
  emf_recording(const emf_recording&) = delete;
  emf_recording& operator=(const emf_recording&) = delete;

  HDC dc() const { return dc_; }
  // Closes the recording and reads its records; call once after drawing.
  void finish();

  // The first string equal to the text, or null.
  const drawn_text* find_text(const std::string& text) const;
  std::vector<std::string> strings() const;

  std::vector<drawn_text> texts;
  std::vector<drawn_line> lines;
  std::vector<drawn_rect> rects;
  int selects = 0;  // SelectObject records seen

 private:
  void parse(const std::vector<unsigned char>& bits);
  HDC dc_ = nullptr;
};
