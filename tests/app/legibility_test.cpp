// Every window's texts, with typical and with the widest values, stand apart and inside the window.
#include "sim_night.h"
#include "test_app.h"

namespace {

using legibility = started_app;

// What is wrong with the drawn texts: two on one line that overlap, or one that leaves the client area.
std::string crowding(win_type& w) {
  RECT client{};
  GetClientRect(w.window, &client);
  std::vector<drawn_item> texts;
  for (const drawn_item& item : recorded(w, [&](HDC hdc) { w.draw(hdc); }))
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

TEST_F(legibility, no_text_overlaps_another_or_leaves_its_window_with_typical_or_widest_values) {
  sim_engine engine(make_night(3, {2024, 3, 30, 7, 0, 0}));
  use_fake_port(&engine);
  command(data_win()->window, IDM_GET_DATA);  // a typical night
  model().image.plot = sum_cues(model().image.records, {0}, series_choice{});
  for (const bool widest : {false, true}) {
    if (widest) {
      device_block& b = model().image.data.working_block;
      b.tstamp = pack_date(1997, 12, 28, 21, 15, 1), b.smoded = 0, b.recstarth = 23, b.recstartm = 55, b.mode = 4;
      b.dur = 128, b.cdur = 255, b.intens = 6, b.rate = 6, b.type = 4, b.walarm = b.dalarm = 0, b.delay = 60;
      b.sens = 10, b.wtimeh = b.cstarth = b.cendh = 23, b.wtimem = b.cstartm = b.cendm = 59;
      std::fill(std::begin(b.rem), std::end(b.rem), 0xFF);
      for (int32_t& count : model().image.data.counts) count = 99;
      device_settings& s = app->settings_document->section.settings;
      s.cdur = 255, s.intens = 6, s.rate = 6, s.type = 4, s.delay = 60, s.sens = 10;
      s.wtimeh_edit = s.cstarth_edit = s.cendh_edit = 23, s.wtimem_edit = s.cstartm_edit = s.cendm_edit = 59;
      settings_win()->widgets.set_focus_index(13);  // the longest help text
      plot_sums& plot = model().image.plot;
      plot.record_count = plot.max = 99999;
      std::fill(std::begin(plot.combined), std::end(plot.combined), 99999);
    }
    for (win_type* w : std::initializer_list<win_type*>{data_win(), settings_win(), plot_win()})
      EXPECT_EQ(crowding(*w), "") << title(w->window) << (widest ? ", widest values" : ", typical values");
  }
}

}  // namespace
