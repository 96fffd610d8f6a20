// The record browser: its buttons take their states from the record list at every draw.
#include "datawin/record_browser_type.h"

#include <cstdio>
#include <cstring>

#include "datawin/data_win_type.h"

namespace {

std::unique_ptr<button_type> make_button(data_win_type* window, const RECT& browser, int offset, const char* label,
                                         void (data_win_type::*operation)()) {
  const RECT area{browser.left + offset, browser.top, browser.left + offset + 45, browser.bottom};
  auto button =
      std::make_unique<button_type>(window, area, label, [window, operation](button_type*) { (window->*operation)(); });
  button->enabled = false;
  return button;
}

}  // namespace

record_browser_type::record_browser_type(data_win_type* owner, const RECT& area)
    : widget_type(owner, area.left, area.top, nullptr),
      rectangle(area),
      show_button(make_button(owner, area, 5, "Show", &data_win_type::show_record)),
      delete_button(make_button(owner, area, 55, "Delete", &data_win_type::delete_record)),
      plot_button(make_button(owner, area, 105, "Plot", &data_win_type::plot_records)),
      data_window(owner) {}

void record_browser_type::draw(HDC hdc) {
  MoveToEx(hdc, rectangle.left, rectangle.top, nullptr);
  LineTo(hdc, rectangle.left, rectangle.bottom);
  const int count = data_window->model.count();
  delete_button->enabled = data_window->model.has_current();
  show_button->enabled = count >= 2;
  plot_button->enabled = count >= 1;
  for (button_type* button : {show_button.get(), delete_button.get(), plot_button.get()}) button->draw(hdc);
  const RECT& plot = plot_button->rectangle;
  MoveToEx(hdc, plot.right + 5, plot.top, nullptr);
  LineTo(hdc, plot.right + 5, plot.bottom);
  char text[64] = "No data records";
  if (count > 0) std::snprintf(text, sizeof text, "Record %d out of %d", data_window->model.current + 1, count);
  TextOutA(hdc, plot.right + 10, rectangle.top + 3, text, static_cast<int>(std::strlen(text)));
}

bool record_browser_type::handle_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  for (button_type* button : {delete_button.get(), show_button.get(), plot_button.get()}) {
    if (button->handle_mouse(hwnd, msg, wp, lp)) return true;
  }
  return false;
}

void record_browser_type::get_rect(RECT& rect) { rect = rectangle; }

bool record_browser_type::hit_test(int px, int py) {
  return delete_button->hit_test(px, py) || show_button->hit_test(px, py) || plot_button->hit_test(px, py);
}
