// The settings view: eleven labels on three lines, with the working block's values when a record is shown.
#include "datawin/settings_view_type.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>

#include "datawin/data_win_type.h"
#include "model/device_block.h"
#include "ui/gdi.h"

settings_view_type::settings_view_type(data_win_type* owner, const RECT& area)
    : widget_type(owner, area.left, area.top, nullptr), rectangle(area), data_window(owner) {}

void settings_view_type::draw(HDC hdc) {
  select_font(hdc);
  SetBkMode(hdc, TRANSPARENT);
  SelectObject(hdc, GetStockObject(NULL_BRUSH));
  const device_block& b = data_window->model.image.data.working_block;
  const bool values = data_window->model.image.data.no_record == 0;
  const int line1 = y - 3, line2 = y + 9, line3 = y + 21;
  // Each item at its place on its line, or right after the one before when that is wider.
  int line_y = line1, free_x = x;
  auto show = [&](int dx, int item_y, const char* label, const char* format, auto... args) {
    char text[160];
    if (values) {
      std::snprintf(text, sizeof text, format, label, args...);
    } else {
      std::snprintf(text, sizeof text, "%s", label);
    }
    if (item_y != line_y) line_y = item_y, free_x = x;
    const int length = static_cast<int>(std::strlen(text));
    auto width = [&] {
      SIZE size{0, 0};
      GetTextExtentPoint32A(hdc, text, length, &size);
      return static_cast<int>(size.cx);
    };
    // An item too wide for the rest of its line moves left as far as the one before allows, and
    // is written smaller when even that does not make it fit (the longest cue types).
    const int room = static_cast<int>(rectangle.right) - free_x;
    owned_font smaller;
    std::optional<selected_object> smaller_selected;
    TEXTMETRICA metrics{};
    GetTextMetricsA(hdc, &metrics);
    for (int height = metrics.tmHeight - 1; width() > room && height >= 9; --height) {
      smaller_selected.reset();
      smaller.reset(CreateFontA(height, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"));
      smaller_selected.emplace(hdc, smaller.get());
    }
    const int at = std::max(free_x, std::min(x + dx, static_cast<int>(rectangle.right) - width()));
    TextOutA(hdc, at, item_y, text, length);
    free_x = at + width() + 4;
  };
  show(0, line1, "CUE DURATION:", "%s %d", b.cdur);
  show(115, line1, "CUE INTENSITY:", "%s %d", b.intens);
  show(220, line1, "CUE RATE:", "%s %d", b.rate);
  show(300, line1, "CUE TYPE:", "%s %s", cue_type_name(b.type));
  show(0, line2, "WAKE-ALARM:", "%s %s", alarm_text(b.walarm));
  show(120, line2, "WAKE-TIME:", "%s %d:%02d", b.wtimeh, b.wtimem);
  show(240, line2, "DREAM-ALARM:", "%s %s", alarm_text(b.dalarm));
  show(0, line3, "INITIAL DELAY:", "%s %d", b.delay);
  show(120, line3, "SENSITIVITY:", "%s %d", b.sens);
  show(240, line3, "CUE PERIOD START:", "%s %d:%02d", b.cstarth, b.cstartm);
  show(390, line3, "CUE PERIOD END:", "%s %d:%02d", b.cendh, b.cendm);
}

void settings_view_type::get_rect(RECT& rect) { rect = rectangle; }
