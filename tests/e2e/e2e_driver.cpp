// Drives the running program from outside for the end-to-end checks, as a user would. Exit 1 when the window
// never came. A window is named by class and title, a dialog or box by its caption; "\t" in texts is a tab.
//   wait|gone <class> <title> <seconds>      until the window shows (prints "menu" if it has one), or is gone
//   post <class> <title> <id|close>          posts WM_COMMAND with the id, or WM_CLOSE
//   item <class> <title> <id>                its menu item with that id: "COM&3 checked" or "... unchecked"
//   answer <caption> <id> <seconds> [text [control]]   sets the control's text (0 unless given; 1148: a file
//                                            dialog's name), prints the static texts, presses button id
//   click <class> <title> <x> <y>            clicks at that client point
//   keys <class|-> <title> <text>            types into the window (-: the focused one); "\<", "\>": arrows
//   rect <class> <title> <seconds> [client]  the window's (or client area's) screen rectangle, WxH+X+Y
//   clip <class> <title> <file> [text]       the clipboard's picture as a DIB (or its text), if that window's
//   setclip <text>                           puts the text on the clipboard
//   startup <exe> <class> <title>            the ms from starting the program until that window shows
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Polls every 50 ms until done() or the time is up.
template <class test>
bool poll(const char* seconds, test done) {
  for (DWORD start = GetTickCount(); !done(); Sleep(50))
    if (GetTickCount() - start > static_cast<DWORD>(std::atof(seconds) * 1000)) return false;
  return true;
}

BOOL CALLBACK print_static(HWND child, LPARAM) {
  char name[32] = "", text[512] = "";
  GetClassNameA(child, name, sizeof name);
  GetWindowTextA(child, text, sizeof text);
  if (_stricmp(name, "Static") == 0 && text[0]) std::printf("%s\n", text);
  return TRUE;
}

void click(HWND w, int x, int y) {
  POINT at{x, y};
  ClientToScreen(w, &at);
  SetForegroundWindow(w), Sleep(200), SetCursorPos(at.x, at.y);
  INPUT input[2]{};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN, input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, input, sizeof *input);
}

void type(HWND w, const char* text) {
  if (w) SetForegroundWindow(w), Sleep(200);
  static const char names[] = "t<>";
  static const WORD keys[] = {VK_TAB, VK_LEFT, VK_RIGHT};
  for (; *text; ++text, Sleep(20)) {
    const char* named = text[0] == '\\' ? std::strchr(names, text[1]) : nullptr;
    const WORD key = named && *named ? keys[named - names] : 0;
    INPUT input[2]{};
    for (int up = 0; up < 2; ++up) {
      input[up].type = INPUT_KEYBOARD;
      input[up].ki.wVk = key;
      input[up].ki.wScan = key ? 0 : static_cast<WORD>(static_cast<unsigned char>(*text));
      input[up].ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (key ? 0 : KEYEVENTF_UNICODE);
    }
    SendInput(2, input, sizeof *input);
    text += key ? 1 : 0;
  }
}

// Writes the clipboard's text (up to its NUL) or its picture as a DIB into a file; false when it holds none.
bool save_clipboard(const char* path, bool text) {
  if (!OpenClipboard(nullptr)) return false;
  const HGLOBAL memory = GetClipboardData(text ? CF_TEXT : CF_DIB);
  const auto* bytes = memory ? static_cast<const char*>(GlobalLock(memory)) : nullptr;
  FILE* file = bytes ? std::fopen(path, "wb") : nullptr;
  const std::size_t size = file ? (text ? strnlen(bytes, GlobalSize(memory)) : GlobalSize(memory)) : 0;
  bool saved = file && std::fwrite(bytes, 1, size, file) == size;
  saved = file && std::fclose(file) == 0 && saved;
  if (bytes) GlobalUnlock(memory);
  CloseClipboard();
  return saved;
}

// The window's menu item as e2e_menu_hook.dll, beside the driver, reads it inside the program's thread.
bool read_menu_item(HWND w, const char* id, char* answer, int size) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::strcpy(std::strrchr(path, '\\') + 1, "e2e_menu_hook.dll");
  const HMODULE module = LoadLibraryA(path);
  const auto hook_proc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(module, "menu_item_hook")));
  const HWND reply = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  const HHOOK hook =
      hook_proc ? SetWindowsHookExA(WH_GETMESSAGE, hook_proc, module, GetWindowThreadProcessId(w, nullptr)) : nullptr;
  if (!hook ||
      !PostMessageA(w, RegisterWindowMessageA("e2e_menu_item"), std::atoi(id), reinterpret_cast<LPARAM>(reply)))
    return false;
  const bool answered = poll("10", [&] {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    return GetWindowTextA(reply, answer, size) > 0;
  });
  UnhookWindowsHookEx(hook);
  return answered && std::strcmp(answer, "none") != 0;
}

bool set_clipboard(const char* typed) {
  std::string text;
  for (const char* c = typed; *c; ++c) text += c[0] == '\\' && c[1] == 't' ? (++c, '\t') : *c;
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1);
  if (!memory || !OpenClipboard(nullptr)) return false;
  std::memcpy(GlobalLock(memory), text.data(), text.size());
  GlobalUnlock(memory);
  const bool set = EmptyClipboard() && SetClipboardData(CF_TEXT, memory);
  return CloseClipboard() && set;
}

}  // namespace

int main(int argc, char** argv) {
  const auto is = [&](const char* verb, int args) { return argc >= args && std::strcmp(argv[1], verb) == 0; };
  HWND w = nullptr;
  if (is("setclip", 3)) return set_clipboard(argv[2]) ? 0 : 1;
  if (is("startup", 5)) {
    STARTUPINFOA start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION process{};
    const DWORD begin = GetTickCount();
    if (!CreateProcessA(argv[2], nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process)) return 1;
    bool seen = false;
    while (!(seen = (w = FindWindowA(argv[3], argv[4])) && IsWindowVisible(w)) &&
           WaitForSingleObject(process.hProcess, 1) == WAIT_TIMEOUT)
      continue;
    if (seen) std::printf("%lu\n", GetTickCount() - begin);
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    return seen ? 0 : 1;
  }
  const auto find = [&] { return w = FindWindowA(argv[2], argv[3]); };
  const auto visible = [&] { return find() && IsWindowVisible(w); };
  const auto dialog = [&] { return (w = FindWindowA("#32770", argv[2])) && IsWindowVisible(w); };
  if (is("wait", 5)) return poll(argv[4], visible) ? std::printf("%s\n", GetMenu(w) ? "menu" : "no menu"), 0 : 1;
  if (is("gone", 5)) return poll(argv[4], [&] { return !find(); }) ? 0 : 1;
  if (is("post", 5)) {
    const bool close = std::strcmp(argv[4], "close") == 0;
    return find() && PostMessageA(w, close ? WM_CLOSE : WM_COMMAND, close ? 0 : std::atoi(argv[4]), 0) ? 0 : 1;
  }
  if (is("item", 5)) {
    char answer[160] = "";
    return find() && read_menu_item(w, argv[4], answer, sizeof answer) ? std::printf("%s\n", answer), 0 : 1;
  }
  if (is("answer", 5)) {
    if (!poll(argv[4], dialog)) return 1;
    if (argc > 5) Sleep(500), SetDlgItemTextA(w, argc > 6 ? std::atoi(argv[6]) : 0, argv[5]);  // once it is filled
    EnumChildWindows(w, print_static, 0);
    std::fflush(stdout);
    const int id = std::atoi(argv[3]);
    PostMessageA(w, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(w, id)));
    return poll("10", [&] { return !IsWindow(w); }) ? 0 : 1;  // the next box may carry the same caption
  }
  if (is("click", 6)) return find() ? click(w, std::atoi(argv[4]), std::atoi(argv[5])), 0 : 1;
  if (is("keys", 5)) return find() || std::strcmp(argv[2], "-") == 0 ? type(w, argv[4]), 0 : 1;
  if (is("rect", 5)) {
    RECT r{};
    if (!poll(argv[4], visible) || !GetWindowRect(w, &r)) return 1;
    if (argc > 5) GetClientRect(w, &r), MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&r), 2);  // client
    std::printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
    return 0;
  }
  if (is("clip", 5)) return find() && GetClipboardOwner() == w && save_clipboard(argv[4], argc > 5) ? 0 : 1;
  std::fprintf(stderr, "usage: e2e_driver wait|gone|post|item|answer|click|keys|rect|clip|setclip|startup ...\n");
  return 2;
}
