// Export Report and Copy Text of the data and settings windows: a window's report text to a file or the clipboard.
#include <cstring>
#include <new>

#include "exchange/exchange_files.h"
#include "exchange/import_rows.h"
#include "ui/desktop_io.h"
#include "ui/win_type.h"

void save_report(win_type& window, const std::function<std::string()>& make_text) {
  window_host& host = window.host;
  file_choice choice;
  choice.path = report_file_name;
  choice.filter = "Somnolux Report (*.TXT)\0*.txt\0";
  choice.extension = "txt";
  choice.caption = "Save Report";
  choice.owner = window.window;
  if (!host.choose_file(choice)) return;
  std::string text;
  try {
    text = make_text();
  } catch (const std::bad_alloc&) {
    host.show_message(text_failed);
    return;
  }
  if (const char* failure = write_report_file(choice.path, text)) host.show_message(failure);
}

void copy_report(win_type& window, const std::function<std::string()>& make_text) {
  window_host& host = window.host;
  std::string copy;
  const char* failure = text_failed;
  try {
    const std::string text = make_text();
    failure = returns_failed;
    copy = add_returns(text);
  } catch (const std::bad_alloc&) {
    host.show_message(failure);
    return;
  }
  HGLOBAL memory = clipboard_text(host, copy);
  if (!memory) return;
  OpenClipboard(window.window);
  EmptyClipboard();
  if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);  // else the clipboard owns it
  CloseClipboard();
}

HGLOBAL clipboard_text(window_host& host, std::string_view bytes) {
  // The block's last byte stays zero from the allocation: it ends the text.
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size() + 1);
  if (!memory) {
    host.show_message(global_memory_failed);
    return nullptr;
  }
  if (void* copy = GlobalLock(memory)) {
    std::memcpy(copy, bytes.data(), bytes.size());
    GlobalUnlock(memory);
  }
  return memory;
}
