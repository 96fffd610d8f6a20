// What the device link needs from its owner: a way to tell the user about a failure.
#pragma once

#include <string>

class link_owner {
 public:
  virtual ~link_owner() = default;
  // Shows one message to the user (the application: a task-modal box titled "Message").
  virtual void show_message(const char* text) = 0;
  // The port did not open: the message, and the system's reason (empty when it gave none) so that a
  // port in use can be told from one that is not there. By default the message alone.
  virtual void show_port_failure(const char* text, const std::string& reason) {
    (void)reason;
    show_message(text);
  }
};
