// Loaded by e2e_driver into the program's thread to read one of its menu items: under Wine no other process
// can read a window's menu. The request is the registered message "e2e_menu_item" posted to the window, with
// the item's id and the driver's window, whose text becomes "<item> checked", "<item> unchecked" or "none".
// The program never sees the request.
#include <windows.h>

#include <cstdio>

extern "C" __declspec(dllexport) LRESULT CALLBACK menu_item_hook(int code, WPARAM removed, LPARAM lp) {
  auto* msg = reinterpret_cast<MSG*>(lp);
  if (code == HC_ACTION && removed == PM_REMOVE && msg->message == RegisterWindowMessageA("e2e_menu_item")) {
    const HMENU menu = GetMenu(msg->hwnd);
    const UINT id = static_cast<UINT>(msg->wParam), state = GetMenuState(menu, id, MF_BYCOMMAND);
    char item[128] = "", answer[160] = "none";
    if (state != static_cast<UINT>(-1) && GetMenuStringA(menu, id, item, sizeof item, MF_BYCOMMAND))
      std::snprintf(answer, sizeof answer, "%s %s", item, state & MF_CHECKED ? "checked" : "unchecked");
    SendMessageA(reinterpret_cast<HWND>(msg->lParam), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(answer));
    msg->message = WM_NULL;
  }
  return CallNextHookEx(nullptr, code, removed, lp);
}
