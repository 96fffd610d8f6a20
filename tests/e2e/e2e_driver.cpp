// Drives the running program from outside for the end-to-end check: finds windows, sends commands, answers boxes.
//
//   e2e_driver wait <class> <title> <seconds>      exit 0 once a visible window of that class and title exists
//   e2e_driver gone <class> <title> <seconds>      exit 0 once no such window exists
//   e2e_driver menu <class> <title>                exit 0 when the window has a menu bar
//   e2e_driver command <class> <title> <id>        posts WM_COMMAND with the id to the window
//   e2e_driver close <class> <title>               posts WM_CLOSE to the window
//   e2e_driver answer <caption> <id> <seconds>     waits for a message box or dialog with that caption, prints
//                                                  its static texts, presses button id and waits until it is gone
//   e2e_driver settext <caption> <id> <text>       sets the text of control id in the dialog with that caption
//
// A class of "-" matches any class (message boxes and dialogs are "#32770").
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HWND find(const char* class_name, const char* title) {
  return FindWindowA(std::strcmp(class_name, "-") == 0 ? nullptr : class_name, title);
}

// Polls every 50 ms until the test gives true or the time is up.
template <class test>
bool poll(double seconds, test done) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(seconds * 1000);
  for (;;) {
    if (done())
      return true;
    if (static_cast<LONG>(GetTickCount() - end) >= 0)
      return false;
    Sleep(50);
  }
}

BOOL CALLBACK print_static(HWND child, LPARAM) {
  char name[32] = "";
  GetClassNameA(child, name, sizeof name);
  if (_stricmp(name, "Static") == 0) {
    char text[512] = "";
    GetWindowTextA(child, text, sizeof text);
    if (text[0])
      std::printf("%s\n", text);
  }
  return TRUE;
}

int usage() {
  std::fprintf(stderr, "usage: e2e_driver wait|gone|menu|command|close|answer ...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2)
    return usage();
  const char* verb = argv[1];
  if (std::strcmp(verb, "wait") == 0 && argc == 5) {
    const bool found = poll(std::atof(argv[4]), [&] {
      HWND w = find(argv[2], argv[3]);
      return w && IsWindowVisible(w);
    });
    if (!found)
      std::fprintf(stderr, "no visible window \"%s\" of class %s\n", argv[3], argv[2]);
    return found ? 0 : 1;
  }
  if (std::strcmp(verb, "gone") == 0 && argc == 5)
    return poll(std::atof(argv[4]), [&] { return find(argv[2], argv[3]) == nullptr; }) ? 0 : 1;
  if (std::strcmp(verb, "menu") == 0 && argc == 4) {
    HWND w = find(argv[2], argv[3]);
    return w && GetMenu(w) ? 0 : 1;
  }
  if ((std::strcmp(verb, "command") == 0 && argc == 5) || (std::strcmp(verb, "close") == 0 && argc == 4)) {
    HWND w = find(argv[2], argv[3]);
    if (!w) {
      std::fprintf(stderr, "no window \"%s\" of class %s\n", argv[3], argv[2]);
      return 1;
    }
    if (argc == 5)
      return PostMessageA(w, WM_COMMAND, MAKEWPARAM(std::atoi(argv[4]), 0), 0) ? 0 : 1;
    return PostMessageA(w, WM_CLOSE, 0, 0) ? 0 : 1;
  }
  if (std::strcmp(verb, "answer") == 0 && argc == 5) {
    HWND box = nullptr;
    if (!poll(std::atof(argv[4]), [&] { return (box = FindWindowA("#32770", argv[2])) != nullptr; })) {
      std::fprintf(stderr, "no message box \"%s\"\n", argv[2]);
      return 1;
    }
    EnumChildWindows(box, print_static, 0);
    std::fflush(stdout);
    const int id = std::atoi(argv[3]);
    if (!PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id))))
      return 1;
    // The next question may carry the same caption: leave only when this box is gone.
    return poll(10, [&] { return !IsWindow(box); }) ? 0 : 1;
  }
  if (std::strcmp(verb, "settext") == 0 && argc == 5) {
    HWND dialog = FindWindowA("#32770", argv[2]);
    HWND control = dialog ? GetDlgItem(dialog, std::atoi(argv[3])) : nullptr;
    return control && SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4])) ? 0 : 1;
  }
  return usage();
}
