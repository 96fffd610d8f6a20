// What each window's menus offer as the documents change, the chosen port, and where the items lead.
#include "test_app.h"

namespace {

using menus = app_fixture;

// The visible text of a menu item: without its mnemonic and trailing dots.
std::string item_text(HMENU menu, int position) {
  char text[128] = "";
  GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
  std::string out;
  for (const char* c = text; *c; ++c)
    if (*c != '&') out += *c;
  return out.ends_with("...") ? out.substr(0, out.size() - 3) : out;
}

// Calls `visit` with every item of the menu and its submenus.
void each_item(HMENU menu, const std::function<void(HMENU, int)>& visit) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    if (HMENU sub = GetSubMenu(menu, i))
      each_item(sub, visit);
    else if (GetMenuItemID(menu, i) != 0)
      visit(menu, i);
  }
}

// The grayed items of the window's menu, the COM ports apart, as a user reads them.
std::string grayed(HWND window) {
  std::string out;
  each_item(GetMenu(window), [&](HMENU menu, int i) {
    const UINT id = GetMenuItemID(menu, i);
    if ((id < IDM_COM1 || id > IDM_COM_CHOSEN) && (GetMenuState(menu, i, MF_BYPOSITION) & MF_GRAYED))
      out += (out.empty() ? "" : ", ") + item_text(menu, i);
  });
  return out;
}

// The checked items of the Select COM Port list.
std::string checked_ports(HWND window) {
  std::string out;
  each_item(GetMenu(window), [&](HMENU menu, int i) {
    if (GetMenuState(menu, i, MF_BYPOSITION) & MF_CHECKED) out += item_text(menu, i) + " ";
  });
  return out + "|";
}

TEST_F(menus, each_window_grays_what_the_documents_do_not_allow) {
  app_type& a = start_app();
  const std::string text = "Cut Text, Paste Text, Clear Text, Select All, ", upload = "Set Somnolux Settings, Reset Settings";
  // The Plot and Trends windows neither edit, exchange nor talk to the Somnolux.
  const std::string viewer = "Export To Database, Import From Database, Cut, Paste, Clear, Select All, Other Port, "
                             "Get Somnolux Settings and Data, " + upload +
                             ", Copy Data Settings To Settings Window, Set Interface Timeout, ";
  const struct {
    const char* situation;
    std::function<void()> step;
    std::string data, settings;
    bool saved;  // Revert is offered
    std::string plot, trends;  // their Windows menus
  } rows[] = {
      {"start", [] {},
       "Revert, Export To Database, " + text + upload +
           ", Copy Data Settings To Settings Window, Show Plot Window, Show Record, Delete Record, Plot Records",
       "Revert, Export To Database, Import From Database, " + text +
           "Get Somnolux Settings and Data, Copy Data Settings To Settings Window, Show Plot Window, Show Record, "
           "Delete Record, Plot Records",
       false, "Show Plot Window, Show Record, Delete Record, Plot Records",
       "Show Plot Window, Show Record, Delete Record, Plot Records"},
      {"one record", [&] { add_records(); }, "Revert, " + text + upload + ", Show Record",
       "Revert, Export To Database, Import From Database, " + text +
           "Get Somnolux Settings and Data, Show Record, Delete Record, Plot Records",
       false, "Show Record, Delete Record", "Show Record, Delete Record, Plot Records"},
      {"two records, none shown", [&] { add_records(), model().current = -1; },
       "Revert, " + text + upload + ", Copy Data Settings To Settings Window, Delete Record",
       "Revert, Export To Database, Import From Database, " + text +
           "Get Somnolux Settings and Data, Copy Data Settings To Settings Window, Show Record, Delete Record, "
           "Plot Records",
       false, "Show Record, Delete Record", "Show Record, Delete Record, Plot Records"},
      {"both saved, the second shown",
       [&] {
         model().current = 1;
         a.data_document->path = "night.sl1";
         a.settings_document->path = "quiet.sl2";
       },
       text + upload,
       "Export To Database, Import From Database, " + text +
           "Get Somnolux Settings and Data, Show Record, Delete Record, Plot Records",
       true, "Show Record, Delete Record", "Show Record, Delete Record, Plot Records"},
      {"settings closed", [&] { io->answers = {IDNO}, command(settings_win()->window, IDM_CLOSE); },
       text + upload + ", Copy Data Settings To Settings Window, Show Settings Window", "", true,
       "Show Settings Window, Show Record, Delete Record", "Show Settings Window, Show Record, Delete Record, Plot Records"},
  };
  for (const auto& row : rows) {
    row.step();
    a.update_all_menus();
    const std::string revert = row.saved ? "" : "Revert, ";
    EXPECT_EQ(grayed(data_win()->window), row.data) << row.situation;
    EXPECT_EQ(grayed(plot_win()->window), revert + "Export Report, " + viewer + row.plot) << row.situation;
    EXPECT_EQ(grayed(trends_win()->window), revert + viewer + row.trends) << row.situation;
    if (settings_win()) EXPECT_EQ(grayed(settings_win()->window), row.settings) << row.situation;
  }
  add_records();  // behind the menus' back: activating any window refreshes every menu
  SendMessageA(plot_win()->window, WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_TRUE(enabled(data_win()->window, IDM_SHOW_RECORD));
}

TEST_F(menus, a_chosen_port_is_checked_in_both_windows_and_written) {
  app_type& a = start_app();
  HWND data = data_win()->window, settings = settings_win()->window, plot = plot_win()->window;
  auto seen = [&] { return checked_ports(data) + checked_ports(settings) + checked_ports(plot); };
  io->on_dialog = [](const std::string&, LPARAM port) -> INT_PTR { return *reinterpret_cast<int*>(port) = 17, 1; };
  const struct {
    std::function<void()> choose;
    const char *checked, *written;
  } rows[] = {
      {[] {}, "COM3 |COM3 ||", "port = COM3\n"},
      {[&] { command(data, IDM_COM1 + 4); }, "COM5 |COM5 ||", "port = COM5\r\n"},
      {[&] { command(settings, IDM_COM10); }, "COM10 |COM10 ||", "port = COM10\r\n"},
      {[&] { command(data, IDM_OTHER_PORT); }, "COM17 |COM17 ||", "port = COM17\r\n"},
      {[&] { command(data, IDM_COM_CHOSEN), a.update_all_menus(); }, "COM17 |COM17 ||", "port = COM17\r\n"},
      {[&] { command(settings, IDM_COM1 + 2); }, "COM3 |COM3 ||", "port = COM3\r\n"},
  };
  for (const auto& row : rows) {
    row.choose();
    EXPECT_EQ(seen(), row.checked);
    EXPECT_EQ(read_file("somnprefs.txt"), row.written);
  }
  EXPECT_EQ(a.link()->port_number, 3);
}

// The items that open a dialog open their own, from whichever window has them.
TEST_F(menus, items_open_their_dialogs) {
  start_app();
  add_records(2);
  io->on_dialog = [](const std::string&, LPARAM) -> INT_PTR { return 99; };  // neither OK nor Quit
  const std::tuple<win_type*, const char*, const char*> rows[] = {
      {data_win(), "Show Record", "show_record_dlog"},    {data_win(), "Plot Records", "plot_records_dlog"},
      {plot_win(), "Plot Records", "plot_records_dlog"},  {data_win(), "Export To Database", "export_records_dlog"},
      {settings_win(), "Set Interface Timeout", "timeout_dlog"}, {settings_win(), "Other Port", "default_port"}};
  for (const auto& [window, item, dialog] : rows) {
    io->dialogs.clear();
    each_item(GetMenu(window->window), [&](HMENU menu, int i) {
      if (item_text(menu, i) == item) command(window->window, static_cast<int>(GetMenuItemID(menu, i)));
    });
    EXPECT_EQ(io->dialogs, strings{dialog}) << item;
  }
}

}  // namespace
