// The Data window: shows the data document's records, one at a time, with the journal typed beside it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "model/data_model.h"
#include "ui/widget_container.h"
#include "ui/win_type.h"

class edit_text_type;
class help_line_type;
class numeric_field_type;
class record_browser_type;

class data_win_type : public win_type {
 public:
  data_win_type(window_host& host, data_model& model, const std::string& title);
  ~data_win_type() override;

  // Takes the comments box's notifications: its focus, and every change of its text.
  LRESULT handle_message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;
  void draw(HDC hdc) override;
  bool do_command(int id) override;
  void handle_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;
  // Left and right arrows step through the records; characters go to the widgets.
  LRESULT handle_key(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;
  void update_menus(const menu_facts& facts) override;
  // Typing and clicks land here: the document hears that the shown night may have changed.
  void widgets_changed() override;

  // Shows what the document changed: the night shown with its comment.
  void show_changes(data_change change);

  // Show Record dialog; OK or a double click on another record stores the shown one and switches.
  void show_record();
  // After the question, the shown record goes.
  void delete_record();
  // Plot Records, owned by this window (the document's plot window runs it).
  void plot_records();
  void get_device_data();
  // The shown night's report into a text file or on the clipboard; chosen records into a database
  // file; the rows of a database file appended.
  void export_report();
  void copy_text();
  void export_to_database();
  void import_from_database();
  // The shown night's report, with the help line as it stands.
  std::string report_text() const;

  // The comments box's edit control while the comments box has the focus, else null.
  HWND focused_comments_edit() const;
  HWND focus_control() const override { return focused_comments_edit(); }

  data_model& model;
  widget_container widgets{this};
  edit_text_type* comments = nullptr;  // the widgets are the container's
  std::vector<numeric_field_type*> count_fields;
  help_line_type* help = nullptr;
  record_browser_type* browser = nullptr;
  int comments_index = -1;

 private:
  void build_widgets();
  bool show_record_open_ = false;
};
