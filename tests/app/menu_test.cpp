// What each window's menus offer as the documents change, the chosen port and the interface timeout.
#include "test_app.h"

namespace {

using menus = app_fixture;

// The items of the window's menu in that state, as a user reads them; COM ports only as checked.
std::string items_in(HWND window, UINT state) {
  std::string out;
  std::function<void(HMENU)> walk = [&](HMENU menu) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      const UINT id = GetMenuItemID(menu, i);
      if (HMENU sub = GetSubMenu(menu, i)) walk(sub);
      if (id == 0 || id == UINT(-1) || !(GetMenuState(menu, i, MF_BYPOSITION) & state) ||
          (state == MF_GRAYED && id >= IDM_COM1 && id <= IDM_COM_CHOSEN))
        continue;
      char text[128] = "";
      GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
      std::string name;
      for (const char* c = text; *c; ++c) name += *c == '&' ? "" : std::string(1, *c);
      out += (out.empty() ? "" : ", ") + (name.ends_with("...") ? name.substr(0, name.size() - 3) : name);
    }
  };
  walk(GetMenu(window));
  return out;
}

TEST_F(menus, each_window_grays_what_the_documents_do_not_allow) {
  app_type& a = start_app();
  const std::string text = "Cut Text, Paste Text, Clear Text, Select All, ",
                    upload = "Set Somnolux Settings, Reset Settings", copy = "Copy Data Settings To Settings Window",
                    records = "Show Record, Delete Record",
                    settings = "Export To Database, Import From Database, " + text + "Get Somnolux Settings and Data, ";
  // The Plot and Trends windows neither edit, exchange nor talk to the Somnolux.
  const std::string viewer =
      "Export To Database, Import From Database, Cut, Paste, Clear, Select All, Other Port, "
      "Get Somnolux Settings and Data, " +
      upload + ", " + copy + ", Set Interface Timeout, ";
  const struct {
    const char* situation;
    std::function<void()> step;
    std::string data, settings;
    bool saved;                // Revert is offered
    std::string plot, trends;  // their Windows menus
  } rows[] = {
      {"start", [] {},
       "Export To Database, " + text + upload + ", " + copy + ", Show Plot Window, " + records + ", Plot Records",
       settings + copy + ", Show Plot Window, " + records + ", Plot Records", false,
       "Show Plot Window, " + records + ", Plot Records", "Show Plot Window, " + records + ", Plot Records"},
      {"one record", [&] { add_records(); }, text + upload + ", Show Record", settings + records + ", Plot Records",
       false, records, records + ", Plot Records"},
      {"two records, none shown", [&] { add_records(), model().current = -1; },
       text + upload + ", " + copy + ", Delete Record", settings + copy + ", " + records + ", Plot Records", false,
       records, records + ", Plot Records"},
      {"both saved, the second shown",
       [&] { model().current = 1, a.data_document->path = "night.sl1", a.settings_document->path = "quiet.sl2"; },
       text + upload, settings + records + ", Plot Records", true, records, records + ", Plot Records"},
      {"settings closed", [&] { io->answers = {IDNO}, command(settings_win()->window, IDM_CLOSE); },
       text + upload + ", " + copy + ", Show Settings Window", "", true, "Show Settings Window, " + records,
       "Show Settings Window, " + records + ", Plot Records"},
  };
  for (const auto& row : rows) {
    row.step();
    a.update_all_menus();
    const std::string revert = row.saved ? "" : "Revert, ";
    EXPECT_EQ(items_in(data_win()->window, MF_GRAYED), revert + row.data) << row.situation;
    EXPECT_EQ(items_in(plot_win()->window, MF_GRAYED), revert + "Export Report, " + viewer + row.plot) << row.situation;
    EXPECT_EQ(items_in(trends_win()->window, MF_GRAYED), revert + viewer + row.trends) << row.situation;
    EXPECT_EQ(settings_win() ? items_in(settings_win()->window, MF_GRAYED) : "",
              row.settings.empty() ? "" : revert + row.settings)
        << row.situation;
  }
}

TEST_F(menus, a_chosen_port_is_checked_in_both_windows_and_written) {
  start_app();
  HWND data = data_win()->window, settings = settings_win()->window, plot = plot_win()->window;
  const struct {
    std::function<void()> choose;
    const char *checked, *written;
  } rows[] = {
      {[] {}, "COM3|COM3|", "port = COM3\n"},
      {[&] { command(data, IDM_COM1 + 4); }, "COM5|COM5|", "port = COM5\r\n"},
      {[&] { command(settings, IDM_COM10); }, "COM10|COM10|", "port = COM10\r\n"},
      {[&] { command(settings, IDM_COM1 + 2); }, "COM3|COM3|", "port = COM3\r\n"},
  };
  for (const auto& row : rows) {
    row.choose();
    EXPECT_EQ(items_in(data, MF_CHECKED) + "|" + items_in(settings, MF_CHECKED) + "|" + items_in(plot, MF_CHECKED),
              row.checked);
    EXPECT_EQ(read_file("somnprefs.txt"), row.written);
  }
}

using timeout_dialog = app_fixture;

TEST_F(timeout_dialog, ok_takes_the_clicked_time_and_cancel_keeps_the_last) {
  app_type& a = start_app();
  const auto choose = [](const char* time, const char* button) {
    return [time, button](HWND d) {
      for (const char* label : {time, button})
        for (HWND child = GetWindow(d, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
          if (title(child) == label) SendMessageA(child, BM_CLICK, 0, 0);
    };
  };
  for (const auto& [time, button, choice] : {std::tuple{"Longest time (~55 secs)", "OK", 2},
                                             {"Longer time (~38 secs)", "Cancel", 2},
                                             {"Longer time (~38 secs)", "OK", 1}}) {
    dialog_driver driver{"Set Interface Timeout", {choose(time, button)}};
    EXPECT_TRUE(driver.drive([&] { command(data_win()->window, IDM_INTERFACE_TIMEOUT); }));
    EXPECT_EQ(a.link()->timeout_choice, choice) << time << " " << button;
  }
}

}  // namespace
