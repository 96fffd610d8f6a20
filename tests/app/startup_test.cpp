// Start-up with and without a preferences file, the start-up picture, and the windows of every class.
#include "exchange/exchange_files.h"
#include "test_app.h"

namespace {

using startup = app_fixture;

// The start-up picture's size, its window's and whether both documents stand, seen from the start-up.
std::string picture_seen() {
  const app_type* starting = app_behind("about_win_type");
  if (!starting) return "no picture";
  BITMAP info{};
  GetObjectA(starting->about_window->bitmap, sizeof info, &info);
  const RECT r = rect_of(starting->about_window->window);
  return std::to_string(info.bmWidth) + "x" + std::to_string(info.bmHeight) + " in " +
         std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) +
         (starting->data_document && starting->settings_document ? " docs" : "");
}

TEST_F(startup, with_a_port_known_shows_the_picture_for_a_second_over_both_documents_and_asks_nothing) {
  std::string during_pause;
  start_app("port = COM7\n", SW_SHOWNOACTIVATE,
            [&](scripted_io& desktop) { desktop.on_wait = [&] { during_pause = picture_seen(); }; });
  EXPECT_EQ(io->waits, std::vector<int>{1000});
  EXPECT_EQ(during_pause, "265x265 in 270x285 docs");
  EXPECT_EQ(app->about_window, nullptr);
  EXPECT_TRUE(io->dialogs.empty() && io->boxes.empty());
  EXPECT_FALSE(take_quit());
  EXPECT_EQ(app->link()->port_number, 7);
  EXPECT_STREQ(program_version, "W95 Nightglow v1.1");
  EXPECT_TRUE(IsWindowVisible(data_win()->window) && IsWindowVisible(settings_win()->window));
  EXPECT_FALSE(IsWindowVisible(plot_win()->window));
}

TEST_F(startup, without_a_port_asks_after_the_picture_and_the_next_start_remembers_the_port) {
  std::string seen;
  start_app(nullptr, SW_HIDE, [&](scripted_io& desktop) {
    desktop.on_dialog = [&](const std::string& name, LPARAM state) -> INT_PTR {
      int& port = *reinterpret_cast<int*>(state);
      seen = name + " " + std::to_string(port) + " after " + std::to_string(io->waits.size()) + " pause" +
             (app_behind("about_win_type") ? " with the picture" : "");
      port = 17;
      return 1;
    };
  });
  EXPECT_EQ(seen, "default_port 1 after 1 pause");
  EXPECT_EQ(app->link()->port_number, 17);
  EXPECT_FALSE(take_quit());
  start_app(nullptr);
  EXPECT_TRUE(io->dialogs.empty());
  EXPECT_EQ(app->link()->port_number, 17);
}

TEST_F(startup, every_way_of_choosing_a_port_reports_unwritable_preferences_and_the_port_still_applies) {
  std::filesystem::create_directory("somnprefs.txt");
  int typed = 0;
  auto answer_port_dialog = [&](scripted_io& desktop) {
    desktop.on_dialog = [&](const std::string&, LPARAM port) -> INT_PTR {
      return *reinterpret_cast<int*>(port) = typed, 1;
    };
  };
  const std::tuple<const char*, std::function<void()>, int> ways[] = {
      {"start-up dialog", [&] { start_app(nullptr, SW_HIDE, answer_port_dialog); }, 2},
      {"COM5 item", [&] { command(data_win()->window, IDM_COM1 + 4); }, 5},
      {"Other Port...", [&] { command(settings_win()->window, IDM_OTHER_PORT); }, 17}};
  for (const auto& [way, choose, port] : ways) {
    typed = port;
    choose();
    ASSERT_EQ(io->boxes.size(), 1u) << way;
    EXPECT_EQ(io->boxes[0].text, "Couldn't create preferences file.") << way;
    EXPECT_EQ(io->boxes[0].caption, "Message");
    EXPECT_EQ(io->boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL));
    EXPECT_EQ(app->link()->port_number, port) << way;
    io->boxes.clear();
  }
}

TEST_F(startup, shift_held_shows_the_second_picture_in_a_window_that_fits_it) {
  BYTE keys[256], held[256];
  GetKeyboardState(keys);
  std::copy(std::begin(keys), std::end(keys), std::begin(held));
  held[VK_SHIFT] = 0x80;
  SetKeyboardState(held);
  std::string seen;
  start_app("port = COM1\n", SW_HIDE, [&](scripted_io& desktop) { desktop.on_wait = [&] { seen = picture_seen(); }; });
  SetKeyboardState(keys);
  EXPECT_EQ(seen, "365x311 in 370x331 docs");
  for (const char* name : {"about", "about2"}) {  // both pictures have 8 bits per pixel
    HRSRC found = FindResourceA(nullptr, name, reinterpret_cast<LPCSTR>(RT_BITMAP));
    ASSERT_NE(found, nullptr) << name;
    EXPECT_EQ(static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, found)))->biBitCount, 8);
  }
}

// Class, title, place, style, extended style, icon and menu of a window.
std::string describe(const win_type& w) {
  const RECT r = rect_of(w.window);
  char name[64] = "", text[256];
  GetClassNameA(w.window, name, sizeof name);
  const auto icon = reinterpret_cast<HICON>(GetClassLongPtrA(w.window, GCLP_HICON));
  std::snprintf(
      text, sizeof text, "%s \"%s\" %ld,%ld %ldx%ld style %lx ex %lx icon %s menu %d", name, title(w.window).c_str(),
      r.left, r.top, r.right - r.left, r.bottom - r.top,
      static_cast<unsigned long>(GetWindowLongPtrA(w.window, GWL_STYLE) & WS_OVERLAPPEDWINDOW),
      static_cast<unsigned long>(GetWindowLongPtrA(w.window, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW)),
      icon == LoadIconA(GetModuleHandleA(nullptr), "somn") ? "somn"
      : icon == LoadIconA(nullptr, IDI_APPLICATION)        ? "standard"
                                                           : "other",
      GetMenu(w.window) != nullptr);
  return text;
}

TEST_F(startup, every_window_class_has_its_title_place_style_icon_and_menu) {
  app_type& a = start_app();
  EXPECT_EQ(describe(*data_win()), "data_win_type \"Untitled 1\" 100,25 552x265 style ca0000 ex 0 icon somn menu 1");
  EXPECT_EQ(describe(*plot_win()),
            "plot_win_type \"Multi-Record Cue Plot\" 200,100 500x325 style cf0000 ex 0 icon somn menu 1");
  EXPECT_EQ(describe(*settings_win()),
            "settings_win_type \"Settings 1\" 100,295 552x177 style ca0000 ex 0 icon somn menu 1");
  a.show_status("Status", "Setting Somnolux...");
  EXPECT_EQ(describe(*a.status_window),
            "msg_win_type \"Status\" 175,175 275x50 style ca0000 ex 88 icon standard menu 0");
  a.show_about();
  EXPECT_EQ(describe(*a.about_window),
            "about_win_type \"About Nightglow\" 175,105 270x285 style ca0000 ex 88 icon standard menu 0");
  EXPECT_NE(GetMenu(data_win()->window), GetMenu(settings_win()->window));  // each its own menu
}

}  // namespace
