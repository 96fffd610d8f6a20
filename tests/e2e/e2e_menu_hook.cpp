// A hook that e2e_driver loads into the program to read one of its menu items: under Wine no other
// process can read a window's menu.
#include <windows.h>

#include <cstdio>
#include <cstring>

// The request is the registered message "e2e_menu_item" posted to the window: the item's id in wParam,
// the driver's window for the answer in lParam. The answer, by WM_COPYDATA, is "<text> checked" or
// "<text> unchecked", or empty when the window's menu has no such item. The program never sees it.
extern "C" __declspec(dllexport) LRESULT CALLBACK menu_item_hook(int code, WPARAM removed, LPARAM lp) {
  auto* msg = reinterpret_cast<MSG*>(lp);
  if (code == HC_ACTION && removed == PM_REMOVE && msg->message == RegisterWindowMessageA("e2e_menu_item")) {
    const HMENU menu = GetMenu(msg->hwnd);
    const UINT id = static_cast<UINT>(msg->wParam);
    const UINT state = menu ? GetMenuState(menu, id, MF_BYCOMMAND) : static_cast<UINT>(-1);
    char item[128] = "", answer[160] = "";
    if (state != static_cast<UINT>(-1)) {
      GetMenuStringA(menu, id, item, sizeof item, MF_BYCOMMAND);
      std::snprintf(answer, sizeof answer, "%s %s", item, state & MF_CHECKED ? "checked" : "unchecked");
    }
    COPYDATASTRUCT data{0, static_cast<DWORD>(std::strlen(answer) + 1), answer};
    SendMessageA(reinterpret_cast<HWND>(msg->lParam), WM_COPYDATA, reinterpret_cast<WPARAM>(msg->hwnd),
                 reinterpret_cast<LPARAM>(&data));
    msg->message = WM_NULL;
  }
  return CallNextHookEx(nullptr, code, removed, lp);
}
