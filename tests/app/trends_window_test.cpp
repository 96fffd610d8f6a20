// The Journal Trends window: Copy, Export Report and Print, and how it follows the document.
#include "../ui/emf_recording.h"
#include "model/date_stamp.h"
#include "test_app.h"

namespace {

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
};

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
  for (const std::string& shape : shapes_of(printer->drawn))
    if (shape.rfind("text ", 0) == 0) printed += shape.substr(5, shape.rfind(' ') - 5) + "|";
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
