// The drawn widgets of the Settings window: the button and the check box.
#include "app/test_app.h"
#include "ui/button_type.h"
#include "ui/check_box_type.h"

namespace {

class widgets : public started_app {
 protected:
  settings_win_type& w() const { return *settings_win(); }
  device_settings& s() const { return settings_win()->section.settings; }
  std::vector<drawn_item> drawing(int index) const {
    return record_drawing([&](HDC hdc) { w().widgets.get(index)->draw(hdc); });
  }
  // The Reset Settings button's outline pen, fill and label colour.
  std::vector<long> button_looks() const {
    const std::vector<drawn_item> items = drawing(17);
    return {long(items.at(0).pen), items.at(0).brush, long(items.at(1).color)};
  }
};

TEST_F(widgets, a_button_shows_its_press_for_a_quarter_second_then_acts_and_grays_when_disabled) {
  io->answers = {IDCANCEL};
  std::vector<long> during;
  size_t asked_during = 9;
  io->on_pause = [&] { during = button_looks(), asked_during = io->boxes.size(); };
  click(w().window, 390, 130);  // the outline's corner
  EXPECT_EQ(io->pauses, std::vector<int>{250});
  EXPECT_EQ(during, (std::vector<long>{0, LTGRAY_BRUSH, 0}));
  EXPECT_EQ(asked_during, 0u) << "it acts once the press was shown";
  EXPECT_EQ(io->boxes.size(), 1u);
  EXPECT_EQ(button_looks(), (std::vector<long>{0, NULL_BRUSH, 0}));
  static_cast<button_type*>(w().widgets.get(17))->enabled = 0;
  EXPECT_EQ(button_looks(), (std::vector<long>{long(gray), NULL_BRUSH, long(gray)}));
  click(w().window, 300, 120);
  EXPECT_EQ(io->pauses.size() + io->boxes.size(), 2u) << "a disabled button is not hit";
}

TEST_F(widgets, a_check_box_shows_a_cross_when_on_and_only_its_inner_square_toggles_it) {
  const widget_type* box = w().widgets.get(7);  // WAKE-ALARM ON
  auto crossed = [&] {
    int lines = 0;
    for (const drawn_item& item : drawing(7)) lines += item.shape.rfind("line", 0) == 0;
    return lines == 2;
  };
  // x, y from the box's corner, and the alarm after: the label focuses it, the gap between the squares
  // does nothing, the inner square toggles it, its edges included.
  const std::tuple<int, int, int> presses[] = {{40, 5, 0}, {1, 1, 0}, {4, 2, 1}, {14, 12, 0}, {4, 12, 1}};
  for (const auto& [dx, dy, after] : presses) {
    click(w().window, box->x + dx, box->y + dy);
    EXPECT_EQ(s().walarm, after) << dx << "," << dy;
    EXPECT_EQ(crossed(), after != 0) << dx << "," << dy;
    EXPECT_EQ(focus_name(w().widgets), "7");
  }
  s().walarm = 5;  // any value but 0 is on
  EXPECT_TRUE(crossed());
}

}  // namespace
