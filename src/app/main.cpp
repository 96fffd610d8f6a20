// Program entry of nightglow.exe: the application object, its message loop, its end.
#include <windows.h>

#include <memory>
#include <new>

#include "app/app_type.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
  // A second copy of the program runs on its own: the previous instance and the
  // command line are not used.
  int exit_code = 1;
  try {
    auto application = std::make_unique<app_type>(instance, show_command);
    exit_code = application->run();
    application.reset();
  } catch (const std::bad_alloc&) {
    // Nothing to show the user with: the program ends with a non-zero code.
  }
  return exit_code;
}
