// Closing, quitting, saving and reverting the documents, and where a saved window stands.
#include "model/doc_file.h"
#include "test_app.h"

namespace {

using documents = app_fixture;

// Each way of closing with the answers to "Save before closing?", and what is left afterwards.
TEST_F(documents, close_and_quit_ask_to_save_and_a_cancel_or_a_save_that_did_not_happen_keeps_the_document) {
  const auto quit = [&] { command(plot_win()->window, IDM_QUIT); };
  const auto close_box = [&] { SendMessageA(data_win()->window, WM_CLOSE, 0, 0); };
  const auto both_boxes = [&] {
    SendMessageA(settings_win()->window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(take_quit());
    close_box();
  };
  const struct {
    std::deque<int> answers;
    const char* save_as;  // the file chosen when Yes saves a new document: "" cancels, full.sl1 fills the disk
    std::function<void()> close;
    const char *asked, *left;  // the questions and messages; the documents left, or quit
  } rows[] = {
      {{IDCANCEL}, "", quit, "Untitled 1", "data settings"},
      {{IDNO, IDCANCEL}, "", quit, "Untitled 1, Settings 1", "settings"},
      {{IDNO, IDNO}, "", quit, "Untitled 1, Settings 1", "quit"},
      {{IDYES}, "", quit, "Untitled 1", "data settings"},
      {{IDYES}, "full.sl1", quit, "Untitled 1, Couldn't save file.", "data settings"},
      {{IDCANCEL}, "", close_box, "Untitled 1", "data settings"},
      {{IDNO, IDNO}, "", both_boxes, "Settings 1, Untitled 1", "quit"},
      {{IDYES}, "kept.sl1", [&] { command(data_win()->window, IDM_CLOSE); }, "Untitled 1", "settings"},
  };
  for (const auto& row : rows) {
    start_app();
    io->answers = row.answers;
    io->save_name = row.save_as;
    save_fault_after_bytes = io->save_name == "full.sl1" ? 0 : -1;
    row.close();
    save_fault_after_bytes = -1;
    std::string asked, left = take_quit() ? "quit" : "";
    for (const box_record& box : io->boxes) {           // the document a question names, or a message's first line
      const std::size_t from = box.text.find('"') + 1;  // 0 without a quote
      asked += (asked.empty() ? "" : ", ") + box.text.substr(from, box.text.find(from ? '"' : '\n', from) - from);
    }
    if (app->data_document) left += "data ";
    if (app->settings_document) left += "settings";
    EXPECT_EQ(asked, row.asked);
    EXPECT_EQ(left.substr(0, left.find_last_not_of(' ') + 1), row.left) << row.asked;
  }
  EXPECT_FALSE(read_file("kept.sl1").empty());
  EXPECT_FALSE(std::filesystem::exists("full.sl1"));
}

TEST_F(documents, save_as_proposes_the_title_and_titles_the_window_with_the_chosen_name) {
  start_app();
  for (const auto& [window, name, proposal, title_after] :
       {std::tuple<win_type*, const char*, const char*, const char*>{data_win(), "monday.sl1", "Untitled 1.sl1",
                                                                     "monday"},
        {settings_win(), "quiet.SL2", "Settings 1.sl2", "quiet"}}) {
    io->save_name = name;
    command(window->window, IDM_SAVE);  // without a file yet: Save As
    EXPECT_EQ(io->file_dialogs.back(), proposal);
    EXPECT_EQ(title(window->window), title_after);
  }
}

TEST_F(documents, a_minimised_window_is_saved_where_it_stood_before) {
  start_app(SW_SHOWNORMAL);
  MoveWindow(data_win()->window, 130, 40, 552, 265, TRUE);
  ShowWindow(data_win()->window, SW_MINIMIZE);
  io->save_name = "small.sl1";
  command(data_win()->window, IDM_SAVE);
  const window_rect& saved = model().image.data_rect;
  EXPECT_EQ(text_of("%d,%d %d,%d", saved.left, saved.top, saved.right, saved.bottom), "130,40 682,305");
}

}  // namespace
