// A pseudo-terminal whose far end is linked at a chosen path, for the simulator to serve.
#pragma once

#include <string>

class sim_pty {
 public:
  sim_pty() = default;
  sim_pty(const sim_pty&) = delete;
  sim_pty& operator=(const sim_pty&) = delete;
  ~sim_pty();

  // Creates the pty, makes its terminal raw and links it at link_path (an existing
  // symbolic link there is replaced). False with a reason in error.
  bool open(const std::string& link_path, std::string& error);
  int master() const { return master_; }
  const std::string& terminal_name() const { return terminal_; }

 private:
  int master_ = -1;
  int keeper_ = -1;  // our own hold on the terminal, so it never hangs up between clients
  std::string terminal_;
  std::string link_;
};
