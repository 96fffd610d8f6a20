// Proves the Windows test harness: a real window under Wine, driven by messages.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

struct probe_state {
  std::string typed;
  int clicks = 0;
  POINT last_click{};
};

LRESULT CALLBACK probe_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* state = reinterpret_cast<probe_state*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (msg) {
    case WM_CHAR:
      state->typed.push_back(static_cast<char>(wp));
      return 0;
    case WM_LBUTTONDOWN:
      state->clicks++;
      state->last_click = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      return 0;
    default:
      return DefWindowProcA(hwnd, msg, wp, lp);
  }
}

TEST(window_harness, hidden_window_receives_messages_and_keeps_state) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA wc{};
  wc.lpfnWndProc = probe_proc;
  wc.hInstance = instance;
  wc.lpszClassName = "ng_probe_window";
  ASSERT_NE(RegisterClassA(&wc), 0);

  HWND hwnd = CreateWindowExA(0, "ng_probe_window", "Probe", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr,
                              nullptr, instance, nullptr);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_FALSE(IsWindowVisible(hwnd));

  probe_state state;
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
  for (char c : std::string("REM"))
    SendMessageA(hwnd, WM_CHAR, static_cast<WPARAM>(c), 0);
  SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 25));

  EXPECT_EQ(state.typed, "REM");
  EXPECT_EQ(state.clicks, 1);
  EXPECT_EQ(state.last_click.x, 40);
  EXPECT_EQ(state.last_click.y, 25);

  char title[64] = {};
  GetWindowTextA(hwnd, title, sizeof title);
  EXPECT_STREQ(title, "Probe");

  SetWindowTextA(hwnd, "Renamed");
  GetWindowTextA(hwnd, title, sizeof title);
  EXPECT_STREQ(title, "Renamed");

  EXPECT_TRUE(DestroyWindow(hwnd));
  EXPECT_FALSE(IsWindow(hwnd));
  UnregisterClassA("ng_probe_window", instance);
}

}  // namespace
