// Start-up with and without a preferences file, the start-up picture, and the windows of every class.
#include "test_app.h"

namespace {

using startup = app_fixture;

TEST_F(startup, with_a_port_known_shows_the_picture_for_a_second_over_both_documents_and_asks_nothing) {
  write_file("somnprefs.txt", "port = COM7\n");
  app = std::make_unique<test_app>();
  app->show_command = SW_SHOWNOACTIVATE;
  std::string during_pause;
  app->on_wait = [&] {
    BITMAP info{};
    GetObjectA(app->about_window->bitmap, sizeof info, &info);
    during_pause = std::to_string(info.bmWidth) + (app->data_document && app->settings_document ? " docs" : "");
  };
  app->start();
  EXPECT_EQ(app->waits, std::vector<int>{1000});
  EXPECT_EQ(during_pause, "265 docs");
  EXPECT_EQ(app->about_window, nullptr);
  EXPECT_TRUE(app->dialogs.empty() && app->boxes.empty());
  EXPECT_FALSE(take_quit());
  EXPECT_EQ(app->link->port_number, 7);
  EXPECT_STREQ(app->version, "W95 Nightglow v1.1");
  EXPECT_TRUE(IsWindowVisible(data_win()->window) && IsWindowVisible(settings_win()->window));
  EXPECT_FALSE(IsWindowVisible(plot_win()->window));
}

TEST_F(startup, without_a_port_asks_after_the_picture_and_the_next_start_remembers_the_port) {
  app = std::make_unique<test_app>();
  std::string seen;
  app->on_dialog = [&]() -> INT_PTR {
    seen = app->dialogs.back() + " " + std::to_string(dialog_port_number) + " after " +
           std::to_string(app->waits.size()) + " pause" + (app->about_window ? " with the picture" : "");
    dialog_port_number = 4;
    return 1;
  };
  app->start();
  EXPECT_EQ(seen, "default_port 1 after 1 pause");
  EXPECT_EQ(app->link->port_number, 4);
  EXPECT_FALSE(take_quit());
  start_app(nullptr);
  EXPECT_TRUE(app->dialogs.empty());
  EXPECT_EQ(app->link->port_number, 4);
}

TEST_F(startup, unwritable_preferences_are_reported_and_the_port_still_applies) {
  std::filesystem::create_directory("somnprefs.txt");
  app = std::make_unique<test_app>();
  app->on_dialog = []() -> INT_PTR { return dialog_port_number = 2, 1; };
  app->start();
  ASSERT_EQ(app->boxes.size(), 1u);
  EXPECT_EQ(app->boxes[0].text, "Couldn't create preferences file.");
  EXPECT_EQ(app->boxes[0].caption, "Message");
  EXPECT_EQ(app->boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL));
  EXPECT_EQ(app->link->port_number, 2);
}

TEST_F(startup, shift_held_shows_the_second_picture_in_a_window_that_fits_it) {
  BYTE keys[256], held[256];
  GetKeyboardState(keys);
  std::copy(std::begin(keys), std::end(keys), std::begin(held));
  held[VK_SHIFT] = 0x80;
  SetKeyboardState(held);
  write_file("somnprefs.txt", "port = COM1\n");
  app = std::make_unique<test_app>();
  std::string seen;
  app->on_wait = [&] {
    BITMAP info{};
    GetObjectA(app->about_window->bitmap, sizeof info, &info);
    const RECT r = rect_of(app->about_window->window);
    seen = std::to_string(info.bmWidth) + "x" + std::to_string(info.bmHeight) + " in " +
           std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
  };
  app->start();
  SetKeyboardState(keys);
  EXPECT_EQ(seen, "365x311 in 370x331");
  for (const char* name : {"about", "about2"}) {  // both pictures have 8 bits per pixel
    HRSRC found = FindResourceA(nullptr, name, reinterpret_cast<LPCSTR>(RT_BITMAP));
    ASSERT_NE(found, nullptr) << name;
    EXPECT_EQ(static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, found)))->biBitCount, 8);
  }
}

// Class, title, place, style, extended style, icon, menu and kind of a window.
std::string describe(const win_type& w) {
  const RECT r = rect_of(w.window);
  char name[64] = "", text[256];
  GetClassNameA(w.window, name, sizeof name);
  const auto icon = reinterpret_cast<HICON>(GetClassLongPtrA(w.window, GCLP_HICON));
  std::snprintf(
      text, sizeof text, "%s \"%s\" %ld,%ld %ldx%ld style %lx ex %lx icon %s menu %d kind %d", name,
      title(w.window).c_str(), r.left, r.top, r.right - r.left, r.bottom - r.top,
      static_cast<unsigned long>(GetWindowLongPtrA(w.window, GWL_STYLE) & WS_OVERLAPPEDWINDOW),
      static_cast<unsigned long>(GetWindowLongPtrA(w.window, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW)),
      icon == LoadIconA(GetModuleHandleA(nullptr), "somn") ? "somn"
      : icon == LoadIconA(nullptr, IDI_APPLICATION)        ? "standard"
                                                           : "other",
      GetMenu(w.window) != nullptr, w.kind);
  return text;
}

TEST_F(startup, every_window_class_has_its_title_place_style_icon_and_menu) {
  test_app& a = start_app();
  EXPECT_EQ(describe(*data_win()),
            "data_win_type \"Untitled 1\" 100,25 552x265 style ca0000 ex 0 icon somn menu 1 kind 2");
  EXPECT_EQ(describe(*plot_win()),
            "plot_win_type \"Multi-Record Cue Plot\" 200,100 500x325 style cf0000 ex 0 icon somn menu 1 kind 3");
  EXPECT_EQ(describe(*settings_win()),
            "settings_win_type \"Settings 1\" 100,295 552x177 style ca0000 ex 0 icon somn menu 1 kind 4");
  a.show_status("Status", "Setting Somnolux...");
  EXPECT_EQ(describe(*a.status_window),
            "msg_win_type \"Status\" 175,175 275x50 style ca0000 ex 88 icon standard menu 0 kind 5");
  a.show_about();
  EXPECT_EQ(describe(*a.about_window),
            "about_win_type \"About Nightglow\" 175,105 270x285 style ca0000 ex 88 icon standard menu 0 kind 1");
  const win_type plain("Plain", a.data_document.get());
  EXPECT_EQ(describe(plain), "win_type \"Plain\" 50,50 400x300 style cf0000 ex 0 icon standard menu 1 kind 0");
  EXPECT_NE(GetMenu(data_win()->window), GetMenu(settings_win()->window));  // each its own menu
  EXPECT_EQ(settings_win()->document, nullptr);  // the settings window keeps its document apart
}

}  // namespace
