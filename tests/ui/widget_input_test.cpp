// Presses, keys and effects on the widgets of the real windows: where a press lands, the button's
// press, the choice popup, a form without focus and the comments box.
#include "app/test_app.h"
#include "datawin/record_view_type.h"
#include "ui/button_type.h"
#include "ui/check_box_type.h"
#include "ui/choice_field_type.h"
#include "ui/edit_text_type.h"
#include "ui/help_line_type.h"

namespace {

class widget_input : public started_app {
 protected:
  settings_win_type& w() const { return *settings_win(); }
  template <class W>
  W* at(int index) const {
    return static_cast<W*>(w().widgets.get(index));
  }
  void press(LONG x, LONG y) const { click(w().window, x, y); }
  void key(char k, bool shift = false) const { type_chars(w().window, std::string(1, k), shift); }
  std::string focus() const { return focus_name(w().widgets); }
  int cue_type() const { return w().section.settings.type; }
};

POINT centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

TEST_F(widget_input, a_press_focuses_the_widget_it_hits_edges_included_or_else_removes_the_focus) {
  RECT number, hours, minutes;
  at<numeric_field_type>(12)->get_box_rect(number);  // SENSITIVITY
  auto* end = at<time_field_type>(14);               // CUE PERIOD END
  end->hours->get_box_rect(hours);
  end->minutes->get_box_rect(minutes);
  const RECT choice = at<choice_field_type>(5)->box_rect();
  const auto* box = at<check_box_type>(7);  // WAKE-ALARM ON
  const POINT n = centre(number), h = centre(hours), m = centre(minutes);
  const std::tuple<LONG, LONG, const char*, int> presses[] = {
      // x, y, focus, wake alarm
      {n.x, n.y, "12", 0},
      {at<widget_type>(12)->x + 2, n.y, "none", 0},  // its label
      {number.right, number.bottom, "12", 0},
      {number.right + 1, number.bottom, "none", 0},
      {box->x + 40, box->y + 5, "7", 0},  // a check box's label focuses it without toggling
      {box->x + 3, box->y + 1, "7", 0},   // between its squares
      {box->x + 4, box->y + 2, "7", 1},   // the inner square, edges included, toggles it
      {box->x + 14, box->y + 12, "7", 0},
      {m.x, m.y, "14m", 0},
      {h.x, h.y, "14h", 0},
      {hours.right + 2, h.y, "none", 0},                 // the colon
      {end->x + 2, h.y, "none", 0},                      // the time field's label
      {choice.right, choice.bottom, "5", 0},             // opens the popup, dismissed
      {choice.right + 1, choice.bottom + 1, "none", 0},  // the box's shadow
      {540, 150, "none", 0},
  };
  for (const auto& [x, y, focus_after, alarm] : presses) {
    press(x, y);
    EXPECT_EQ(focus(), focus_after) << x << "," << y;
    EXPECT_EQ(w().section.settings.walarm, alarm) << x << "," << y;
    EXPECT_EQ(box->focused, focus() == "7");
  }
  EXPECT_EQ(w().help->help_text, "");  // no focus, no help
  EXPECT_EQ(w().widgets.route_char(w().window, WM_CHAR, '7', 0), -1);
  key('\t');  // from no focus Tab takes the first field, Shift+Tab the last part
  EXPECT_EQ(focus(), "2");
  press(540, 150);
  key('\t', true);
  EXPECT_EQ(focus(), "14m");
  EXPECT_EQ(io->beeps, 0);
}

TEST_F(widget_input, a_button_shows_its_press_for_a_quarter_second_then_acts_and_a_disabled_one_is_not_hit) {
  auto* reset = at<button_type>(17);
  io->answers = {IDCANCEL, IDCANCEL};
  std::string during;
  io->on_pause = [&] { during = std::to_string(reset->pressed) + " " + std::to_string(io->boxes.size()); };
  press(390, 130);  // the rectangle's corner
  EXPECT_EQ(io->pauses, std::vector<int>{250});
  EXPECT_EQ(during + " " + std::to_string(reset->pressed) + " " + std::to_string(io->boxes.size()), "1 0 0 1");
  EXPECT_EQ(focus(), "17");
  reset->enabled = 0;
  press(300, 120);
  EXPECT_EQ(io->pauses.size() + io->boxes.size(), 2u);
  EXPECT_EQ(focus(), "none");
}

TEST_F(widget_input, the_choice_box_opens_its_popup_at_its_corner_and_takes_only_its_own_items) {
  const RECT box = at<choice_field_type>(5)->box_rect();
  strings popup, items;  // "id text" of each item
  POINT at_point{};
  HWND owner = nullptr;
  int type_while_open = -1;
  io->on_popup = [&](HMENU menu, POINT screen, HWND menu_owner) {
    for (int i = 0; i < GetMenuItemCount(menu); i++) {
      char text[256] = {};
      GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
      popup.push_back(std::to_string(GetMenuItemID(menu, i)) + " " + text);
    }
    at_point = screen, owner = menu_owner, type_while_open = cue_type();
  };
  io->popup_choice = 3;
  press(box.left, box.top);
  for (int i = 0; i < 6; i++) items.push_back(std::to_string(IDM_POPUP_BASE + i) + " " + cue_type_name(i));
  EXPECT_EQ(popup, items);
  POINT corner{box.left, box.top};
  ClientToScreen(w().window, &corner);
  EXPECT_EQ(std::make_pair(at_point.x, at_point.y), std::make_pair(corner.x, corner.y));
  EXPECT_EQ(owner, w().window);
  EXPECT_EQ(type_while_open, 2);  // nothing is stored until the command arrives
  EXPECT_EQ(cue_type(), 3);
  at<choice_field_type>(5)->notify(IDM_POPUP_BASE + 6);  // not one of its items
  EXPECT_EQ(cue_type(), 3);
}

TEST_F(widget_input, the_comments_box_is_a_child_edit_in_its_frame_whose_lines_lose_nothing) {
  data_win_type& d = *data_win();
  edit_text_type& box = *d.comments;
  char name[32] = {};
  GetClassNameA(box.control, name, sizeof name);
  const LONG_PTR style = GetWindowLongPtrA(box.control, GWL_STYLE),
                 wanted = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL;
  RECT placed;
  GetWindowRect(box.control, &placed);
  MapWindowPoints(nullptr, d.window, reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(text_of("%s %d %d %ld,%ld %ld,%ld", name, GetParent(box.control) == d.window, (style & wanted) == wanted,
                    placed.left, placed.top, placed.right, placed.bottom),
            text_of("Edit 1 1 4,122 %d,151", static_cast<record_view_type*>(d.widgets.get(0))->rectangle.right));
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(box.control, WM_GETFONT, 0, 0)), d.display_font.get());

  d.widgets.set_focus_index(d.comments_index);
  SendMessageA(box.control, WM_CHAR, '\r', 1);  // Enter breaks the line inside the box
  EXPECT_EQ(d.widgets.focus_index, d.comments_index);
  type_chars(box.control, "\t", true);
  EXPECT_EQ(d.widgets.focus_index, 10);  // back to CUE AWAKENINGS
  EXPECT_EQ(GetFocus(), d.window);

  SetWindowTextA(box.control, "");
  EXPECT_EQ(box.read_lines(), strings{""});
  const std::string line(3000, 'z');  // wrapped at the frame, but no character is lost or added
  SetWindowTextA(box.control, (line + "\r\nend").c_str());
  const strings lines = box.read_lines();
  std::string joined;
  for (const std::string& part : lines) joined += part;
  EXPECT_EQ(joined, line + "end");
  auto* extra = new edit_text_type(&d, RECT{3, 160, 100, 190}, "Other");  // its control goes with it
  const HWND control = extra->control;
  delete extra;
  EXPECT_FALSE(IsWindow(control));
}

}  // namespace
