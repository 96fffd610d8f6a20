// Routing of the menu commands to their handlers, and the close and quit sequences with their questions.
#include "test_app.h"

#include "ui/widget_type.h"

namespace {

using routing = app_fixture;

const char* const save_question = "Do you want to save \"%s\" before closing?";

std::string save_text(const char* title) {
  char text[300];
  snprintf(text, sizeof text, save_question, title);
  return text;
}

// Adds a record behind the menus' back, so that a refresh is visible afterwards.
void stale_record(app_type& app) {
  data_window(app)->records.push_back(std::make_unique<data_record>());
  data_window(app)->current_index = 0;
}

TEST_F(routing, ids_a_window_does_not_handle_reach_default_processing) {
  test_app& a = started_app();
  for (int id : {90, 100, 105, 140, 160, 170, 180, 220, 230, 250, 260, 270, 275, 280, 300, 305, 309, 999, 0})
    EXPECT_EQ(plot_window(a)->do_command(id), 0) << id;
  for (int id : {100, 105, 140, 160, 170, 180, 220, 230, 240, 250, 999, 0})
    EXPECT_EQ(settings_window(a)->do_command(id), 0) << id;
  for (int id : {260, 270, 999, 0, 110, 299, 310})
    EXPECT_EQ(data_window(a)->do_command(id), 0) << id;
  EXPECT_EQ(a.link->port_number, 3);  // none of them touched the port
  EXPECT_TRUE(a.dialogs.empty());
  EXPECT_TRUE(a.boxes.empty());
}

TEST_F(routing, commands_marked_refresh_update_every_menu_and_the_others_do_not) {
  test_app& a = started_app();
  a.on_dialog = [](const char*, DLGPROC) -> INT_PTR { return 1; };
  HWND settings = settings_window(a)->window;

  stale_record(a);
  data_window(a)->do_command(IDM_INTERFACE_TIMEOUT);  // no refresh
  data_window(a)->do_command(IDM_IMPORT_DATABASE);    // no refresh
  EXPECT_FALSE(item_enabled(settings, IDM_SHOW_PLOT));
  data_window(a)->do_command(IDM_EXPORT_REPORT);      // refresh
  EXPECT_TRUE(item_enabled(settings, IDM_SHOW_PLOT));

  data_window(a)->records.clear();
  data_window(a)->current_index = -1;
  plot_window(a)->do_command(IDM_COPY);               // refresh
  EXPECT_FALSE(item_enabled(settings, IDM_SHOW_PLOT));

  stale_record(a);
  EXPECT_EQ(settings_window(a)->do_command(IDM_POPUP_BASE + 3), 1);  // no popup owner: still handled
  EXPECT_TRUE(item_enabled(settings, IDM_SHOW_PLOT));
}

struct recording_widget : widget_type {
  recording_widget(win_type* owner) : widget_type(owner, 0, 0, "") {}
  void notify(int value) override { notified.push_back(value); }
  std::vector<int> notified;
};

TEST_F(routing, popup_menu_choices_go_to_the_popup_owner) {
  test_app& a = started_app();
  recording_widget widget(settings_window(a));
  settings_window(a)->popup_owner = &widget;
  command(settings_window(a)->window, IDM_POPUP_BASE + 2);
  command(settings_window(a)->window, IDM_POPUP_BASE);
  EXPECT_EQ(widget.notified, (std::vector<int>{IDM_POPUP_BASE + 2, IDM_POPUP_BASE}));
  settings_window(a)->popup_owner = nullptr;
}

TEST_F(routing, about_from_any_window_opens_the_about_window_and_closes_the_status) {
  test_app& a = started_app();
  for (win_type* w : std::initializer_list<win_type*>{data_window(a), plot_window(a), settings_window(a)}) {
    a.show_status("Status", "Getting Somnolux Data...");
    command(w->window, IDM_ABOUT);
    EXPECT_NE(a.about_window, nullptr);
    EXPECT_EQ(a.status_window, nullptr);
    a.close_about();
  }
}

TEST_F(routing, new_data_window_asks_before_replacing_and_keeps_the_document_on_cancel) {
  test_app& a = started_app();
  HWND old_window = data_window(a)->window;
  a.answers = {IDCANCEL};
  command(old_window, IDM_NEW_DATA);
  ASSERT_EQ(a.boxes.size(), 1u);
  EXPECT_EQ(a.boxes[0].text,
            "This operation will overwite the current data document.  Are you sure you want to proceed?");
  EXPECT_EQ(a.boxes[0].caption, "Warning!");
  EXPECT_EQ(a.boxes[0].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION | MB_TASKMODAL));
  EXPECT_EQ(data_window(a)->window, old_window);

  // From the settings window's menu, confirmed: a fresh document replaces the old one.
  data_window(a)->records.push_back(std::make_unique<data_record>());
  a.answers = {IDOK};
  command(settings_window(a)->window, IDM_NEW_DATA);
  EXPECT_FALSE(IsWindow(old_window));
  EXPECT_EQ(data_window(a)->record_count(), 0);
  EXPECT_EQ(window_title(data_window(a)->window), "Untitled 1");
  EXPECT_FALSE(IsWindowVisible(plot_window(a)->window));

  // From the data window itself: the window that received the command is replaced.
  old_window = data_window(a)->window;
  a.answers = {IDOK};
  command(old_window, IDM_NEW_DATA);
  EXPECT_FALSE(IsWindow(old_window));
  EXPECT_TRUE(IsWindow(data_window(a)->window));
}

TEST_F(routing, new_settings_window_asks_with_its_own_text) {
  test_app& a = started_app();
  HWND old_window = settings_window(a)->window;
  a.answers = {IDOK};
  command(old_window, IDM_NEW_SETTINGS);
  ASSERT_EQ(a.boxes.size(), 1u);
  EXPECT_EQ(a.boxes[0].text,
            "This operation will overwite the current settings document.  Are you sure you want to proceed?");
  EXPECT_FALSE(IsWindow(old_window));
  EXPECT_EQ(window_title(settings_window(a)->window), "Settings 1");

  // Without a settings document nothing is asked.
  a.answers = {IDNO};
  command(settings_window(a)->window, IDM_CLOSE);
  ASSERT_EQ(a.settings_document, nullptr);
  a.boxes.clear();
  command(data_window(a)->window, IDM_NEW_SETTINGS);
  EXPECT_TRUE(a.boxes.empty());
  EXPECT_NE(a.settings_document, nullptr);
}

TEST_F(routing, closing_the_data_window_asks_to_save_and_cancel_keeps_it) {
  test_app& a = started_app();
  HWND w = data_window(a)->window;
  a.answers = {IDCANCEL};
  SendMessageA(w, WM_CLOSE, 0, 0);
  ASSERT_EQ(a.boxes.size(), 1u);
  EXPECT_EQ(a.boxes[0].text, save_text("Untitled 1"));
  EXPECT_EQ(a.boxes[0].caption, "Save before closing?");
  EXPECT_EQ(a.boxes[0].type, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION | MB_TASKMODAL));
  EXPECT_TRUE(IsWindow(w));
  EXPECT_NE(a.data_document, nullptr);

  a.answers = {IDNO};
  command(w, IDM_CLOSE);
  EXPECT_FALSE(IsWindow(w));
  EXPECT_EQ(a.data_document, nullptr);
  EXPECT_FALSE(take_quit());  // the settings document is still open
  EXPECT_FALSE(item_enabled(settings_window(a)->window, IDM_SHOW_DATA));
}

TEST_F(routing, closing_both_windows_ends_the_program_with_code_zero) {
  test_app& a = started_app();
  a.answers = {IDNO, IDNO};
  SendMessageA(data_window(a)->window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(take_quit());
  SendMessageA(settings_window(a)->window, WM_CLOSE, 0, 0);
  EXPECT_EQ(a.settings_document, nullptr);
  EXPECT_EQ(a.run(), 0);

  // And the other way round.
  started_app();
  app->answers = {IDNO, IDNO};
  command(settings_window(*app)->window, IDM_CLOSE);
  EXPECT_FALSE(take_quit());
  command(data_window(*app)->window, IDM_CLOSE);
  int code = -1;
  EXPECT_TRUE(take_quit(&code));
  EXPECT_EQ(code, 0);
}

TEST_F(routing, closing_the_plot_window_only_hides_it) {
  test_app& a = started_app();
  plot_win_type* plot = plot_window(a);
  plot->show();
  ASSERT_TRUE(IsWindowVisible(plot->window));
  SendMessageA(plot->window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(plot->window));
  command(plot->window, IDM_CLOSE);
  EXPECT_EQ(plot_window(a), plot);
  EXPECT_TRUE(a.boxes.empty());
}

TEST_F(routing, quit_asks_data_then_settings_and_cancel_keeps_what_is_left) {
  test_app& a = started_app();
  a.answers = {IDNO, IDCANCEL};
  command(plot_window(a)->window, IDM_QUIT);
  ASSERT_EQ(a.boxes.size(), 2u);
  EXPECT_EQ(a.boxes[0].text, save_text("Untitled 1"));
  EXPECT_EQ(a.boxes[1].text, save_text("Settings 1"));
  EXPECT_EQ(a.data_document, nullptr);
  EXPECT_NE(a.settings_document, nullptr);
  EXPECT_FALSE(take_quit());

  a.boxes.clear();
  a.answers = {IDNO};
  command(settings_window(a)->window, IDM_QUIT);
  EXPECT_EQ(a.boxes.size(), 1u);
  EXPECT_EQ(a.settings_document, nullptr);
  EXPECT_TRUE(take_quit());
}

TEST_F(routing, quit_cancelled_at_the_first_question_closes_nothing) {
  test_app& a = started_app();
  a.answers = {IDCANCEL};
  command(data_window(a)->window, IDM_QUIT);
  EXPECT_EQ(a.boxes.size(), 1u);
  EXPECT_NE(a.data_document, nullptr);
  EXPECT_NE(a.settings_document, nullptr);
  EXPECT_FALSE(take_quit());
}

TEST_F(routing, quit_from_the_settings_window_posts_the_quit_message_once_both_agree) {
  test_app& a = started_app();
  a.answers = {IDNO, IDNO};
  command(settings_window(a)->window, IDM_QUIT);
  int code = -1;
  EXPECT_TRUE(take_quit(&code));
  EXPECT_EQ(code, 0);
  EXPECT_EQ(a.data_document, nullptr);
  EXPECT_EQ(a.settings_document, nullptr);
}

TEST_F(routing, show_window_commands_show_the_windows) {
  test_app& a = started_app();
  command(plot_window(a)->window, IDM_SHOW_DATA);
  EXPECT_TRUE(IsWindowVisible(data_window(a)->window));
  command(data_window(a)->window, IDM_SHOW_SETTINGS);
  EXPECT_TRUE(IsWindowVisible(settings_window(a)->window));

  // An empty plot is not shown: the Plot Records dialog is offered instead.
  command(settings_window(a)->window, IDM_SHOW_PLOT);
  EXPECT_FALSE(IsWindowVisible(plot_window(a)->window));
  plot_window(a)->record_count = 2;
  command(settings_window(a)->window, IDM_SHOW_PLOT);
  EXPECT_TRUE(IsWindowVisible(plot_window(a)->window));

  // Without the documents the commands are still handled and do nothing.
  a.answers = {IDNO};
  command(settings_window(a)->window, IDM_CLOSE);
  EXPECT_EQ(data_window(a)->do_command(IDM_SHOW_SETTINGS), 1);
}

TEST_F(routing, interface_timeout_is_reached_from_the_data_and_settings_windows) {
  test_app& a = started_app();
  a.on_dialog = [](const char*, DLGPROC) -> INT_PTR { return 1; };
  command(data_window(a)->window, IDM_INTERFACE_TIMEOUT);
  command(settings_window(a)->window, IDM_INTERFACE_TIMEOUT);
  command(plot_window(a)->window, IDM_INTERFACE_TIMEOUT);
  EXPECT_EQ(a.dialogs, (std::vector<std::string>{"timeout_dlog", "timeout_dlog"}));
}

TEST_F(routing, open_with_the_dialog_cancelled_changes_nothing) {
  test_app& a = started_app();
  HWND w = data_window(a)->window;
  command(plot_window(a)->window, IDM_OPEN);
  EXPECT_EQ(a.open_dialogs, 1);
  EXPECT_TRUE(a.boxes.empty());
  EXPECT_EQ(data_window(a)->window, w);
}

}  // namespace
