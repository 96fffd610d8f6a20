// How the command line names the serial port.
#pragma once

#include <string>

class device_link;

// "COMn" in either case names a port by number, spelt as the platform needs;
// anything else is a device path opened as given.
void choose_port(device_link& link, const std::string& device);
