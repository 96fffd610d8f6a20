// Start-up of the application: with and without a preferences file, the picture, the windows.
#include "test_app.h"

namespace {

using startup = app_fixture;

TEST_F(startup, with_a_preferences_file_opens_both_documents_and_asks_nothing) {
  write_prefs("port = COM7\n");
  app = std::make_unique<test_app>();
  bool docs_during_picture = false;
  int picture_width = 0;
  app->on_wait = [&] {
    docs_during_picture = app->data_document && app->settings_document;
    if (app->about_window) {
      BITMAP info{};
      GetObjectA(app->about_window->bitmap, sizeof info, &info);
      picture_width = info.bmWidth;
    }
  };
  app->start();

  EXPECT_EQ(app->waits, std::vector<int>{1000});
  EXPECT_TRUE(docs_during_picture);
  EXPECT_EQ(picture_width, 265);
  EXPECT_EQ(app->about_window, nullptr);  // removed after the pause
  EXPECT_TRUE(app->dialogs.empty());
  EXPECT_TRUE(app->boxes.empty());
  EXPECT_FALSE(take_quit());
  EXPECT_EQ(app->link->port_number, 7);
  EXPECT_EQ(app->link->timeout_choice, 0);
  EXPECT_STREQ(app->version, "W95 Nightglow v1.1");
  EXPECT_EQ(app->show_new_windows, 1);

  EXPECT_EQ(window_title(data_window(*app)->window), "Untitled 1");
  EXPECT_EQ(window_title(plot_window(*app)->window), "Multi-Record Cue Plot");
  EXPECT_EQ(window_title(settings_window(*app)->window), "Settings 1");
  EXPECT_FALSE(IsWindowVisible(plot_window(*app)->window));
  EXPECT_TRUE(item_checked(data_window(*app)->window, IDM_COM1 + 6));
  EXPECT_TRUE(item_checked(settings_window(*app)->window, IDM_COM1 + 6));
}

TEST_F(startup, without_preferences_asks_for_a_port_after_the_picture_and_remembers_it) {
  app = std::make_unique<test_app>();
  bool picture_gone = false;
  app->on_dialog = [&](const char* name, DLGPROC) -> INT_PTR {
    picture_gone = app->about_window == nullptr && app->waits.size() == 1;
    EXPECT_STREQ(name, "default_port");
    EXPECT_EQ(dialog_port_number, 1);
    dialog_port_number = 4;
    return 1;
  };
  app->start();

  EXPECT_EQ(app->dialogs, std::vector<std::string>{"default_port"});
  EXPECT_TRUE(picture_gone);
  EXPECT_EQ(app->link->port_number, 4);
  EXPECT_EQ(read_file("somnprefs.txt"), "port = COM4\r\n");  // text mode
  EXPECT_TRUE(item_checked(data_window(*app)->window, IDM_COM1 + 3));
  EXPECT_FALSE(take_quit());

  // The next start finds the port and asks nothing.
  app.reset();
  app = std::make_unique<test_app>();
  app->start();
  EXPECT_TRUE(app->dialogs.empty());
  EXPECT_EQ(app->link->port_number, 4);
}

TEST_F(startup, quit_program_in_the_port_dialog_ends_the_loop_at_once) {
  write_prefs("port = COM0\n");  // no usable port
  const std::string before = read_file("somnprefs.txt");
  app = std::make_unique<test_app>();
  app->on_dialog = [](const char*, DLGPROC) -> INT_PTR { return 2; };
  app->start();

  // Construction completes: both documents exist, nothing was written.
  EXPECT_NE(app->data_document, nullptr);
  EXPECT_NE(app->settings_document, nullptr);
  EXPECT_EQ(read_file("somnprefs.txt"), before);
  EXPECT_EQ(app->link->port_number, 0);
  EXPECT_EQ(app->run(), 0);
  EXPECT_TRUE(app->boxes.empty());
}

TEST_F(startup, unwritable_preferences_are_reported_and_the_port_still_applies) {
  ASSERT_TRUE(CreateDirectoryA("somnprefs.txt", nullptr));  // cannot be opened as a file
  app = std::make_unique<test_app>();
  app->on_dialog = [](const char*, DLGPROC) -> INT_PTR {
    dialog_port_number = 2;
    return 1;
  };
  app->start();

  ASSERT_EQ(app->boxes.size(), 1u);
  EXPECT_EQ(app->boxes[0].text, "Couldn't create preferences file.");
  EXPECT_EQ(app->boxes[0].caption, "Message");
  EXPECT_EQ(app->boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL));
  EXPECT_EQ(app->link->port_number, 2);
  EXPECT_FALSE(take_quit());
}

TEST_F(startup, shift_held_shows_the_second_picture) {
  write_prefs("port = COM1\n");
  BYTE keys[256];
  GetKeyboardState(keys);
  BYTE held[256];
  std::copy(std::begin(keys), std::end(keys), std::begin(held));
  held[VK_SHIFT] = 0x80;
  SetKeyboardState(held);

  app = std::make_unique<test_app>();
  int width = 0, height = 0;
  RECT frame{};
  app->on_wait = [&] {
    BITMAP info{};
    GetObjectA(app->about_window->bitmap, sizeof info, &info);
    width = info.bmWidth;
    height = info.bmHeight;
    GetWindowRect(app->about_window->window, &frame);
  };
  app->start();
  SetKeyboardState(keys);

  EXPECT_EQ(width, 365);
  EXPECT_EQ(height, 311);
  EXPECT_EQ(frame.right - frame.left, 370);
  EXPECT_EQ(frame.bottom - frame.top, 331);
}

TEST_F(startup, windows_have_their_classes_rectangles_styles_and_menus) {
  test_app& a = started_app();
  struct expected {
    HWND window;
    const char* class_name;
    RECT rect;  // x, y, width, height
    DWORD style;
  };
  const DWORD fixed = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  const expected windows[] = {
      {data_window(a)->window, "data_win_type", {100, 25, 552, 265}, fixed},
      {plot_window(a)->window, "plot_win_type", {200, 100, 500, 325}, WS_OVERLAPPEDWINDOW},
      {settings_window(a)->window, "settings_win_type", {100, 295, 552, 177}, fixed},
  };
  for (const expected& e : windows) {
    SCOPED_TRACE(e.class_name);
    EXPECT_EQ(class_of(e.window), e.class_name);
    RECT r;
    GetWindowRect(e.window, &r);
    EXPECT_EQ(r.left, e.rect.left);
    EXPECT_EQ(r.top, e.rect.top);
    EXPECT_EQ(r.right - r.left, e.rect.right);
    EXPECT_EQ(r.bottom - r.top, e.rect.bottom);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(e.window, GWL_STYLE));
    EXPECT_EQ(style & (WS_OVERLAPPEDWINDOW), e.style);
    EXPECT_EQ(GetWindowLongPtrA(e.window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_NE(GetMenu(e.window), nullptr);
    EXPECT_NE(GetClassLongPtrA(e.window, GCLP_HICON), 0);
  }
  // Every window has its own menu instance.
  EXPECT_NE(GetMenu(data_window(a)->window), GetMenu(settings_window(a)->window));
  EXPECT_EQ(data_window(a)->kind, data_win_kind);
  EXPECT_EQ(plot_window(a)->kind, plot_win_kind);
  EXPECT_EQ(settings_window(a)->kind, settings_win_kind);
  EXPECT_EQ(data_window(a)->document, a.data_document.get());
  EXPECT_EQ(settings_window(a)->document, nullptr);
  EXPECT_EQ(settings_window(a)->settings_document, a.settings_document.get());
}

TEST_F(startup, the_program_entry_shows_the_windows_with_the_given_show_command) {
  write_prefs("port = COM3\n");
  app = std::make_unique<test_app>();
  app->show_command = SW_SHOWNOACTIVATE;
  app->start();
  EXPECT_TRUE(IsWindowVisible(data_window(*app)->window));
  EXPECT_TRUE(IsWindowVisible(settings_window(*app)->window));
  EXPECT_FALSE(IsWindowVisible(plot_window(*app)->window));
}

}  // namespace
