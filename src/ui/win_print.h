// The printer that Print Window prints on: the print dialog and the spooler's document and page calls.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>

// The program's own printer goes to the print dialog and the spooler. Every window prints through
// the application's one printer, so a test can put in its place a printer-like context of a known
// page size (an enhanced metafile) and read back what was drawn.
class printer_type {
 public:
  virtual ~printer_type() = default;
  // PrintDlgA: 1 with request.hDC set when a printer was chosen.
  virtual int choose(PRINTDLGA& request);
  // Why choose did not give 1: CommDlgExtendedError, 0 when the user cancelled.
  virtual DWORD dialog_error();
  // StartDocA, StartPage, EndPage and EndDoc: greater than 0 when they worked.
  virtual int start_doc(HDC printer_dc, const DOCINFOA& info);
  virtual int start_page(HDC printer_dc);
  virtual int end_page(HDC printer_dc);
  virtual int end_doc(HDC printer_dc);
  // Gives back what the dialog handed out: the printer context, the device mode and names.
  virtual void release(PRINTDLGA& request);
};

// "PrintDlg() error: %d %s." for the print dialog's own error codes; empty for any other code
// (0 when the user cancelled), which shows nothing.
std::string print_dialog_message(DWORD code);
