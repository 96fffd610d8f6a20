// The four menu resources, and the enabled, grayed and checked states of each window's menu.
#include "test_app.h"

#include <sstream>

namespace {

// One line per item: "text|id|G" (or E), "-" for a separator, "[text" opens a popup and "]" closes it.
std::string describe(HMENU menu) {
  std::ostringstream out;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[128] = "";
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_SUBMENU;
    info.dwTypeData = text;
    info.cch = sizeof text;
    GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
    if (info.fType & MFT_SEPARATOR) {
      out << "-\n";
    } else if (info.hSubMenu) {
      out << "[" << text << ((info.fState & MFS_GRAYED) ? "|G" : "") << "\n" << describe(info.hSubMenu) << "]\n";
    } else {
      out << text << "|" << info.wID << "|" << ((info.fState & MFS_GRAYED) ? "G" : "E") << "\n";
    }
  }
  return out.str();
}

std::string expected_menu(bool plot) {
  std::string coms;
  for (int n = 1; n <= 10; ++n)
    coms += (n < 10 ? "COM&" + std::to_string(n) : std::string("COM1&0")) + "|" + std::to_string(299 + n) + "|G\n";
  return std::string("[&File\n") +
         "&About Nightglow...|10|E\n-\n&New Data Window|20|E\nN&ew Settings Window|30|E\n&Open...|40|E\n"
         "&Close|50|E\n&Save|60|E\nSa&ve As...|70|E\n&Revert|80|E\n-\nE&xport Report...|90|G\n"
         "Ex&port To Database...|100|G\n&Import From Database...|105|G\n-\nPrin&t Window...|120|G\n-\n"
         "&Quit|130|E\n]\n" +
         "[&Edit\n" + (plot ? "&Cut|140|G\nC&opy Plot|150|G\n&Paste|160|G\n-\nC&lear|170|G\n"
                            : "&Cut Text|140|G\nC&opy Text|150|G\n&Paste Text|160|G\n-\nC&lear Text|170|G\n") +
         "&Select All|180|G\n]\n" +
         "[&Somnolux\n[&Select COM Port\n" + coms + "]\n-\n&Get Somnolux Settings and Data|250|G\n"
         "S&et Somnolux Settings|260|G\n-\n&Reset Settings|270|G\n"
         "&Copy Data Settings To Settings Window|275|G\n-\nSe&t Interface Timeout...|280|G\n]\n" +
         "[&Windows\n&Show Data Window|190|E\nS&how Plot Window|200|E\nSh&ow Settings Window|210|E\n-\n"
         "Sho&w Record...|220|G\n&Delete Record...|230|G\n&Plot Records...|240|G\n]\n";
}

TEST(menu_resources, all_four_menus_hold_every_item_with_its_text_id_and_state) {
  const struct {
    const char* name;
    bool plot;
  } menus[] = {{"data_win_type_menu", false},
               {"plot_win_type_menu", true},
               {"settings_win_type_menu", false},
               {"win_type_menu", false}};
  for (const auto& m : menus) {
    SCOPED_TRACE(m.name);
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), m.name);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(describe(menu), expected_menu(m.plot));
    DestroyMenu(menu);
  }
}

using menu_states = app_fixture;

// Items that no window's rules touch keep their resource state.
void expect_untouched(HWND window, std::initializer_list<int> grayed) {
  for (int id : grayed)
    EXPECT_FALSE(item_enabled(window, id)) << "item " << id;
  EXPECT_TRUE(item_enabled(window, IDM_ABOUT));
}

TEST_F(menu_states, data_window_without_records) {
  test_app& a = started_app();
  HWND w = data_window(a)->window;
  for (int id : {20, 30, 40, 50, 60, 70, 120, 130, 105, 250, 90, 280, 150, 190, 210})
    EXPECT_TRUE(item_enabled(w, id)) << id;
  for (int id : {80, 220, 230, 240, 275, 100, 140, 160, 170, 180, 200})
    EXPECT_FALSE(item_enabled(w, id)) << id;
  expect_untouched(w, {IDM_SET_SETTINGS, IDM_RESET_SETTINGS});
  for (int id = IDM_COM1; id <= IDM_COM10; ++id) {
    EXPECT_TRUE(item_enabled(w, id)) << id;
    EXPECT_EQ(item_checked(w, id), id == IDM_COM1 + 2) << id;
  }
}

TEST_F(menu_states, record_items_follow_the_number_of_records) {
  test_app& a = started_app();
  HWND w = data_window(a)->window;
  add_record(a);
  EXPECT_FALSE(item_enabled(w, IDM_SHOW_RECORD));  // one record: nothing to choose from
  for (int id : {IDM_DELETE_RECORD, IDM_PLOT_RECORDS, IDM_EXPORT_DATABASE, IDM_COPY_DATA_SETTINGS, IDM_SHOW_PLOT})
    EXPECT_TRUE(item_enabled(w, id)) << id;
  EXPECT_TRUE(item_enabled(plot_window(a)->window, IDM_PLOT_RECORDS));
  EXPECT_TRUE(item_enabled(settings_window(a)->window, IDM_COPY_DATA_SETTINGS));
  EXPECT_TRUE(item_enabled(settings_window(a)->window, IDM_SHOW_PLOT));

  add_record(a);
  EXPECT_TRUE(item_enabled(w, IDM_SHOW_RECORD));

  // No current record: nothing to delete and no settings to copy.
  data_window(a)->current_index = -1;
  a.update_all_menus();
  EXPECT_FALSE(item_enabled(w, IDM_DELETE_RECORD));
  EXPECT_FALSE(item_enabled(w, IDM_COPY_DATA_SETTINGS));
  EXPECT_FALSE(item_enabled(settings_window(a)->window, IDM_COPY_DATA_SETTINGS));
}

TEST_F(menu_states, plot_window_enables_only_its_own_items) {
  test_app& a = started_app();
  HWND w = plot_window(a)->window;
  EXPECT_TRUE(item_enabled(w, IDM_COPY));  // "C&opy Plot"
  for (int id : {IDM_CUT, IDM_PASTE, IDM_CLEAR, IDM_SELECT_ALL, IDM_EXPORT_REPORT, IDM_EXPORT_DATABASE,
                 IDM_IMPORT_DATABASE, IDM_GET_DATA, IDM_SET_SETTINGS, IDM_RESET_SETTINGS, IDM_COPY_DATA_SETTINGS,
                 IDM_INTERFACE_TIMEOUT, IDM_SHOW_RECORD, IDM_DELETE_RECORD, IDM_PLOT_RECORDS, IDM_REVERT})
    EXPECT_FALSE(item_enabled(w, id)) << id;
  for (int id = IDM_COM1; id <= IDM_COM10; ++id) {
    EXPECT_FALSE(item_enabled(w, id)) << id;
    EXPECT_FALSE(item_checked(w, id)) << id;
  }
  for (int id : {20, 30, 40, 50, 60, 70, 120, 130, 190, 210})
    EXPECT_TRUE(item_enabled(w, id)) << id;
}

TEST_F(menu_states, settings_window_enables_upload_reset_and_the_ports) {
  test_app& a = started_app();
  HWND w = settings_window(a)->window;
  for (int id : {IDM_SET_SETTINGS, IDM_RESET_SETTINGS, IDM_EXPORT_REPORT, IDM_INTERFACE_TIMEOUT, IDM_COPY})
    EXPECT_TRUE(item_enabled(w, id)) << id;
  for (int id : {IDM_GET_DATA, IDM_EXPORT_DATABASE, IDM_IMPORT_DATABASE, IDM_CUT, IDM_PASTE, IDM_CLEAR,
                 IDM_SELECT_ALL, IDM_REVERT, IDM_COPY_DATA_SETTINGS, IDM_SHOW_RECORD})
    EXPECT_FALSE(item_enabled(w, id)) << id;
  EXPECT_TRUE(item_checked(w, IDM_COM1 + 2));
}

TEST_F(menu_states, revert_follows_the_file_path_of_each_document) {
  test_app& a = started_app();
  snprintf(a.data_document->path, sizeof a.data_document->path, "%s", path_of("night.sl1").c_str());
  a.update_all_menus();
  EXPECT_TRUE(item_enabled(data_window(a)->window, IDM_REVERT));
  EXPECT_TRUE(item_enabled(plot_window(a)->window, IDM_REVERT));
  EXPECT_FALSE(item_enabled(settings_window(a)->window, IDM_REVERT));

  snprintf(a.settings_document->path, sizeof a.settings_document->path, "%s", path_of("s.sl2").c_str());
  a.update_all_menus();
  EXPECT_TRUE(item_enabled(settings_window(a)->window, IDM_REVERT));
}

TEST_F(menu_states, show_items_follow_the_open_documents) {
  test_app& a = started_app();
  a.answers = {IDNO};
  command(settings_window(a)->window, IDM_CLOSE);
  ASSERT_EQ(a.settings_document, nullptr);
  HWND w = data_window(a)->window;
  EXPECT_FALSE(item_enabled(w, IDM_SHOW_SETTINGS));
  EXPECT_TRUE(item_enabled(w, IDM_SHOW_DATA));
  add_record(a);
  EXPECT_FALSE(item_enabled(w, IDM_COPY_DATA_SETTINGS));  // no settings document to copy into
}

TEST_F(menu_states, activating_a_window_refreshes_every_menu) {
  test_app& a = started_app();
  data_window(a)->records.push_back(std::make_unique<data_record>());
  data_window(a)->current_index = 0;
  ASSERT_FALSE(item_enabled(settings_window(a)->window, IDM_SHOW_PLOT));
  SendMessageA(plot_window(a)->window, WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_TRUE(item_enabled(settings_window(a)->window, IDM_SHOW_PLOT));
  EXPECT_TRUE(item_enabled(data_window(a)->window, IDM_DELETE_RECORD));
}

TEST_F(menu_states, choosing_a_port_moves_the_check_in_both_windows_but_writes_nothing) {
  test_app& a = started_app();
  const std::string before = read_file("somnprefs.txt");
  EXPECT_EQ(data_window(a)->do_command(IDM_COM1 + 4), 1);  // COM5
  EXPECT_EQ(a.link->port_number, 5);
  for (HWND w : {data_window(a)->window, settings_window(a)->window}) {
    EXPECT_TRUE(item_checked(w, IDM_COM1 + 4));
    EXPECT_FALSE(item_checked(w, IDM_COM1 + 2));
  }
  command(settings_window(a)->window, IDM_COM10);
  EXPECT_EQ(a.link->port_number, 10);
  EXPECT_TRUE(item_checked(data_window(a)->window, IDM_COM10));
  EXPECT_EQ(read_file("somnprefs.txt"), before);
}

TEST_F(menu_states, no_port_known_checks_no_port_item) {
  write_prefs("port = COM3\n");
  app = std::make_unique<test_app>();
  app->start();
  app->link->port_number = 0;
  app->update_all_menus();
  for (int id = IDM_COM1; id <= IDM_COM10; ++id)
    EXPECT_FALSE(item_checked(data_window(*app)->window, id)) << id;
  command(data_window(*app)->window, IDM_COM1 + 2);
  EXPECT_TRUE(item_checked(data_window(*app)->window, IDM_COM1 + 2));
  EXPECT_TRUE(item_checked(settings_window(*app)->window, IDM_COM1 + 2));
}

}  // namespace
