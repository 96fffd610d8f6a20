// The menu resources, and the enabled, grayed and checked items of each window's menu.
#include "test_app.h"

namespace {

// One line per item: "text|id|G" (or E), "-" for a separator, "[text" opens a popup and "]" closes it.
std::string describe(HMENU menu) {
  std::string out;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[128] = "";
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_SUBMENU;
    info.dwTypeData = text;
    info.cch = sizeof text;
    GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
    const char* state = (info.fState & MFS_GRAYED) ? "G" : "E";
    if (info.fType & MFT_SEPARATOR)
      out += "-\n";
    else if (info.hSubMenu)
      out += "[" + std::string(text) + "\n" + describe(info.hSubMenu) + "]\n";
    else
      out += std::string(text) + "|" + std::to_string(info.wID) + "|" + state + "\n";
  }
  return out;
}

std::string expected_menu(const char* edit_items) {
  std::string ports;
  for (int n = 1; n <= 10; ++n)
    ports += (n < 10 ? "COM&" + std::to_string(n) : "COM1&0") + "|" + std::to_string(299 + n) + "|G\n";
  return std::string("[&File\n&About Nightglow...|10|E\n-\n&New Data Window|20|E\nN&ew Settings Window|30|E\n") +
         "&Open...|40|E\n&Close|50|E\n&Save|60|E\nSa&ve As...|70|E\n&Revert|80|E\n-\nE&xport Report...|90|G\n"
         "Ex&port To Database...|100|G\n&Import From Database...|105|G\n-\nPrin&t Window...|120|G\n-\n"
         "&Quit|130|E\n]\n[&Edit\n" +
         edit_items + "&Select All|180|G\n]\n[&Somnolux\n[&Select COM Port\n" + ports +
         "-\n&Other Port...|290|G\n]\n-\n&Get Somnolux Settings and Data|250|G\nS&et Somnolux "
         "Settings|260|G\n-\n&Reset Settings|270|G\n"
         "&Copy Data Settings To Settings Window|275|G\n-\nSe&t Interface Timeout...|280|G\n]\n"
         "[&Windows\n&Show Data Window|190|E\nS&how Plot Window|200|E\nShow &Journal Trends|205|E\n"
         "Sh&ow Settings Window|210|E\n-\n"
         "Sho&w Record...|220|G\n&Delete Record...|230|G\n&Plot Records...|240|G\n]\n";
}

TEST(menu_resources, all_menus_hold_every_item_with_its_text_id_and_state) {
  const char* text_items = "&Cut Text|140|G\nC&opy Text|150|G\n&Paste Text|160|G\n-\nC&lear Text|170|G\n";
  const char* plot_items = "&Cut|140|G\nC&opy Plot|150|G\n&Paste|160|G\n-\nC&lear|170|G\n";
  const char* trends_items = "&Cut|140|G\nC&opy Trends|150|G\n&Paste|160|G\n-\nC&lear|170|G\n";
  for (const auto& [name, items] : {std::pair{"data_win_type_menu", text_items},
                                    {"plot_win_type_menu", plot_items},
                                    {"settings_win_type_menu", text_items},
                                    {"trends_win_type_menu", trends_items}}) {
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), name);
    ASSERT_NE(menu, nullptr) << name;
    EXPECT_EQ(describe(menu), expected_menu(items)) << name;
    DestroyMenu(menu);
  }
}

using menu_states = app_fixture;

// E or G for each item that some window's rules can change, grouped by menu: File, Edit, Windows, Somnolux.
std::string states(HWND window) {
  const std::vector<std::vector<int>> groups = {{10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 105, 120, 130},
                                                {140, 150, 160, 170, 180},
                                                {190, 200, 205, 210, 220, 230, 240},
                                                {250, 260, 270, 275, 280, 290, 300, 309}};
  std::string out;
  for (const auto& group : groups) {
    out += out.empty() ? "" : " ";
    for (int id : group) out += enabled(window, id) ? 'E' : 'G';
  }
  return out;
}

TEST_F(menu_states, each_window_follows_records_file_paths_and_open_documents) {
  app_type& a = start_app();
  const struct {
    const char* situation;
    std::function<void()> step;
    const char *data, *plot, *trends, *settings;
  } rows[] = {
      {"start", [] {}, "EEEEEEEGEGEEE GEGGG EGEEGGG EGGGEEEE", "EEEEEEEGGGGEE GEGGG EGEEGGG GGGGGGGG",
       "EEEEEEEGEGGEE GEGGG EGEEGGG GGGGGGGG", "EEEEEEEGEGGEE GEGGG EGEEGGG GEEGEEEE"},
      {"one record", [&] { add_records(); }, "EEEEEEEGEEEEE GEGGG EEEEGEE EGGEEEEE",
       "EEEEEEEGGGGEE GEGGG EEEEGGE GGGGGGGG", "EEEEEEEGEGGEE GEGGG EEEEGGG GGGGGGGG",
       "EEEEEEEGEGGEE GEGGG EEEEGGG GEEEEEEE"},
      {"two records", [&] { add_records(); }, "EEEEEEEGEEEEE GEGGG EEEEEEE EGGEEEEE",
       "EEEEEEEGGGGEE GEGGG EEEEGGE GGGGGGGG", "EEEEEEEGEGGEE GEGGG EEEEGGG GGGGGGGG",
       "EEEEEEEGEGGEE GEGGG EEEEGGG GEEEEEEE"},
      {"no current record", [&] { model().current = -1; }, "EEEEEEEGEEEEE GEGGG EEEEEGE EGGGEEEE",
       "EEEEEEEGGGGEE GEGGG EEEEGGE GGGGGGGG", "EEEEEEEGEGGEE GEGGG EEEEGGG GGGGGGGG",
       "EEEEEEEGEGGEE GEGGG EEEEGGG GEEGEEEE"},
      {"file paths",
       [&] {
         model().current = 1;
         a.data_document->path = "night.sl1";
         a.settings_document->path = "quiet.sl2";
       },
       "EEEEEEEEEEEEE GEGGG EEEEEEE EGGEEEEE", "EEEEEEEEGGGEE GEGGG EEEEGGE GGGGGGGG",
       "EEEEEEEEEGGEE GEGGG EEEEGGG GGGGGGGG", "EEEEEEEEEGGEE GEGGG EEEEGGG GEEEEEEE"},
      {"settings closed",
       [&] {
         io->answers = {IDNO};
         command(settings_win()->window, IDM_CLOSE);
       },
       "EEEEEEEEEEEEE GEGGG EEEGEEE EGGGEEEE", "EEEEEEEEGGGEE GEGGG EEEGGGE GGGGGGGG",
       "EEEEEEEEEGGEE GEGGG EEEGGGG GGGGGGGG", nullptr},
  };
  for (const auto& row : rows) {
    row.step();
    a.update_all_menus();
    EXPECT_EQ(
        states(data_win()->window) + " / " + states(plot_win()->window) + " / " + states(trends_win()->window) + " / " +
            (row.settings ? states(settings_win()->window) : ""),
        row.data + std::string(" / ") + row.plot + " / " + row.trends + " / " + (row.settings ? row.settings : ""))
        << row.situation;
  }
}

// The checked COM items of a window, as their numbers, a port above COM10 by its own item's text.
std::string checked_ports(HWND window) {
  std::string out;
  for (int n = 1; n <= 10; ++n) out += checked(window, IDM_COM1 + n - 1) ? std::to_string(n) + " " : "";
  char text[16] = "";
  if (checked(window, IDM_COM_CHOSEN) &&
      GetMenuStringA(GetMenu(window), IDM_COM_CHOSEN, text, sizeof text, MF_BYCOMMAND))
    out += text + std::string(" ");
  return out + "|";
}

TEST_F(menu_states, a_chosen_port_is_checked_in_both_windows_and_written) {
  app_type& a = start_app();
  HWND data = data_win()->window, settings = settings_win()->window;
  EXPECT_EQ(checked_ports(data) + checked_ports(settings), "3 |3 |");
  a.link()->port_number = 0;
  a.update_all_menus();
  EXPECT_EQ(checked_ports(data) + checked_ports(settings), "||");
  EXPECT_TRUE(data_win()->do_command(IDM_COM1 + 4));
  EXPECT_EQ(a.link()->port_number, 5);
  EXPECT_EQ(checked_ports(data) + checked_ports(settings) + checked_ports(plot_win()->window), "5 |5 ||");
  EXPECT_EQ(read_file("somnprefs.txt"), "port = COM5\r\n");
  command(settings, IDM_COM10);
  EXPECT_EQ(checked_ports(data), "10 |");
  EXPECT_EQ(read_file("somnprefs.txt"), "port = COM10\r\n");

  // A port above COM10 shows as one more item right after COM10, for as long as it is chosen.
  io->on_dialog = [](const std::string&, LPARAM port) -> INT_PTR { return *reinterpret_cast<int*>(port) = 17, 1; };
  command(data, IDM_OTHER_PORT);
  EXPECT_EQ(checked_ports(data) + checked_ports(settings) + checked_ports(plot_win()->window), "COM17 |COM17 ||");
  EXPECT_EQ(read_file("somnprefs.txt"), "port = COM17\r\n");
  const std::string list = describe(GetSubMenu(GetSubMenu(GetMenu(settings), 2), 0));
  EXPECT_EQ(list.substr(list.find("COM1&0")), "COM1&0|309|E\nCOM17|310|E\n-\n&Other Port...|290|E\n");
  command(data, IDM_COM_CHOSEN);
  EXPECT_EQ(a.link()->port_number, 17) << "choosing it changes nothing";
  a.update_all_menus();
  EXPECT_EQ(describe(GetSubMenu(GetSubMenu(GetMenu(data), 2), 0)), list) << "shown once however often refreshed";
  command(data, IDM_COM1 + 2);
  EXPECT_EQ(checked_ports(data) + checked_ports(settings), "3 |3 |");
  EXPECT_EQ(GetMenuState(GetMenu(data), IDM_COM_CHOSEN, MF_BYCOMMAND), static_cast<UINT>(-1)) << "gone again";

  add_records();  // activating any window refreshes every menu
  SendMessageA(plot_win()->window, WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_TRUE(enabled(settings, IDM_SHOW_PLOT));
}

}  // namespace
