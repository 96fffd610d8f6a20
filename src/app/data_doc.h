// The data document: the Data window with its records and the Plot window, kept as a ".sl1" file.
#pragma once

#include <memory>

#include "app/base_doc.h"

class data_win_type;
class plot_win_type;

class data_doc : public base_doc {
 public:
  // Creates the Data window "Untitled 1" (shown when the application's show-new-windows
  // flag is set) and the hidden "Multi-Record Cue Plot" window.
  explicit data_doc(app_type* owner);

  ~data_doc() override;                          // destroys the plot window, then the data window
  void update_menus() override;                  // both windows
  int write_to_file(std::FILE* file) override;   // header, data window, plot window
  int read_from_file(std::FILE* file) override;  // 1, or -1 ... -8
  win_type* main_window() const override;        // the data window

  std::unique_ptr<data_win_type> data_window;
  std::unique_ptr<plot_win_type> plot_window;
};
