// Drives the running program from outside for the end-to-end check: finds windows, posts commands, answers boxes.
//
//   e2e_driver wait <class> <title> <seconds>    exit 0 once a visible window of that class and title exists;
//                                                prints "menu" when it has a menu bar
//   e2e_driver gone <class> <title> <seconds>    exit 0 once no such window exists
//   e2e_driver post <class> <title> <id|close>   posts WM_COMMAND with the id, or WM_CLOSE, to the window
//   e2e_driver answer <caption> <id> <seconds> [text [control]]
//                                                waits for a message box or dialog with that caption, sets the
//                                                text of the control (0 unless given) when given, prints its
//                                                static texts, presses button id and waits until the box is gone
//   e2e_driver button <caption> <id> <seconds>  waits for a dialog with that caption and presses button id in it,
//                                                leaving the dialog open
//   e2e_driver type <class> <title> <text>       posts WM_CHAR for each character of text to the window; "\t" is Tab
//   e2e_driver press <class> <title> <x> <y>     posts a left-button press at that client point
//   e2e_driver click <class> <title> <x> <y>     brings the window to the front and clicks at that client
//                                                point with the mouse, as a user would
//   e2e_driver keys <class> <title> <text>       brings the window to the front and types the text on the
//                                                keyboard ("\t" is the Tab key)
//   e2e_driver file <caption> <path> <seconds>   waits for a file dialog, enters the path as its file name
//                                                and presses its OK button
//   e2e_driver rect <class> <title> <seconds>    once the window is visible prints its screen rectangle as
//                                                WIDTHxHEIGHT+LEFT+TOP
//   e2e_driver pick <caption> <id> <seconds>     waits for a dialog, selects every item of its list boxes
//                                                and presses button id
//   e2e_driver startup <exe> <class> <title>     starts the program, prints the milliseconds until its window
//                                                of that class and title is visible, then ends it
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace {

// Polls every 50 ms until done() or the time is up.
template <class test>
bool poll(const char* seconds, test done) {
  for (DWORD start = GetTickCount(); !done(); Sleep(50))
    if (GetTickCount() - start > static_cast<DWORD>(std::atof(seconds) * 1000))
      return false;
  return true;
}

BOOL CALLBACK select_all(HWND child, LPARAM) {
  char name[32] = "";
  GetClassNameA(child, name, sizeof name);
  const int count = _stricmp(name, "ListBox") == 0 ? static_cast<int>(SendMessageA(child, LB_GETCOUNT, 0, 0)) : 0;
  for (int i = 0; i < count; ++i)
    SendMessageA(child, LB_SETSEL, TRUE, i);
  return TRUE;
}

BOOL CALLBACK print_static(HWND child, LPARAM) {
  char name[32] = "", text[512] = "";
  GetClassNameA(child, name, sizeof name);
  GetWindowTextA(child, text, sizeof text);
  if (_stricmp(name, "Static") == 0 && text[0])
    std::printf("%s\n", text);
  return TRUE;
}

void send(INPUT input) { SendInput(1, &input, sizeof input); }

void front(HWND w) {
  SetForegroundWindow(w);
  Sleep(200);
}

void click(HWND w, int x, int y) {
  POINT at{x, y};
  ClientToScreen(w, &at);
  front(w);
  SetCursorPos(at.x, at.y);
  for (DWORD flag : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    send(input);
  }
}

void type(HWND w, const char* text) {
  front(w);
  for (; *text; ++text) {
    const bool tab = text[0] == '\\' && text[1] == 't';
    for (DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = tab ? VK_TAB : 0;
      input.ki.wScan = tab ? 0 : static_cast<WORD>(static_cast<unsigned char>(*text));
      input.ki.dwFlags = up | (tab ? 0 : KEYEVENTF_UNICODE);
      send(input);
    }
    text += tab ? 1 : 0;
    Sleep(20);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const char* verb = argc >= 5 ? argv[1] : "";
  HWND w = nullptr;
  auto find = [&] { return w = FindWindowA(argv[2], argv[3]); };
  if (std::strcmp(verb, "wait") == 0) {
    if (!poll(argv[4], [&] { return find() && IsWindowVisible(w); }))
      return 1;
    std::printf("%s\n", GetMenu(w) ? "menu" : "no menu");
    return 0;
  }
  if (std::strcmp(verb, "gone") == 0)
    return poll(argv[4], [&] { return !find(); }) ? 0 : 1;
  if (std::strcmp(verb, "post") == 0) {
    const bool close = std::strcmp(argv[4], "close") == 0;
    return find() && PostMessageA(w, close ? WM_CLOSE : WM_COMMAND, close ? 0 : std::atoi(argv[4]), 0) ? 0 : 1;
  }
  if (std::strcmp(verb, "answer") == 0) {
    if (!poll(argv[4], [&] { return (w = FindWindowA("#32770", argv[2])) != nullptr; }))
      return 1;
    if (argc > 5)
      SetDlgItemTextA(w, argc > 6 ? std::atoi(argv[6]) : 0, argv[5]);
    EnumChildWindows(w, print_static, 0);
    std::fflush(stdout);
    const int id = std::atoi(argv[3]);
    PostMessageA(w, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(w, id)));
    return poll("10", [&] { return !IsWindow(w); }) ? 0 : 1;  // the next box may carry the same caption
  }
  if (std::strcmp(verb, "button") == 0) {
    if (!poll(argv[4], [&] { return (w = FindWindowA("#32770", argv[2])) != nullptr && IsWindowVisible(w); }))
      return 1;
    const int id = std::atoi(argv[3]);
    return SendMessageA(GetDlgItem(w, id), BM_CLICK, 0, 0) == 0 && IsWindow(w) ? 0 : 1;
  }
  if (std::strcmp(verb, "type") == 0) {
    if (!find())
      return 1;
    for (const char* c = argv[4]; *c; ++c) {
      const bool tab = c[0] == '\\' && c[1] == 't';
      PostMessageA(w, WM_CHAR, tab ? '\t' : static_cast<unsigned char>(*c), 1);
      c += tab ? 1 : 0;
    }
    return 0;
  }
  if (std::strcmp(verb, "press") == 0 && argc >= 6)
    return find() && PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(std::atoi(argv[4]), std::atoi(argv[5])))
               ? 0
               : 1;
  if (std::strcmp(verb, "click") == 0 && argc >= 6) {
    if (!find())
      return 1;
    click(w, std::atoi(argv[4]), std::atoi(argv[5]));
    return 0;
  }
  if (std::strcmp(verb, "keys") == 0) {
    if (!find())
      return 1;
    type(w, argv[4]);
    return 0;
  }
  if (std::strcmp(verb, "file") == 0) {
    if (!poll(argv[4], [&] { return (w = FindWindowA("#32770", argv[2])) != nullptr; }))
      return 1;
    Sleep(500);  // the dialog fills its lists first
    SetDlgItemTextA(w, 1148, argv[3]);  // the file name box
    SetDlgItemTextA(w, 1152, argv[3]);  // its older form
    PostMessageA(w, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(w, IDOK)));
    return poll("10", [&] { return !IsWindow(w); }) ? 0 : 1;
  }
  if (std::strcmp(verb, "rect") == 0) {
    RECT r{};
    if (!poll(argv[4], [&] { return find() && IsWindowVisible(w); }) || !GetWindowRect(w, &r))
      return 1;
    std::printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
    return 0;
  }
  if (std::strcmp(verb, "pick") == 0) {
    if (!poll(argv[4], [&] { return (w = FindWindowA("#32770", argv[2])) != nullptr; }))
      return 1;
    EnumChildWindows(w, select_all, 0);
    const int id = std::atoi(argv[3]);
    PostMessageA(w, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(w, id)));
    return poll("10", [&] { return !IsWindow(w); }) ? 0 : 1;
  }
  if (std::strcmp(verb, "startup") == 0) {
    STARTUPINFOA start_info{};
    start_info.cb = sizeof start_info;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency, begin, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    if (!CreateProcessA(argv[2], nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start_info, &process))
      return 1;
    while (!((w = FindWindowA(argv[3], argv[4])) && IsWindowVisible(w)) &&
           WaitForSingleObject(process.hProcess, 1) == WAIT_TIMEOUT) {
    }
    QueryPerformanceCounter(&now);
    const bool seen = w && IsWindowVisible(w);
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    if (!seen)
      return 1;
    std::printf("%.1f\n", 1000.0 * static_cast<double>(now.QuadPart - begin.QuadPart) / static_cast<double>(frequency.QuadPart));
    return 0;
  }
  std::fprintf(stderr, "usage: e2e_driver wait|gone|post|answer|button|type|press|click|keys|file|rect|pick|startup ...\n");
  return 2;
}
