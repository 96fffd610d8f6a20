// The default-port and interface-timeout dialogs: their templates, procedures and modal runs, Escape included.
#include "app/app_dialogs.h"
#include "dialog_driver.h"
#include "test_app.h"

namespace {

// Escape as the keyboard gives it: the dialog manager turns it into IDCANCEL, which is 2.
void escape(HWND dialog) { PostMessageA(GetFocus() ? GetFocus() : dialog, WM_KEYDOWN, VK_ESCAPE, 0); }
// The three radio buttons of the timeout dialog, 1 for checked: "100" is Normal.
std::string radios(HWND dialog) {
  std::string out;
  for (int id = IDC_TIMEOUT_NORMAL; id <= IDC_TIMEOUT_LONGEST; ++id)
    out += IsDlgButtonChecked(dialog, id) == BST_CHECKED ? '1' : '0';
  return out;
}

TEST(dialog_entries, typed_ports_are_read_like_atoi_and_clamped_to_1_to_255) {
  for (const auto& [text, port] : {std::pair{"3", 3},
                                   {"  8", 8},
                                   {"25", 25},
                                   {"255", 255},
                                   {"256", 255},
                                   {"abc", 1},
                                   {"", 1},
                                   {"-4", 1},
                                   {"0", 1},
                                   {"7x", 7},
                                   {"99999999999999999999", 255}})
    EXPECT_EQ(parse_port_entry(text), port) << text;
}

using modal_dialogs = app_fixture;

// The port dialog's edit box as it opened, then the text typed into it and OK.
std::function<void(HWND)> type_port(std::string& proposed, const char* typed) {
  return [&proposed, typed](HWND d) {
    char text[16] = "";
    GetDlgItemTextA(d, IDC_PORT_EDIT, text, sizeof text);
    proposed = text;
    SetDlgItemTextA(d, IDC_PORT_EDIT, typed);
    press(d, IDC_PORT_OK);
  };
}

TEST_F(modal_dialogs, port_dialog_ok_writes_the_clamped_port_and_escape_quits_writing_nothing) {
  app_type& a = start_app();
  std::string shown, proposed;
  dialog_driver ok{"Set Default COM Port", {[&](HWND d) {
                     shown = describe(d);
                     type_port(proposed, "300")(d);
                   }}};
  EXPECT_TRUE(ok.drive([&] { a.default_port_dialog(); }));
  EXPECT_EQ(shown,
            "Set Default COM Port without system menu\n"
            "-1 Static 0 There is currently no default serial port selected for this program.  Please select a "
            "default COM port to use below.  You may change the COM port in use at any time by choosing the "
            "\"Select COM Port\" item from the Somnolux menu.\n"
            "-1 Static 0 Default serial port is COM\n0 Edit 128 1\n-1 Static 0 (1 - 255)\n1 Button 0 OK\n"
            "2 Button 0 Quit Program\n");
  EXPECT_EQ(a.link()->port_number, 255);
  EXPECT_EQ(read_file("somnprefs.txt"), "port = COM255\r\n");
  EXPECT_TRUE(checked(data_win()->window, IDM_COM_CHOSEN));
  EXPECT_FALSE(take_quit());

  // "Other Port..." proposes the port in use.
  dialog_driver other{"Set Default COM Port", {type_port(proposed, "17")}};
  EXPECT_TRUE(other.drive([&] { command(settings_win()->window, IDM_OTHER_PORT); }));
  EXPECT_EQ(proposed, "255");
  EXPECT_EQ(a.link()->port_number, 17);
  EXPECT_EQ(read_file("somnprefs.txt"), "port = COM17\r\n");

  std::filesystem::remove("somnprefs.txt");
  dialog_driver quit{"Set Default COM Port", {escape}};
  EXPECT_TRUE(quit.drive([&] { a.default_port_dialog(); }));
  EXPECT_TRUE(take_quit());
  EXPECT_EQ(a.link()->port_number, 17);
  EXPECT_FALSE(std::filesystem::exists("somnprefs.txt"));

  // From the menu, Quit Program quits as File, Quit does: each document may still be saved.
  io->answers = {IDNO, IDCANCEL};
  dialog_driver cancelled{"Set Default COM Port", {escape}};
  EXPECT_TRUE(cancelled.drive([&] { command(data_win()->window, IDM_OTHER_PORT); }));
  EXPECT_FALSE(take_quit());
  ASSERT_EQ(io->boxes.size(), 2u);
  EXPECT_EQ(io->boxes[1].text, "Do you want to save \"Settings 1\" before closing?");
  EXPECT_TRUE(a.settings_document && !a.data_document);
  EXPECT_EQ(a.link()->port_number, 17);
  EXPECT_FALSE(std::filesystem::exists("somnprefs.txt"));
}

TEST_F(modal_dialogs, timeout_dialog_ok_sets_the_choice_and_escape_checks_normal_without_closing) {
  app_type& a = start_app();
  std::string seen;
  dialog_driver first{"Set Interface Timeout", {[&](HWND d) {
                        seen += describe(d) + radios(d) + " ";
                        press(d, IDC_TIMEOUT_LONGEST);
                        press(d, IDC_TIMEOUT_OK);
                      }}};
  EXPECT_TRUE(first.drive([&] { a.interface_timeout_dialog(); }));
  EXPECT_EQ(a.link()->timeout_choice, 2);
  dialog_driver second{"Set Interface Timeout",
                       {[&](HWND d) {
                          seen += radios(d) + " ";
                          escape(d);
                        },
                        [&](HWND d) {
                          seen += radios(d);
                          press(d, IDC_TIMEOUT_CANCEL);
                        }}};
  EXPECT_TRUE(second.drive([&] { a.interface_timeout_dialog(); }));
  EXPECT_EQ(seen,
            "Set Interface Timeout without system menu\n-1 Static 0 Set Somnolux interface maximum timeout to:\n"
            "2 Button 4 Normal time (~22 secs)\n3 Button 4 Longer time (~38 secs)\n"
            "4 Button 4 Longest time (~55 secs)\n0 Button 1 OK\n1 Button 0 Cancel\n"
            "100 001 100");                // the second step found the dialog still open
  EXPECT_EQ(a.link()->timeout_choice, 2);  // cancelled
}

TEST_F(modal_dialogs, escape_cancels_the_record_dialogs) {
  start_app();
  add_records(2);
  for (const auto& [caption, id] : {std::pair{"Show Record", IDM_SHOW_RECORD},
                                    {"Plot Records", IDM_PLOT_RECORDS},
                                    {"Export Data", IDM_EXPORT_DATABASE}}) {
    dialog_driver cancelled{caption, {escape}};  // a second step would find it still open
    EXPECT_TRUE(cancelled.drive([&] { command(data_win()->window, id); })) << caption;
  }
  EXPECT_EQ(model().current, 1);
  EXPECT_EQ(model().image.plot.record_count, 0);
  EXPECT_TRUE(io->file_dialogs.empty());
}

TEST_F(modal_dialogs, timeout_dialog_cannot_open_twice) {
  app_type& a = start_app();
  io->on_dialog = [&](const std::string&, LPARAM state) -> INT_PTR {
    if (io->dialogs.size() == 1) {  // another window's menu asks again meanwhile
      data_win()->do_command(IDM_INTERFACE_TIMEOUT);
      settings_win()->do_command(IDM_INTERFACE_TIMEOUT);
    }
    *reinterpret_cast<int*>(state) = 1;
    return 0;
  };
  a.interface_timeout_dialog();
  EXPECT_EQ(io->dialogs.size(), 1u);
  EXPECT_EQ(a.link()->timeout_choice, 1);
  a.interface_timeout_dialog();  // and again once it closed
  EXPECT_EQ(io->dialogs.size(), 2u);
}

}  // namespace
