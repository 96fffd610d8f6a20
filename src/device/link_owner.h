// What the device link needs from its owner: a way to tell the user about a failure.
#pragma once

class link_owner {
 public:
  virtual ~link_owner() = default;
  // Shows one message to the user (the application: a task-modal box titled "Message").
  virtual void show_message(const char* text) = 0;
};
