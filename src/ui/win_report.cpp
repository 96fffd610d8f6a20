// Export Report and Copy Text of the data and settings windows: a window's report text to a file or the clipboard.
#include <cstring>
#include <new>

#include "app/app_type.h"
#include "exchange/exchange_files.h"
#include "ui/win_type.h"

void win_type::save_report(const std::function<std::string()>& make_text) {
  app_type* const app = application;
  char path[264] = "";
  std::strcpy(path, report_file_name);
  char title[512] = "";
  if (app->choose_file_to_save(path, title, "Somnolux Report (*.TXT)\0*.txt\0", "txt", window, "Save Report") != 1)
    return;
  path[sizeof path - 1] = '\0';
  std::string text;
  try {
    text = make_text();
  } catch (const std::bad_alloc&) {
    app->show_message(text_failed);
    return;
  }
  if (const char* failure = write_report_file(path, text)) app->show_message(failure);
}

void win_type::copy_report(const std::function<std::string()>& make_text,
                           const std::function<std::string(const std::string&)>& with_returns) {
  app_type* const app = application;
  std::string copy;
  const char* failure = text_failed;
  try {
    const std::string text = make_text();
    failure = returns_failed;
    copy = with_returns(text);
  } catch (const std::bad_alloc&) {
    app->show_message(failure);
    return;
  }
  // The block's last byte stays zero from the allocation: it ends the text.
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, copy.size() + 1);
  if (!memory) {
    app->show_message(global_memory_failed);
    return;
  }
  if (void* bytes = GlobalLock(memory)) {
    std::memcpy(bytes, copy.data(), copy.size());
    GlobalUnlock(memory);
  }
  OpenClipboard(window);
  EmptyClipboard();
  if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);  // else the clipboard owns it
  CloseClipboard();
}
