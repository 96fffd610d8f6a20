// Numbers on the line: read from a reply and written into a packet, each summed into a 16-bit checksum.
#pragma once

#include <cstdint>

// The next number of the reply from position, read as C's %i reads it; position ends just after it.
// error is set when the reply ends before a number and its separator. When sum is given, the value
// is added to it modulo 65,536.
int32_t parse_number(const uint8_t* reply, int length, int& position, bool& error, uint16_t* sum);

// Appends the value ("%d", or "%#x" when hexadecimal) and a blank, or a CR at the end of a line, to the
// NUL-terminated text, when the text stays below capacity; false otherwise, and nothing is added.
bool append_number(int32_t value, bool hexadecimal, bool end_of_line, char* text, int capacity, uint16_t* sum);
