// Filling and reading the list boxes of the record dialogs.
#include "ui/list_box.h"

void add_list_lines(HWND list_box, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) SendMessageA(list_box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

void select_all_lines(HWND list_box) {
  // -1 selects every line at once, also beyond the 65,535 that a range message can name.
  SendMessageA(list_box, LB_SETSEL, TRUE, -1);
}

std::vector<int> selected_lines(HWND list_box) {
  const LRESULT count = SendMessageA(list_box, LB_GETSELCOUNT, 0, 0);
  std::vector<int> positions(count > 0 ? static_cast<std::size_t>(count) : 0);
  if (!positions.empty()) {
    const LRESULT got =
        SendMessageA(list_box, LB_GETSELITEMS, positions.size(), reinterpret_cast<LPARAM>(positions.data()));
    positions.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  }
  return positions;
}
