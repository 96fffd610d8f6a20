// A hook that e2e_driver loads into the program to read one of its menu items: under Wine no other
// process can read a window's menu.
#include <windows.h>

#include <cstdio>

// The request is the registered message "e2e_menu_item" posted to the window: the item's id in wParam, the
// driver's thread in lParam. The answer goes back as WM_APP to that thread, with a global atom of
// "<text> checked" or "<text> unchecked" in wParam, or 0 when the menu has no such item. The program never
// sees the request.
extern "C" __declspec(dllexport) LRESULT CALLBACK menu_item_hook(int code, WPARAM removed, LPARAM lp) {
  auto* msg = reinterpret_cast<MSG*>(lp);
  if (code == HC_ACTION && removed == PM_REMOVE && msg->message == RegisterWindowMessageA("e2e_menu_item")) {
    const HMENU menu = GetMenu(msg->hwnd);
    const UINT id = static_cast<UINT>(msg->wParam), state = menu ? GetMenuState(menu, id, MF_BYCOMMAND) : ~0u;
    char item[128] = "", answer[160] = "";
    if (state != ~0u && GetMenuStringA(menu, id, item, sizeof item, MF_BYCOMMAND) > 0)
      std::snprintf(answer, sizeof answer, "%s %s", item, state & MF_CHECKED ? "checked" : "unchecked");
    PostThreadMessageA(static_cast<DWORD>(msg->lParam), WM_APP, answer[0] ? GlobalAddAtomA(answer) : 0, 0);
    msg->message = WM_NULL;
  }
  return CallNextHookEx(nullptr, code, removed, lp);
}
