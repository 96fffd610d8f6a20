// Drives the running program from outside for the end-to-end check: finds windows, posts commands, answers boxes.
//
//   e2e_driver wait <class> <title> <seconds>    exit 0 once a visible window of that class and title exists;
//                                                prints "menu" when it has a menu bar
//   e2e_driver gone <class> <title> <seconds>    exit 0 once no such window exists
//   e2e_driver post <class> <title> <id|close>   posts WM_COMMAND with the id, or WM_CLOSE, to the window
//   e2e_driver item <class> <title> <id>         prints the text of the window's menu item with that id and
//                                                "checked" or "unchecked" ("COM&3 checked"); exit 1 when none
//                                                (read inside the program by e2e_menu_hook.dll, beside the driver)
//   e2e_driver answer <caption> <id> <seconds> [text [control]]
//                                                waits for a message box or dialog with that caption, sets the
//                                                text of the control (0 unless given) when given, prints its
//                                                static texts, presses button id and waits until the box is gone
//   e2e_driver button <caption> <id> <seconds>  waits for a dialog with that caption and presses button id in it,
//                                                leaving the dialog open
//   e2e_driver click <class> <title> <x> <y>     brings the window to the front and clicks at that client
//                                                point with the mouse, as a user would
//   e2e_driver keys <class> <title> <text>       brings the window to the front and types the text on the
//                                                keyboard ("\t" is the Tab key, "\<" and "\>" the arrow keys)
//   e2e_driver file <caption> <path> <seconds>   waits for a file dialog, enters the path as its file name
//                                                and presses its OK button
//   e2e_driver rect <class> <title> <seconds> [client]
//                                                once the window is visible prints its screen rectangle (or its
//                                                client area's) as WIDTHxHEIGHT+LEFT+TOP
//   e2e_driver clip <class> <title> <file.bmp>   when that window put a picture on the clipboard, writes it to
//                                                the file and prints its size as WIDTHxHEIGHT
//   e2e_driver cliptext <class> <title> <file>   when that window put text on the clipboard, writes its bytes
//                                                (up to the ending NUL) to the file and prints their count
//   e2e_driver startup <exe> <class> <title>     starts the program, prints the milliseconds until its window
//                                                of that class and title is visible, then ends it
//   e2e_driver typed <text>                      types the text on the keyboard into whichever window has it,
//                                                as "keys" does but without choosing the window
//   e2e_driver setclip <text>                    puts the text on the clipboard ("\t" is a tab)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
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

// The virtual key that "\c" names in a text to type, or 0.
WORD named_key(const char* text) {
  if (text[0] != '\\') return 0;
  switch (text[1]) {
    case 't': return VK_TAB;
    case '<': return VK_LEFT;
    case '>': return VK_RIGHT;
    default: return 0;
  }
}

void type(HWND w, const char* text) {
  if (w) front(w);
  for (; *text; ++text) {
    const WORD key = named_key(text);
    for (DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = key;
      input.ki.wScan = key ? 0 : static_cast<WORD>(static_cast<unsigned char>(*text));
      input.ki.dwFlags = up | (key ? 0 : KEYEVENTF_UNICODE);
      send(input);
    }
    text += key ? 1 : 0;
    Sleep(20);
  }
}

// Writes the clipboard's picture as a .bmp file; false when it holds none.
bool save_clipboard_picture(const char* path, LONG& width, LONG& height) {
  if (!OpenClipboard(nullptr)) return false;
  bool saved = false;
  if (HGLOBAL memory = GetClipboardData(CF_DIB)) {
    const auto* info = static_cast<const BITMAPINFOHEADER*>(GlobalLock(memory));
    const DWORD size = static_cast<DWORD>(GlobalSize(memory));
    DWORD colours = info->biClrUsed ? info->biClrUsed : (info->biBitCount <= 8 ? 1u << info->biBitCount : 0);
    colours += info->biCompression == BI_BITFIELDS ? 3 : 0;
    BITMAPFILEHEADER head{};
    head.bfType = 0x4d42;  // "BM"
    head.bfSize = sizeof head + size;
    head.bfOffBits = sizeof head + info->biSize + colours * sizeof(RGBQUAD);
    if (FILE* file = std::fopen(path, "wb")) {
      saved = std::fwrite(&head, sizeof head, 1, file) == 1 && std::fwrite(info, size, 1, file) == 1;
      saved = std::fclose(file) == 0 && saved;
    }
    width = info->biWidth;
    height = info->biHeight < 0 ? -info->biHeight : info->biHeight;
    GlobalUnlock(memory);
  }
  CloseClipboard();
  return saved;
}

char menu_answer[160] = "";
bool menu_answered = false;

LRESULT CALLBACK answer_proc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_COPYDATA) return DefWindowProcA(window, msg, wp, lp);
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lp);
  lstrcpynA(menu_answer, static_cast<const char*>(data->lpData),
            static_cast<int>(data->cbData < sizeof menu_answer ? data->cbData : sizeof menu_answer));
  menu_answered = true;
  return TRUE;
}

// Asks the hook, loaded into the window's thread for the time of one request, for a menu item of it.
bool read_menu_item(HWND w, UINT id) {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  char* name = path + length;
  while (name > path && name[-1] != '\\' && name[-1] != '/') --name;
  lstrcpynA(name, "e2e_menu_hook.dll", static_cast<int>(path + MAX_PATH - name));
  const HMODULE module = LoadLibraryA(path);
  const auto hook_proc =
      module ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(module, "menu_item_hook"))) : nullptr;
  if (!hook_proc) return false;
  WNDCLASSA answers{};
  answers.lpfnWndProc = answer_proc;
  answers.hInstance = GetModuleHandleA(nullptr);
  answers.lpszClassName = "e2e_answers";
  RegisterClassA(&answers);
  const HWND reply = CreateWindowExA(0, "e2e_answers", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  const HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, hook_proc, module, GetWindowThreadProcessId(w, nullptr));
  if (reply && hook) PostMessageA(w, RegisterWindowMessageA("e2e_menu_item"), id, reinterpret_cast<LPARAM>(reply));
  poll("10", [&] {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    return menu_answered || !hook;
  });
  if (hook) UnhookWindowsHookEx(hook);
  return menu_answered;
}

// Writes the clipboard's text as it is to a file; false when it holds none.
bool save_clipboard_text(const char* path, std::size_t& size) {
  if (!OpenClipboard(nullptr)) return false;
  bool saved = false;
  if (HGLOBAL memory = GetClipboardData(CF_TEXT)) {
    const auto* text = static_cast<const char*>(GlobalLock(memory));
    size = text ? strnlen(text, GlobalSize(memory)) : 0;
    if (FILE* file = text ? std::fopen(path, "wb") : nullptr) {
      saved = std::fwrite(text, 1, size, file) == size;
      saved = std::fclose(file) == 0 && saved;
    }
    GlobalUnlock(memory);
  }
  CloseClipboard();
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "typed") == 0) {
    type(nullptr, argv[2]);
    return 0;
  }
  if (argc == 3 && std::strcmp(argv[1], "setclip") == 0) {
    std::string text;
    for (const char* c = argv[2]; *c; ++c) text += c[0] == '\\' && c[1] == 't' ? (++c, '\t') : *c;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1);
    if (!memory || !OpenClipboard(nullptr)) return 1;
    std::memcpy(GlobalLock(memory), text.data(), text.size());
    GlobalUnlock(memory);
    EmptyClipboard();
    const bool set = SetClipboardData(CF_TEXT, memory) != nullptr;
    CloseClipboard();
    return set ? 0 : 1;
  }
  const char* verb = argc >= 5 ? argv[1] : "";
  HWND w = nullptr;
  auto find = [&] { return w = FindWindowA(argv[2], argv[3]); };
  if (std::strcmp(verb, "wait") == 0) {
    if (!poll(argv[4], [&] { return find() && IsWindowVisible(w); })) return 1;
    std::printf("%s\n", GetMenu(w) ? "menu" : "no menu");
    return 0;
  }
  if (std::strcmp(verb, "gone") == 0) return poll(argv[4], [&] { return !find(); }) ? 0 : 1;
  if (std::strcmp(verb, "post") == 0) {
    const bool close = std::strcmp(argv[4], "close") == 0;
    return find() && PostMessageA(w, close ? WM_CLOSE : WM_COMMAND, close ? 0 : std::atoi(argv[4]), 0) ? 0 : 1;
  }
  if (std::strcmp(verb, "item") == 0) {
    if (!find()) return 1;
    const bool answered = read_menu_item(w, static_cast<UINT>(std::atoi(argv[4])));
    if (answered && menu_answer[0]) std::printf("%s\n", menu_answer);
    return answered && menu_answer[0] ? 0 : 1;
  }
  if (std::strcmp(verb, "answer") == 0) {
    if (!poll(argv[4], [&] { return (w = FindWindowA("#32770", argv[2])) != nullptr; })) return 1;
    if (argc > 5) SetDlgItemTextA(w, argc > 6 ? std::atoi(argv[6]) : 0, argv[5]);
    EnumChildWindows(w, print_static, 0);
    std::fflush(stdout);
    const int id = std::atoi(argv[3]);
    PostMessageA(w, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(w, id)));
    return poll("10", [&] { return !IsWindow(w); }) ? 0 : 1;  // the next box may carry the same caption
  }
  if (std::strcmp(verb, "button") == 0) {
    if (!poll(argv[4], [&] { return (w = FindWindowA("#32770", argv[2])) != nullptr && IsWindowVisible(w); })) return 1;
    const int id = std::atoi(argv[3]);
    return SendMessageA(GetDlgItem(w, id), BM_CLICK, 0, 0) == 0 && IsWindow(w) ? 0 : 1;
  }
  if (std::strcmp(verb, "click") == 0 && argc >= 6) {
    if (!find()) return 1;
    click(w, std::atoi(argv[4]), std::atoi(argv[5]));
    return 0;
  }
  if (std::strcmp(verb, "keys") == 0) {
    if (!find()) return 1;
    type(w, argv[4]);
    return 0;
  }
  if (std::strcmp(verb, "file") == 0) {
    if (!poll(argv[4], [&] { return (w = FindWindowA("#32770", argv[2])) != nullptr; })) return 1;
    Sleep(500);                         // the dialog fills its lists first
    SetDlgItemTextA(w, 1148, argv[3]);  // the file name box
    SetDlgItemTextA(w, 1152, argv[3]);  // its older form
    PostMessageA(w, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(w, IDOK)));
    return poll("10", [&] { return !IsWindow(w); }) ? 0 : 1;
  }
  if (std::strcmp(verb, "rect") == 0) {
    RECT r{};
    if (!poll(argv[4], [&] { return find() && IsWindowVisible(w); }) || !GetWindowRect(w, &r)) return 1;
    if (argc > 5 && std::strcmp(argv[5], "client") == 0) {
      GetClientRect(w, &r);
      MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&r), 2);
    }
    std::printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
    return 0;
  }
  if (std::strcmp(verb, "clip") == 0) {
    LONG width = 0, height = 0;
    if (!find() || GetClipboardOwner() != w || !save_clipboard_picture(argv[4], width, height)) return 1;
    std::printf("%ldx%ld\n", width, height);
    return 0;
  }
  if (std::strcmp(verb, "cliptext") == 0) {
    std::size_t size = 0;
    if (!find() || GetClipboardOwner() != w || !save_clipboard_text(argv[4], size)) return 1;
    std::printf("%lu\n", static_cast<unsigned long>(size));
    return 0;
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
    if (!seen) return 1;
    std::printf("%.1f\n",
                1000.0 * static_cast<double>(now.QuadPart - begin.QuadPart) / static_cast<double>(frequency.QuadPart));
    return 0;
  }
  std::fprintf(stderr,
               "usage: e2e_driver wait|gone|post|item|answer|button|click|keys|file|rect|clip|cliptext|startup|typed|"
               "setclip ...\n");
  return 2;
}
