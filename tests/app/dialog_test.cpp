// The default-port and interface-timeout dialogs: templates, procedures, modal runs with Escape.
#include "test_app.h"

#include <functional>

namespace {

// Drives a modal dialog from a thread timer: each tick runs the next step with the
// dialog's window; a step returning false waits for the next tick. Ends the dialog by
// force when the steps run out, so that a failing test cannot hang.
struct dialog_driver {
  const char* caption;
  std::vector<std::function<void(HWND)>> steps;
  size_t next = 0;
  int ticks = 0;
  bool forced = false;

  UINT_PTR timer = 0;

  ~dialog_driver() {
    if (timer)
      KillTimer(nullptr, timer);
    current = nullptr;
  }

  static dialog_driver* current;
  static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
    if (!current)
      return;
    dialog_driver& d = *current;
    HWND dialog = FindWindowA("#32770", d.caption);
    if (!dialog || !IsWindowVisible(dialog)) {
      if (++d.ticks > 400)  // two seconds without the dialog: give up
        d.stop();
      return;
    }
    if (d.next < d.steps.size()) {
      d.steps[d.next++](dialog);
    } else {
      d.forced = true;
      EndDialog(dialog, 99);
      d.stop();
    }
  }

  void stop() {
    KillTimer(nullptr, timer);
    timer = 0;
  }

  // Starts ticking; the modal run that follows is driven.
  void arm() {
    current = this;
    timer = SetTimer(nullptr, 0, 5, tick);
  }
};
dialog_driver* dialog_driver::current = nullptr;

std::string control_text(HWND dialog, int id) {
  char text[300] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

void press(HWND dialog, int id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Escape as the keyboard gives it: the modal loop turns it into IDCANCEL.
void escape(HWND dialog) {
  HWND focus = GetFocus();
  PostMessageA(focus ? focus : dialog, WM_KEYDOWN, VK_ESCAPE, 0);
}

// A control's rectangle in dialog units, as the template gave it.
struct unit_rect {
  int x, y, w, h;
};

void expect_control(HWND dialog, HWND control, unit_rect expected) {
  // Position and size are converted separately, as the dialog manager does.
  RECT want{expected.x, expected.y, expected.w, expected.h};
  MapDialogRect(dialog, &want);
  RECT got;
  GetWindowRect(control, &got);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&got), 2);
  EXPECT_EQ(got.left, want.left);
  EXPECT_EQ(got.top, want.top);
  EXPECT_EQ(got.right - got.left, want.right);
  EXPECT_EQ(got.bottom - got.top, want.bottom);
}

struct control_expectation {
  const char* text;
  const char* class_name;
  unit_rect rect;
  DWORD type_bits;  // button or static type
};

// Checks the controls in template order, with the ids they were given.
void expect_controls(HWND dialog, const std::vector<std::pair<int, control_expectation>>& expected) {
  HWND control = GetWindow(dialog, GW_CHILD);
  for (const auto& [id, e] : expected) {
    SCOPED_TRACE(e.text);
    ASSERT_NE(control, nullptr);
    char text[300] = "";
    GetWindowTextA(control, text, sizeof text);
    const std::string kind = e.class_name;
    if (kind != "Edit") {
      EXPECT_STREQ(text, e.text);
    }
    EXPECT_EQ(static_cast<int>(static_cast<short>(GetDlgCtrlID(control))), id);
    EXPECT_STRCASEEQ(class_of(control).c_str(), e.class_name);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE));
    if (kind == "Button") {
      EXPECT_EQ(style & BS_TYPEMASK, e.type_bits);
    }
    if (kind == "Edit") {
      // The dialog manager draws a bordered edit box with a client edge.
      const auto ex_style = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_EXSTYLE));
      EXPECT_TRUE((style & WS_BORDER) || (ex_style & WS_EX_CLIENTEDGE));
      EXPECT_TRUE(style & ES_AUTOHSCROLL);
    }
    expect_control(dialog, control, e.rect);
    control = GetWindow(control, GW_HWNDNEXT);
  }
  EXPECT_EQ(control, nullptr);
}

void expect_dialog_frame(HWND dialog, const char* caption) {
  EXPECT_EQ(window_title(dialog), caption);
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE));
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_EQ(style & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
  EXPECT_TRUE(style & DS_MODALFRAME);
  EXPECT_FALSE(style & WS_SYSMENU);
}

// The font of the templates is read back from the resource itself.
std::wstring template_font(const char* name) {
  HRSRC found = FindResourceA(GetModuleHandleA(nullptr), name, reinterpret_cast<LPCSTR>(RT_DIALOG));
  if (!found)
    return L"";
  auto* words = static_cast<const WORD*>(LockResource(LoadResource(GetModuleHandleA(nullptr), found)));
  // DLGTEMPLATE: style (2 words), ex style (2), count, x, y, cx, cy; then menu, class, title, point size, face.
  const WORD* p = words + 9;
  for (int strings = 0; strings < 3; ++strings) {
    if (*p == 0xFFFF)
      p += 2;
    else
      while (*p++) {}
  }
  const WORD size = *p++;
  std::wstring face(reinterpret_cast<const wchar_t*>(p));
  return std::to_wstring(size) + L" " + face;
}

TEST(dialog_templates, default_port_has_its_controls_ids_and_rectangles) {
  dialog_port_number = 7;
  HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), "default_port", nullptr, default_port_proc, 0);
  ASSERT_NE(dialog, nullptr);
  expect_dialog_frame(dialog, "Set Default COM Port");
  EXPECT_EQ(template_font("default_port"), L"8 MS Sans Serif");
  expect_controls(
      dialog,
      {{-1,
        {"There is currently no default serial port selected for this program.  Please select a default COM port "
         "to use below.  You may change the COM port in use at any time by choosing the \"Select COM Port\" item "
         "from the Somnolux menu.",
         "Static", {7, 7, 248, 26}, 0}},
       {-1, {"Default serial port is COM", "Static", {42, 38, 80, 8}, 0}},
       {IDC_PORT_EDIT, {"", "Edit", {123, 36, 40, 14}, 0}},
       {-1, {"(1 - 10)", "Static", {166, 38, 23, 8}, 0}},
       {IDC_PORT_OK, {"OK", "Button", {61, 59, 50, 14}, BS_PUSHBUTTON}},
       {IDC_PORT_QUIT, {"Quit Program", "Button", {143, 59, 69, 14}, BS_PUSHBUTTON}}});
  // Initialisation writes the dialog port number into the edit box.
  EXPECT_EQ(control_text(dialog, IDC_PORT_EDIT), "7");
  DestroyWindow(dialog);
}

TEST(dialog_templates, timeout_dialog_has_its_radio_buttons_and_checks_the_current_choice) {
  dialog_timeout_choice = 1;
  HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), "timeout_dlog", nullptr, timeout_proc, 0);
  ASSERT_NE(dialog, nullptr);
  expect_dialog_frame(dialog, "Set Interface Timeout");
  EXPECT_EQ(template_font("timeout_dlog"), L"8 MS Sans Serif");
  expect_controls(dialog,
                  {{-1, {"Set Somnolux interface maximum timeout to:", "Static", {6, 7, 159, 12}, 0}},
                   {2, {"Normal time (~22 secs)", "Button", {13, 20, 98, 15}, BS_RADIOBUTTON}},
                   {3, {"Longer time (~38 secs)", "Button", {13, 35, 93, 15}, BS_RADIOBUTTON}},
                   {4, {"Longest time (~55 secs)", "Button", {13, 50, 97, 15}, BS_RADIOBUTTON}},
                   {0, {"OK", "Button", {11, 72, 73, 15}, BS_DEFPUSHBUTTON}},
                   {1, {"Cancel", "Button", {92, 72, 80, 15}, BS_PUSHBUTTON}}});
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_TIMEOUT_NORMAL), BST_UNCHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_TIMEOUT_LONGER), BST_CHECKED);
  // Clicking a radio button moves the check; other messages are not the procedure's.
  press(dialog, IDC_TIMEOUT_LONGEST);
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_TIMEOUT_LONGER), BST_UNCHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_TIMEOUT_LONGEST), BST_CHECKED);
  EXPECT_EQ(timeout_proc(dialog, WM_COMMAND, MAKEWPARAM(9, 0), 0), FALSE);
  EXPECT_EQ(timeout_proc(dialog, WM_SIZE, 0, 0), FALSE);
  DestroyWindow(dialog);
}

TEST(dialog_entries, typed_ports_are_read_like_atoi_and_clamped) {
  EXPECT_EQ(parse_port_entry("3"), 3);
  EXPECT_EQ(parse_port_entry("  8"), 8);
  EXPECT_EQ(parse_port_entry("25"), 10);
  EXPECT_EQ(parse_port_entry("abc"), 1);
  EXPECT_EQ(parse_port_entry(""), 1);
  EXPECT_EQ(parse_port_entry("-4"), 1);
  EXPECT_EQ(parse_port_entry("0"), 1);
  EXPECT_EQ(parse_port_entry("7x"), 7);
  EXPECT_EQ(parse_port_entry("99999999999999999999"), 10);
}

using modal_dialogs = app_fixture;

TEST_F(modal_dialogs, port_dialog_ok_writes_the_clamped_port_to_the_preferences) {
  test_app& a = started_app();
  std::string initial;
  dialog_driver driver{"Set Default COM Port",
                       {[&](HWND d) {
                          initial = control_text(d, IDC_PORT_EDIT);
                          SetDlgItemTextA(d, IDC_PORT_EDIT, "25");
                          press(d, IDC_PORT_OK);
                        }}};
  driver.arm();
  a.default_port_dialog();
  EXPECT_FALSE(driver.forced);
  EXPECT_EQ(initial, "1");
  EXPECT_EQ(a.link->port_number, 10);
  EXPECT_EQ(read_file("somnprefs.txt"), "port = COM10\r\n");
  EXPECT_TRUE(item_checked(data_window(a)->window, IDM_COM10));
  EXPECT_FALSE(take_quit());
}

TEST_F(modal_dialogs, escape_in_the_port_dialog_is_quit_program) {
  test_app& a = started_app();
  const std::string before = read_file("somnprefs.txt");
  dialog_driver driver{"Set Default COM Port", {escape}};
  driver.arm();
  a.default_port_dialog();
  EXPECT_FALSE(driver.forced);
  EXPECT_TRUE(take_quit());
  EXPECT_EQ(a.link->port_number, 3);
  EXPECT_EQ(read_file("somnprefs.txt"), before);
}

TEST_F(modal_dialogs, timeout_dialog_escape_checks_normal_and_stays_open_then_ok_applies) {
  test_app& a = started_app();
  a.link->timeout_choice = 2;
  bool longest_at_start = false, normal_after_escape = false, open_after_escape = false;
  dialog_driver driver{"Set Interface Timeout",
                       {[&](HWND d) {
                          longest_at_start = IsDlgButtonChecked(d, IDC_TIMEOUT_LONGEST) == BST_CHECKED;
                          escape(d);
                        },
                        [&](HWND d) {
                          normal_after_escape = IsDlgButtonChecked(d, IDC_TIMEOUT_NORMAL) == BST_CHECKED &&
                                                IsDlgButtonChecked(d, IDC_TIMEOUT_LONGEST) == BST_UNCHECKED;
                          open_after_escape = IsWindowVisible(d);
                          press(d, IDC_TIMEOUT_LONGER);
                          press(d, IDC_TIMEOUT_OK);
                        }}};
  driver.arm();
  a.interface_timeout_dialog();
  EXPECT_FALSE(driver.forced);
  EXPECT_TRUE(longest_at_start);
  EXPECT_TRUE(normal_after_escape);
  EXPECT_TRUE(open_after_escape);
  EXPECT_EQ(a.link->timeout_choice, 1);
  EXPECT_EQ(timeout_dialog_open, 0);
}

TEST_F(modal_dialogs, timeout_dialog_longest_ok_then_cancel_keeps_the_choice) {
  test_app& a = started_app();
  dialog_driver first{"Set Interface Timeout", {[](HWND d) {
                                                   press(d, IDC_TIMEOUT_LONGEST);
                                                   press(d, IDC_TIMEOUT_OK);
                                                 }}};
  first.arm();
  a.interface_timeout_dialog();
  EXPECT_EQ(a.link->timeout_choice, 2);

  bool reopened_with_longest = false;
  dialog_driver second{"Set Interface Timeout", {[&](HWND d) {
                                                    reopened_with_longest =
                                                        IsDlgButtonChecked(d, IDC_TIMEOUT_LONGEST) == BST_CHECKED;
                                                    press(d, IDC_TIMEOUT_NORMAL);
                                                    press(d, IDC_TIMEOUT_CANCEL);
                                                  }}};
  second.arm();
  a.interface_timeout_dialog();
  EXPECT_FALSE(second.forced);
  EXPECT_TRUE(reopened_with_longest);
  EXPECT_EQ(a.link->timeout_choice, 2);
}

TEST_F(modal_dialogs, timeout_dialog_cannot_open_twice) {
  test_app& a = started_app();
  int inner_runs = 0;
  a.on_dialog = [&](const char*, DLGPROC) -> INT_PTR {
    // Another window's menu asks again while the dialog is open.
    data_window(a)->do_command(IDM_INTERFACE_TIMEOUT);
    settings_window(a)->do_command(IDM_INTERFACE_TIMEOUT);
    ++inner_runs;
    dialog_timeout_choice = 1;
    return 0;
  };
  a.interface_timeout_dialog();
  EXPECT_EQ(inner_runs, 1);
  EXPECT_EQ(a.dialogs.size(), 1u);
  EXPECT_EQ(a.link->timeout_choice, 1);
  EXPECT_EQ(timeout_dialog_open, 0);
  a.interface_timeout_dialog();  // open again afterwards
  EXPECT_EQ(a.dialogs.size(), 2u);
}

}  // namespace
