// The data document: the Data window with its records and the Plot window, kept as a ".sl1" file.
#pragma once

#include <cstdio>
#include <memory>

class app_type;
class data_win_type;
class plot_win_type;

class data_doc {
 public:
  // Creates the Data window "Untitled 1" (shown when the application's show-new-windows
  // flag is set) and the hidden "Multi-Record Cue Plot" window.
  explicit data_doc(app_type* owner);
  data_doc(const data_doc&) = delete;
  data_doc& operator=(const data_doc&) = delete;

  virtual ~data_doc();                                 // destroys the plot window, then the data window
  virtual void update_menus();                         // both windows
  virtual int choose_file(char* path, char* title);    // save dialog; 1 when a file was chosen
  virtual void save();
  virtual void save_as();
  virtual int query_close();                           // 0 when the user cancelled
  virtual int confirm_replace();                       // 1 to go on
  virtual int confirm_revert();                        // 1 to go on
  virtual int write_to_file(std::FILE* file);          // 1 on success
  virtual int read_from_file(std::FILE* file);         // 1, or the code of the first failure

  bool has_file_path() const { return path[0] != '\0'; }
  // The Data window's title, at most size - 1 characters.
  void get_title(char* buffer, int size) const;

  app_type* owner;
  std::unique_ptr<data_win_type> data_window;
  std::unique_ptr<plot_win_type> plot_window;
  char path[264] = {};  // full file name; empty until saved or opened
};
