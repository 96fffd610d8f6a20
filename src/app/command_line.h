// Opening the document named on the program's command line, as a double click or a file association asks.
#pragma once

#include <string>

class app_type;

// The one file name of a command line: the text inside the first pair of quotes, else the
// whole line without the blanks around it; "" when there is none.
std::string file_of_command_line(const char* command_line);

// After the normal start-up: a name ending in ".sl2" opens as a settings document, any other
// as a data document, with the program's usual messages when it cannot be read. Nothing
// happens when the line names no file or the start-up dialog chose to quit.
void open_from_command_line(app_type& app, const char* command_line);
