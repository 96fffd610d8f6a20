// Printing a window on one page: the print dialog, the status window, the page mapping and the job.
#include "ui/win_print.h"

#include <cstdio>
#include <iterator>

#include "ui/win_type.h"

namespace {

// The print dialog's errors, from PDERR_PRINTERCODES (4096) on.
constexpr DWORD first_print_error = 4096;
const char* const print_error_names[] = {
    "PDERR_PRINTERCODES",     "PDERR_SETUPFAILURE",   "PDERR_PARSEFAILURE",    "PDERR_RETDEFFAILURE",
    "PDERR_LOADDRVFAILURE",   "PDERR_GETDEVMODEFAIL", "PDERR_INITFAILURE",     "PDERR_NODEVICES",
    "PDERR_NODEFAULTPRN",     "PDERR_DNDMMISMATCH",   "PDERR_CREATEICFAILURE", "PDERR_PRINTERNOTFOUND",
    "PDERR_DEFAULTDIFFERENT",
};

// A failed step of the job, with the system's error number taken before anything can change it.
void report_failure(window_host& host, const char* format) {
  const DWORD error = GetLastError();
  char text[64];
  std::snprintf(text, sizeof text, format, static_cast<int>(error));
  host.show_message(text);
}

// Once the dialog has handed out a printer: the status window closed and the printer context,
// device mode and names given back however the job ends, a drawing that throws included.
class print_job_scope {
 public:
  print_job_scope(window_host& host, printer_type& printer, PRINTDLGA& request)
      : host_(host), printer_(printer), request_(request) {}
  print_job_scope(const print_job_scope&) = delete;
  print_job_scope& operator=(const print_job_scope&) = delete;
  ~print_job_scope() {
    host_.close_status();
    printer_.release(request_);
  }

 private:
  window_host& host_;
  printer_type& printer_;
  PRINTDLGA& request_;
};

// The window's printing flag and printer context, for as long as it draws on paper.
class printing_scope {
 public:
  printing_scope(win_type& window, HDC paper) : window_(window) {
    window_.printing = true;
    window_.printer_dc = paper;
  }
  printing_scope(const printing_scope&) = delete;
  printing_scope& operator=(const printing_scope&) = delete;
  ~printing_scope() {
    window_.printing = false;
    window_.printer_dc = nullptr;
  }

 private:
  win_type& window_;
};

}  // namespace

std::string print_dialog_message(DWORD code) {
  if (code < first_print_error || code - first_print_error >= std::size(print_error_names)) return {};
  char text[96];
  std::snprintf(text, sizeof text, "PrintDlg() error: %d %s.", static_cast<int>(code),
                print_error_names[code - first_print_error]);
  return text;
}

int printer_type::choose(PRINTDLGA& request) { return PrintDlgA(&request) ? 1 : 0; }

DWORD printer_type::dialog_error() { return CommDlgExtendedError(); }

int printer_type::start_doc(HDC printer_dc, const DOCINFOA& info) { return StartDocA(printer_dc, &info); }

int printer_type::start_page(HDC printer_dc) { return StartPage(printer_dc); }

int printer_type::end_page(HDC printer_dc) { return EndPage(printer_dc); }

int printer_type::end_doc(HDC printer_dc) { return EndDoc(printer_dc); }

void printer_type::release(PRINTDLGA& request) {
  if (request.hDC) DeleteDC(request.hDC);
  if (request.hDevMode) GlobalFree(request.hDevMode);
  if (request.hDevNames) GlobalFree(request.hDevNames);
  request.hDC = nullptr;
  request.hDevMode = request.hDevNames = nullptr;
}

void win_type::print() {
  printer_type& printer = host.printer();
  // Every job starts from the default printer setup: nothing is kept from the last one.
  PRINTDLGA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = window;
  request.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE | PD_HIDEPRINTTOFILE;
  request.nCopies = 1;
  int chosen = 0;
  {
    open_dialog_scope open(host);
    chosen = printer.choose(request);
  }
  if (chosen != 1 || !request.hDC) {
    const std::string message = print_dialog_message(printer.dialog_error());
    printer.release(request);
    if (!message.empty()) host.show_message(message);
    return;
  }
  HDC const paper = request.hDC;
  const print_job_scope job(host, printer, request);
  host.show_status("Status", "Printing in progress...");
  RECT client{};
  GetClientRect(window, &client);
  const int page_width = GetDeviceCaps(paper, HORZRES);
  const int page_height = GetDeviceCaps(paper, VERTRES);
  char name[256] = "";
  GetWindowTextA(window, name, sizeof name);
  DOCINFOA info{};
  info.cbSize = sizeof info;
  info.lpszDocName = name;
  info.lpszDatatype = "";
  if (printer.start_doc(paper, info) <= 0) {
    report_failure(host, "StartDoc() failed: %d.");  // the message closes the status window
    return;
  }
  if (printer.start_page(paper) <= 0) {
    report_failure(host, "StartPage() failed: %d.");
  } else {
    // The client area stretched over the printable area, across and down each on its own.
    // Text follows the stretch only in the advanced graphics mode; in the compatible one its
    // width keeps the font's own proportions and the words run into each other.
    SetGraphicsMode(paper, GM_ADVANCED);
    SetMapMode(paper, MM_ANISOTROPIC);
    SetWindowExtEx(paper, client.right, client.bottom, nullptr);
    SetViewportExtEx(paper, page_width, page_height, nullptr);
    {
      const printing_scope on_paper(*this, paper);
      draw(paper);
    }
    if (printer.end_page(paper) <= 0) report_failure(host, "EndPage() failed: %d.");
  }
  if (printer.end_doc(paper) <= 0) report_failure(host, "EndDoc() failed: %d.");
}
