// The Journal Trends window: its chart and table read back from a metafile, Copy, Export Report and
// Print, and how it follows the document.
#include "../ui/emf_recording.h"
#include "model/date_stamp.h"
#include "test_app.h"

namespace {

struct box {
  long left, top, right, bottom;
};

class trends_window : public started_app {
 protected:
  trends_win_type& t() const { return *trends_win(); }
  // A night on day `day` (distinct days give distinct dates) with CDUR `cdur`, DREAMS and LUCID
  // DREAMS as typed into the Data window.
  void add_night(int32_t dreams, int32_t lucid, int32_t cdur = 10, int day = 0) const {
    device_block b = reset_device_block();
    b.tstamp = pack_date(2001 + day / 336, 1 + day / 28 % 12, 1 + day % 28, 8, 0, 1);
    b.recstarth = 23, b.dur = 96, b.cstarth = 22, b.cendh = 6;
    b.rem[0] = static_cast<uint8_t>(day % 7);  // a few cues
    b.cdur = cdur;
    model().append_night(b);
    model().image.data.counts[journal_count::dreams] = dreams;
    model().image.data.counts[journal_count::ldreams] = lucid;
    model().typed();
  }
  std::vector<drawn_item> drawing() const {
    return record_drawing([&](HDC hdc) { t().draw(hdc); });
  }
};

std::vector<box> rects_in(const std::vector<drawn_item>& items, COLORREF pen) {
  std::vector<box> found;
  for (const drawn_item& item : items) {
    box b{};
    if (item.pen == pen &&
        std::sscanf(item.shape.c_str(), "rect %ld,%ld %ld,%ld", &b.left, &b.top, &b.right, &b.bottom) == 4)
      found.push_back(b);
  }
  return found;
}

// The line the bars stand on: the lowest that any of them reaches (the legend's samples stand higher).
long base_of(const std::vector<drawn_item>& items) {
  long base = 0;
  for (COLORREF pen : {trends_win_type::dreams_colour, trends_win_type::lucid_colour})
    for (const box& b : rects_in(items, pen)) base = std::max(base, b.bottom);
  return base;
}

// The bars of one colour, left to right.
std::vector<box> bars_in(const std::vector<drawn_item>& items, COLORREF pen) {
  std::vector<box> bars;
  for (const box& b : rects_in(items, pen))
    if (b.bottom == base_of(items)) bars.push_back(b);
  return bars;
}

// The texts with their boxes in the window's font.
std::vector<std::pair<std::string, box>> texts_in(const std::vector<drawn_item>& items, const win_type& w) {
  std::vector<std::pair<std::string, box>> texts;
  for (const drawn_item& item : items) {
    if (item.shape.rfind("text ", 0) != 0) continue;
    const std::size_t at = item.shape.rfind(' ');
    const std::string text = item.shape.substr(5, at - 5);
    long x = 0, y = 0;
    std::sscanf(item.shape.c_str() + at + 1, "%ld,%ld", &x, &y);
    const SIZE size = text_size(w, text);
    texts.push_back({text, {x, y, x + size.cx, y + size.cy}});
  }
  return texts;
}

// "clipped: ..." and "overlap: ... / ..." for each fault of the texts in a client area of that size.
std::string text_faults(const std::vector<std::pair<std::string, box>>& texts, long width, long height) {
  std::string faults;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const auto& [text, b] = texts[i];
    if (b.left < 0 || b.top < 0 || b.right > width || b.bottom > height) faults += "clipped: " + text + "\n";
    for (std::size_t j = i + 1; j < texts.size(); ++j) {
      const box& o = texts[j].second;
      if (b.left < o.right && o.left < b.right && b.top < o.bottom && o.top < b.bottom)
        faults += "overlap: " + text + " / " + texts[j].first + "\n";
    }
  }
  return faults;
}

TEST_F(trends_window, bars_marks_and_buckets_are_drawn_and_no_text_is_clipped_or_overlaps) {
  const struct {
    const char* situation;
    std::function<void()> nights;
    int width, height;  // 0: the window's first size
    std::function<void(const std::vector<drawn_item>&)> check;
  } rows[] = {{"five nights, the settings changed before the third and the fifth",
               [&] {
                 const int dreams[] = {4, 0, 2, 3, 1}, lucid[] = {1, 0, 2, 0, 1}, cdur[] = {10, 10, 20, 20, 10};
                 for (int i = 0; i < 5; ++i) add_night(dreams[i], lucid[i], cdur[i], i);
               },
               0, 0,
               [&](const std::vector<drawn_item>& items) {
                 const long base = base_of(items);
                 const std::vector<box> dreams = bars_in(items, trends_win_type::dreams_colour);
                 const std::vector<box> lucid = bars_in(items, trends_win_type::lucid_colour);
                 ASSERT_EQ(dreams.size(), 4u);  // none for the night without dreams
                 ASSERT_EQ(lucid.size(), 3u);
                 // Heights in proportion to the counts; each lucid bar over its night's dreams bar.
                 const double unit = static_cast<double>(base - dreams[0].top) / 4;
                 const std::pair<const box*, int> heights[] = {{&dreams[0], 4}, {&dreams[1], 2}, {&dreams[2], 3},
                                                               {&dreams[3], 1}, {&lucid[0], 1},  {&lucid[1], 2},
                                                               {&lucid[2], 1}};
                 for (const auto& [bar, count] : heights) EXPECT_NEAR(base - bar->top, count * unit, 1.0) << count;
                 for (const auto& [l, d] : {std::pair{0, 0}, {1, 1}, {2, 3}})
                   EXPECT_TRUE(lucid[l].left == dreams[d].left && lucid[l].right == dreams[d].right) << l;
                 for (std::size_t i = 1; i < dreams.size(); ++i) EXPECT_GT(dreams[i].left, dreams[i - 1].right);
                 std::string marks;  // under which bars
                 for (const drawn_item& item : items) {
                   long x1, y1, x2, y2;
                   if (item.pen != trends_win_type::change_colour ||
                       std::sscanf(item.shape.c_str(), "line %ld,%ld %ld,%ld", &x1, &y1, &x2, &y2) != 4 || y1 <= base)
                     continue;
                   for (std::size_t i = 0; i < dreams.size(); ++i)
                     if (x1 >= dreams[i].left && x1 < dreams[i].right) marks += std::to_string(i) + " ";
                 }
                 EXPECT_EQ(marks, "1 3 ");  // the dreams bars of the third and the fifth night
                 EXPECT_EQ(rects_in(items, trends_win_type::cues_colour).size(), 6u)
                     << "a point a night and the legend's";
                 int table_columns = 0;  // the last four columns' headings end in PER NIGHT: every column shows
                 for (const auto& [text, b] : texts_in(items, t())) table_columns += text == "PER NIGHT";
                 EXPECT_EQ(table_columns, 4);
               }},
              {"400 nights in a narrow window: equal buckets with their first dates",
               [&] {
                 for (int i = 0; i < 400; ++i) add_night(2 + i % 2, 1, 10, i);
               },
               420, 330,
               [&](const std::vector<drawn_item>& items) {
                 std::vector<std::string> labels;
                 int nights = 0, per_column = 0;
                 for (const auto& [text, b] : texts_in(items, t())) {
                   int n = 0, k = 0;
                   if (std::sscanf(text.c_str(), "%d night(s), %d to a column", &n, &k) == 2)
                     nights = n, per_column = k;
                   if (text.size() == 8 && text[2] == '/') labels.push_back(text);
                 }
                 ASSERT_EQ(nights, 400);
                 ASSERT_GT(per_column, 1);
                 long left = LONG_MAX, right = 0;  // the bars' span: no more than 3 pixels a column would fit
                 const std::vector<box> bars = bars_in(items, trends_win_type::dreams_colour);
                 for (const box& b : bars) left = std::min(left, b.left), right = std::max(right, b.right);
                 EXPECT_EQ(static_cast<int>(bars.size()), (400 + per_column - 1) / per_column);
                 EXPECT_GT(400 * 3, right - left);
                 for (std::size_t i = 1; i < bars.size(); ++i) EXPECT_GT(bars[i].left, bars[i - 1].right - 1);
                 const journal_trends& all = t().trends();
                 ASSERT_GT(labels.size(), 2u);
                 for (const std::string& label : labels) {
                   int first = -1;
                   for (std::size_t i = 0; i < all.nights.size() && first < 0; ++i)
                     if (all.nights[i].date == label) first = static_cast<int>(i);
                   EXPECT_EQ(first % per_column, 0) << label;
                 }
               }},
              {"forty settings in a small window: the table ends tidily",
               [&] {
                 for (int i = 0; i < 40; ++i) add_night(i % 3, i % 2, i, i);
               },
               380, 300,
               [&](const std::vector<drawn_item>& items) {
                 const auto texts = texts_in(items, t());
                 box cdur{};
                 for (const auto& [text, b] : texts)
                   if (text == "CDUR") cdur = b;
                 int more = 0, rows = 0;  // the rows: CDUR's column under its heading
                 for (const auto& [text, b] : texts) {
                   if (text.ends_with(" more combination(s) not shown")) more = std::atoi(text.c_str());
                   rows += b.right == cdur.right && b.top > cdur.top;
                 }
                 EXPECT_GT(rows, 0);
                 EXPECT_EQ(more + rows, 40);
               }},
              {"no nights", [] {}, 0, 0,
               [&](const std::vector<drawn_item>& items) {
                 EXPECT_TRUE(rects_in(items, trends_win_type::dreams_colour).size() == 1u) << "the legend's only";
                 EXPECT_EQ(texts_in(items, t()).front().first, "0 night(s)");
               }}};
  RECT first{};
  GetClientRect(t().window, &first);
  for (const auto& row : rows) {
    app->create_data_doc();
    row.nights();
    if (row.width) size_client(t().window, row.width, row.height);
    RECT client{};
    GetClientRect(t().window, &client);
    const std::vector<drawn_item> items = drawing();
    row.check(items);
    EXPECT_EQ(text_faults(texts_in(items, t()), client.right, client.bottom), "") << row.situation;
  }
  EXPECT_GT(first.right, 640) << "legible at the first size";
}

TEST_F(trends_window, copy_export_report_and_print_give_the_trends_of_every_night) {
  add_night(3, 1, 10, 0);
  add_night(5, 2, 20, 1);
  model().switch_to(0);
  type_chars(data_win()->window, "7");  // DREAMS of the first night, typed
  model().store();
  const std::string text = trends_text(compute_trends(model().image.records));
  ASSERT_NE(text.find("1\t01/01/01\t7\t1\t"), std::string::npos) << text;

  command(t().window, IDM_COPY);
  ASSERT_TRUE(OpenClipboard(nullptr));
  const auto* copied = static_cast<const char*>(GlobalLock(GetClipboardData(CF_TEXT)));
  const std::string on_clipboard = copied ? copied : "";
  GlobalUnlock(GetClipboardData(CF_TEXT));
  BITMAP chart{};
  const int got_chart = GetObjectA(GetClipboardData(CF_BITMAP), sizeof chart, &chart);
  CloseClipboard();
  EXPECT_EQ(on_clipboard, text);
  RECT client{};
  GetClientRect(t().window, &client);
  EXPECT_TRUE(got_chart && chart.bmWidth == client.right && chart.bmHeight > client.bottom / 2 &&
              chart.bmHeight < client.bottom);

  io->save_name = "trends.txt";
  command(t().window, IDM_EXPORT_REPORT);
  EXPECT_EQ(io->file_dialogs.back(), "Save Report: SomnReport.txt | Somnolux Report (*.TXT) | txt");
  EXPECT_EQ(read_file("trends.txt"), text);

  printer->answer = 1;
  command(t().window, IDM_PRINT);
  EXPECT_EQ(printer->calls, "choose|doc Journal Trends+|page+|end page+|end doc+|release|");
  std::string printed;
  for (const auto& [shown, b] : texts_in(printer->drawn, t())) printed += shown + "|";
  for (const char* expected :
       {"2 night(s)|", "|DREAMS|", "|SETTINGS, MOST LUCID DREAMS PER NIGHT FIRST|", "|2.00|", "|1.00|"})
    EXPECT_NE(printed.find(expected), std::string::npos) << expected << " in " << printed;
}

TEST_F(trends_window, follows_downloads_typing_switching_deleting_and_other_documents) {
  data_win_type* data = data_win();
  const struct {
    const char* step;
    std::function<void()> act;
    const char* nights;  // DREAMS/LUCID DREAMS of each night
  } rows[] = {
      {"Show Journal Trends", [&] { command(data->window, IDM_SHOW_TRENDS); }, ""},
      {"a download", [&] { add_night(0, 0); }, "0/0 "},
      {"typed DREAMS", [&] { type_chars(data->window, "4"); }, "4/0 "},
      {"another download", [&] { add_night(2, 1); }, "4/0 2/1 "},
      {"typed again",
       [&] {
         data->widgets.reset_focus();  // DREAMS afresh
         type_chars(data->window, "3");
       },
       "4/0 3/1 "},
      {"the left arrow", [&] { key_down(data->window, VK_LEFT); }, "4/0 3/1 "},
      {"deleted", [&] { io->answers = {IDOK}, command(data->window, IDM_DELETE_RECORD); }, "3/1 "},
      {"saved, a night more, reverted",
       [&] {
         io->save_name = "kept.sl1";
         command(data->window, IDM_SAVE_AS);
         add_night(9, 9);
         io->answers = {IDOK};
         command(data->window, IDM_REVERT);
       },
       "3/1 "},
      {"a new document", [&] { io->answers = {IDOK}, command(data_win()->window, IDM_NEW_DATA); }, ""},
  };
  for (const auto& row : rows) {
    if (trends_win()) ValidateRect(t().window, nullptr);
    row.act();
    data = data_win();
    std::string nights;
    for (const trend_night& n : t().trends().nights) nights += text_of("%d/%d ", n.dreams, n.lucid);
    EXPECT_EQ(nights, row.nights) << row.step;
    EXPECT_TRUE(IsWindowVisible(t().window)) << row.step;
    EXPECT_TRUE(GetUpdateRect(t().window, nullptr, FALSE)) << row.step << ": not redrawn";
  }
  command(t().window, IDM_CLOSE);
  EXPECT_TRUE(!IsWindowVisible(t().window) && data_win()) << "closing only hides it";
}

}  // namespace
