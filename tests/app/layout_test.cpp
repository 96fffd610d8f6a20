// Every window's texts stand apart and inside it.
#include "app/msg_win_type.h"
#include "sim_night.h"
#include "test_app.h"

namespace {

using legibility = started_app;

// What is wrong with the drawn texts: two on one line that overlap, or one that leaves the client area.
std::string crowding(win_type& w) {
  RECT client{};
  GetClientRect(w.window, &client);
  std::vector<drawn_item> texts;
  for (const drawn_item& item : record_drawing([&](HDC hdc) { w.draw(hdc); }))
    if (item.shape.rfind("text ", 0) == 0) texts.push_back(item);
  std::string found;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const RECT& a = texts[i].box;
    if (a.left < client.left || a.top < client.top || a.right > client.right || a.bottom > client.bottom)
      found += "leaves: " + texts[i].shape + "\n";
    for (std::size_t j = i + 1; j < texts.size(); ++j) {
      const RECT& b = texts[j].box;
      const long across = std::min(a.right, b.right) - std::max(a.left, b.left);
      const long down = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);  // lines 11 apart share a few rows
      if (across > 0 && 2 * down > std::min(a.bottom - a.top, b.bottom - b.top))
        found += "overlap: " + texts[i].shape + " / " + texts[j].shape + "\n";
    }
  }
  return found;
}

TEST_F(legibility, no_text_overlaps_another_or_leaves_its_window) {
  sim_engine engine(make_night(3, {2024, 3, 30, 7, 0, 0}));
  use_fake_port(&engine);
  command(data_win()->window, IDM_GET_DATA);  // a typical night
  app->show_status("Status", "Getting Somnolux Data...");
  model().image.plot = sum_cues(model().image.records, {0}, series_choice{});
  for (win_type* w :
       std::initializer_list<win_type*>{data_win(), settings_win(), plot_win(), trends_win(), app->status_window.get()})
    EXPECT_EQ(crowding(*w), "") << title(w->window);
}

}  // namespace
