// Printing a window on one page.
#include "ui/win_type.h"

// The page layout, the print dialog and the status window during the job come with printing.
void win_type::print() {}
