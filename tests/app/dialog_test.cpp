// Set Interface Timeout: its buttons by their labels, OK, Cancel and Escape.
#include "dialog_driver.h"
#include "test_app.h"

namespace {

using timeout_dialog = app_fixture;

// Escape as the keyboard gives it.
void escape(HWND dialog) { PostMessageA(GetFocus() ? GetFocus() : dialog, WM_KEYDOWN, VK_ESCAPE, 0); }

// Clicks the dialog's button with this label.
void click_label(HWND dialog, const char* label) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (title(child) == label) SendMessageA(child, BM_CLICK, 0, 0);
}

// The labels of the checked radio buttons.
std::string checked_labels(HWND dialog) {
  std::string out;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (SendMessageA(child, BM_GETCHECK, 0, 0) == BST_CHECKED) out += title(child) + "|";
  return out;
}

TEST_F(timeout_dialog, ok_takes_the_checked_time_cancel_keeps_the_last_and_escape_checks_normal_without_closing) {
  app_type& a = start_app();
  const struct {
    std::vector<std::function<void(HWND)>> steps;
    const char* seen;  // the checked buttons at each step
    int choice;
  } rows[] = {
      {{[](HWND d) { click_label(d, "Longest time (~55 secs)"), click_label(d, "OK"); }}, "Normal time (~22 secs)|", 2},
      {{[](HWND d) { click_label(d, "Longer time (~38 secs)"), click_label(d, "Cancel"); }}, "Longest time (~55 secs)|",
       2},
      {{escape, [](HWND d) { click_label(d, "Longer time (~38 secs)"), click_label(d, "OK"); }},
       "Longest time (~55 secs)|Normal time (~22 secs)|", 1},
  };
  for (const auto& row : rows) {
    std::string seen;
    std::vector<std::function<void(HWND)>> steps;
    for (const auto& step : row.steps)
      steps.push_back([&](HWND d) { seen += checked_labels(d), step(d); });
    dialog_driver driver{"Set Interface Timeout", steps};
    EXPECT_TRUE(driver.drive([&] { command(data_win()->window, IDM_INTERFACE_TIMEOUT); }));
    EXPECT_EQ(seen, row.seen);
    EXPECT_EQ(a.link()->timeout_choice, row.choice);
  }
}

}  // namespace
