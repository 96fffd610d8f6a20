// A choice field: a label and a shadowed box showing one of a fixed list of texts; a press on the
// box opens a popup menu of all of them, and the choice is stored as an index in a bound integer.
#pragma once

#include <string>
#include <vector>

#include "ui/widget_type.h"

class choice_field_type : public widget_type {
 public:
  // Menu item i of the popup carries the command id first_item_id + i.
  static constexpr int first_item_id = 10000;

  choice_field_type(win_type* owner, int x, int y, const char* label, int item_count, const char* const* item_texts,
                    int* value);
  ~choice_field_type() override;  // stops being the owner's popup owner

  void draw(HDC hdc) override;
  bool handle_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;
  void get_rect(RECT& rect) override;
  bool hit_test(int x, int y) override;
  void notify(int id) override;

  // The box on the owner window: (x + L + 3, y) to (x + L + 3 + box width, y + 15).
  RECT box_rect() const;

  int shown_index = 0;   // the item drawn; follows the bound integer
  int* value = nullptr;  // not owned
  std::vector<std::string> items;
  int box_width = 100;

 private:
  int label_width_on_owner() const { return measure_on_owner(text).cx; }
  void refresh_shown_index();
};
