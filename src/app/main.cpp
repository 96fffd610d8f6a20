// Program entry of nightglow.exe: the application object, its message loop, its end.
#include <windows.h>

#include <memory>
#include <new>

#include "app/app_type.h"
#include "app/command_line.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int show_command) {
  // A second copy of the program runs on its own: the previous instance is not used. A
  // document named on the command line (a double click on it) opens after the start-up.
  int exit_code = 1;
  try {
    auto application = std::make_unique<app_type>(instance, show_command);
    open_from_command_line(*application, command_line);
    exit_code = application->run();
    application.reset();
  } catch (const std::bad_alloc&) {
    // Nothing to show the user with: the program ends with a non-zero code.
  }
  return exit_code;
}
