// Routing of the menu commands to their handlers, and the new, close and quit sequences with their questions.
#include "test_app.h"

#include "ui/widget_type.h"

namespace {

using routing = app_fixture;

std::string save_question(const char* name) {
  return "Do you want to save \"" + std::string(name) + "\" before closing?";
}

struct recording_widget : widget_type {
  explicit recording_widget(win_type* owner) : widget_type(owner, 0, 0, "") {}
  void notify(int value) override { notified.push_back(value); }
  std::vector<int> notified;
};

TEST_F(routing, handled_commands_refresh_every_menu_unless_they_leave_it_to_others_and_the_rest_go_by) {
  app_type& a = start_app();
  const std::tuple<win_type*, std::vector<int>, std::vector<int>, std::vector<int>> rows[] = {
      {data_win(),
       {10, 60, 70, 90, 100, 120, 140, 150, 160, 170, 180, 190, 200, 210, 220, 230, 240, 250, 275, 290, 303, 10000},
       {105, 280},
       {260, 270, 999, 0, 110, 299, 310}},
      {plot_win(),
       {150, 240, 10001},
       {},
       {90, 100, 105, 140, 160, 170, 180, 220, 230, 250, 260, 270, 275, 280, 290, 300, 309, 999, 0}},
      {settings_win(),
       {60, 70, 90, 150, 260, 270, 275, 290, 302, 10002},
       {280},
       {100, 105, 140, 160, 170, 180, 220, 230, 240, 250, 999, 0}}};
  for (const auto& row : rows)  // left to default processing
    for (int id : std::get<3>(row)) EXPECT_FALSE(std::get<0>(row)->do_command(id)) << id;
  EXPECT_TRUE(a.link()->port_number == 3 && io->dialogs.empty() && io->boxes.empty());
  use_fake_port();
  io->on_dialog = [](const std::string&, LPARAM) -> INT_PTR { return 1; };
  for (const auto& [window, refreshing, not_refreshing, unhandled] : rows)
    for (bool refresh : {true, false})
      for (int id : refresh ? refreshing : not_refreshing) {
        add_records();             // behind the menus' back: only a refresh enables Show Plot Window
        io->answers = {IDCANCEL};  // the record stays when Delete Record asks
        EXPECT_TRUE(window->do_command(id)) << id;
        EXPECT_EQ(enabled(settings_win()->window, IDM_SHOW_PLOT), refresh) << id;
        model().image.records.clear();
        model().current = -1;
        a.update_all_menus();
      }
  EXPECT_EQ(io->dialogs, (std::vector<std::string>{"export_records_dlog", "plot_records_dlog", "show_record_dlog",
                                                   "plot_records_dlog", "default_port", "timeout_dlog",
                                                   "plot_records_dlog", "default_port", "timeout_dlog"}));

  recording_widget widget(settings_win());  // popup menu choices go to the popup owner
  settings_win()->popup_owner = &widget;
  command(settings_win()->window, IDM_POPUP_BASE + 2);
  command(settings_win()->window, IDM_POPUP_BASE);
  settings_win()->popup_owner = nullptr;
  EXPECT_EQ(widget.notified, (std::vector<int>{IDM_POPUP_BASE + 2, IDM_POPUP_BASE}));
}

TEST_F(routing, new_document_asks_before_replacing_and_keeps_the_old_one_on_cancel) {
  app_type& a = start_app();
  const std::tuple<int, std::function<win_type*()>, const char*, const char*> rows[] = {
      {IDM_NEW_DATA, [&] { return data_win(); }, "data", "Untitled 1"},
      {IDM_NEW_SETTINGS, [&] { return settings_win(); }, "settings", "Settings 1"}};
  for (const auto& [id, window, kind, new_title] : rows) {
    io->boxes.clear();
    const HWND old_window = window()->window;
    SetWindowTextA(old_window, "changed");
    io->answers = {IDCANCEL, IDOK};
    command(plot_win()->window, id);
    EXPECT_EQ(window()->window, old_window);
    command(old_window, id);  // the window that receives the command is replaced
    ASSERT_EQ(io->boxes.size(), 2u);
    EXPECT_EQ(io->boxes[0].text, "This operation will overwite the current " + std::string(kind) +
                                     " document.  Are you sure you want to proceed?");
    EXPECT_EQ(io->boxes[0].caption, "Warning!");
    EXPECT_EQ(io->boxes[0].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION | MB_TASKMODAL));
    EXPECT_FALSE(IsWindow(old_window));
    EXPECT_EQ(title(window()->window), new_title);
  }
  EXPECT_FALSE(IsWindowVisible(plot_win()->window));
  io->answers = {IDNO};
  command(settings_win()->window, IDM_CLOSE);
  io->boxes.clear();
  command(data_win()->window, IDM_NEW_SETTINGS);  // nothing to replace: nothing asked
  EXPECT_TRUE(io->boxes.empty());
  EXPECT_NE(a.settings_document, nullptr);
}

TEST_F(routing, closing_asks_to_save_and_closing_both_windows_in_either_order_ends_the_program) {
  for (bool data_first : {true, false}) {
    start_app();
    HWND first = data_win()->window, second = settings_win()->window;
    if (!data_first) std::swap(first, second);
    io->answers = {IDCANCEL, IDNO, IDNO};
    SendMessageA(first, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(first));
    command(first, IDM_CLOSE);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_FALSE(take_quit());
    EXPECT_FALSE(enabled(second, data_first ? IDM_SHOW_DATA : IDM_SHOW_SETTINGS));
    SendMessageA(second, WM_CLOSE, 0, 0);
    ASSERT_EQ(io->boxes.size(), 3u);
    EXPECT_EQ(io->boxes[0].text, save_question(data_first ? "Untitled 1" : "Settings 1"));
    EXPECT_EQ(io->boxes[0].caption, "Save before closing?");
    EXPECT_EQ(io->boxes[0].type, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION | MB_TASKMODAL));
    EXPECT_EQ(io->boxes[2].text, save_question(data_first ? "Settings 1" : "Untitled 1"));
    int code = -1;
    EXPECT_TRUE(take_quit(&code));
    EXPECT_EQ(code, 0);
  }
}

TEST_F(routing, quit_asks_data_then_settings_and_a_cancel_keeps_what_is_left) {
  const std::tuple<std::deque<int>, size_t, bool, bool> rows[] = {
      {{IDCANCEL}, 1, true, true}, {{IDNO, IDCANCEL}, 2, false, true}, {{IDNO, IDNO}, 2, false, false}};
  for (const auto& [answers, questions, data_left, settings_left] : rows) {
    app_type& a = start_app();
    io->answers = answers;
    command(plot_win()->window, IDM_QUIT);
    ASSERT_EQ(io->boxes.size(), questions);
    EXPECT_EQ(io->boxes[0].text, save_question("Untitled 1"));
    EXPECT_EQ(io->boxes.back().text, save_question(questions == 2 ? "Settings 1" : "Untitled 1"));
    EXPECT_EQ(a.data_document != nullptr, data_left);
    EXPECT_EQ(a.settings_document != nullptr, settings_left);
    EXPECT_EQ(take_quit(), !settings_left);
    if (settings_left && !data_left) {
      EXPECT_FALSE(enabled(settings_win()->window, IDM_SHOW_DATA));  // the menus followed
    }
  }
}

TEST_F(routing, show_commands_show_the_windows_but_neither_an_empty_plot_nor_closing_it_destroys_anything) {
  start_app();
  command(plot_win()->window, IDM_SHOW_DATA);
  command(data_win()->window, IDM_SHOW_SETTINGS);
  command(settings_win()->window, IDM_SHOW_PLOT);  // nothing plotted: the Plot Records dialog instead
  EXPECT_TRUE(IsWindowVisible(data_win()->window) && IsWindowVisible(settings_win()->window));
  EXPECT_FALSE(IsWindowVisible(plot_win()->window));
  model().image.plot.record_count = 2;
  command(settings_win()->window, IDM_SHOW_PLOT);
  EXPECT_TRUE(IsWindowVisible(plot_win()->window));
  SendMessageA(plot_win()->window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(plot_win()->window));
  plot_win()->show();
  command(plot_win()->window, IDM_CLOSE);
  EXPECT_FALSE(IsWindowVisible(plot_win()->window));
  EXPECT_EQ(model().image.plot.record_count, 2);
  EXPECT_TRUE(io->boxes.empty());

  io->answers = {IDNO};
  command(settings_win()->window, IDM_CLOSE);
  EXPECT_TRUE(data_win()->do_command(IDM_SHOW_SETTINGS));  // handled without the document
}

}  // namespace
