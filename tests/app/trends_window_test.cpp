// The Journal Trends window: its bars and how it follows the document.
#include <map>

#include "model/date_stamp.h"
#include "test_app.h"

namespace {

class trends_window : public started_app {
 protected:
  trends_win_type& t() const { return *trends_win(); }
  // A night a day after the one before, with DREAMS and LUCID DREAMS as typed into the Data window.
  void add_night(int32_t dreams, int32_t lucid, int32_t cdur = 10) const {
    device_block b = reset_device_block();
    b.tstamp = pack_date(2001, 1, 1 + model().count(), 8, 0, 1);
    b.recstarth = 23, b.dur = 96, b.cstarth = 22, b.cendh = 6, b.cdur = cdur;
    model().append_night(b);
    model().image.data.counts[journal_count::dreams] = dreams;
    model().image.data.counts[journal_count::ldreams] = lucid;
    model().typed();
  }
};

TEST_F(trends_window, each_bar_stands_as_high_as_its_nights_count_on_the_dreams_axis) {
  const int dreams[] = {3, 7, 4, 9, 1}, lucid[] = {1, 2, 4, 3, 1};
  for (int i = 0; i < 5; ++i) add_night(dreams[i], lucid[i]);
  const std::vector<drawn_item> items = record_drawing([&](HDC hdc) { t().draw(hdc); });
  std::map<COLORREF, std::vector<RECT>> bars;  // by colour, left to right; the base is the lowest bottom
  long base = 0, x1, y1, x2, y2;
  for (const drawn_item& item : items)
    if (std::sscanf(item.shape.c_str(), "rect %ld,%ld %ld,%ld", &x1, &y1, &x2, &y2) == 4) {
      bars[item.pen].push_back({x1, y1, x2, y2});
      if (item.pen == trends_win_type::dreams_colour) base = std::max(base, y2);
    }
  std::map<long, long> label_y;  // the axis' value labels left of the first bar: value to height
  for (const drawn_item& item : items) {
    const std::string text = item.shape.rfind("text ", 0) == 0 ? texts_of({item})[0] : "";
    if (!text.empty() && std::isdigit(static_cast<unsigned char>(text[0])) && item.box.top < base &&
        item.box.right <= bars[trends_win_type::dreams_colour].at(0).left)
      label_y[std::stol(text)] = item.box.top;
  }
  const auto [top, top_y] = *label_y.rbegin();
  const double pixels_per_count = double(label_y.at(0) - top_y) / double(top);
  for (const auto& [colour, values] :
       {std::pair{trends_win_type::dreams_colour, dreams}, {trends_win_type::lucid_colour, lucid}}) {
    std::vector<RECT> standing;
    for (const RECT& bar : bars[colour])
      if (bar.bottom == base) standing.push_back(bar);
    ASSERT_EQ(standing.size(), 5u);
    for (int i = 0; i < 5; ++i)
      EXPECT_NEAR(base - standing[i].top, values[i] * pixels_per_count, 1.0) << colour << " " << i;
  }
}

TEST_F(trends_window, follows_downloads_typing_deleting_and_other_documents) {
  const std::pair<std::function<void()>, const char*> rows[] = {
      // DREAMS/LUCID DREAMS of each night
      {[&] { command(data_win()->window, IDM_SHOW_TRENDS); }, ""},
      {[&] { add_night(0, 0); }, "0/0 "},
      {[&] { type_chars(data_win()->window, "4"); }, "4/0 "},
      {[&] { add_night(2, 1); }, "4/0 2/1 "},
      {[&] { data_win()->widgets.reset_focus(), type_chars(data_win()->window, "3"); }, "4/0 3/1 "},
      {[&] { io->answers = {IDOK}, command(data_win()->window, IDM_DELETE_RECORD); }, "4/0 "},
      {[&] { io->answers = {IDOK}, command(data_win()->window, IDM_NEW_DATA); }, ""},
  };
  for (const auto& [act, nights] : rows) {
    ValidateRect(t().window, nullptr);
    act();
    std::string seen;
    for (const trend_night& n : t().trends().nights) seen += text_of("%d/%d ", n.dreams, n.lucid);
    EXPECT_EQ(seen, nights);
    EXPECT_TRUE(IsWindowVisible(t().window)) << nights;
    EXPECT_TRUE(GetUpdateRect(t().window, nullptr, FALSE)) << nights << ": not redrawn";
  }
  command(t().window, IDM_CLOSE);
  EXPECT_TRUE(!IsWindowVisible(t().window) && data_win()) << "closing only hides it";
}

}  // namespace
