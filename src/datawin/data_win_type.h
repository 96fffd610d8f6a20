// The Data window: the records of a data document, one shown at a time.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "exchange/import_rows.h"
#include "model/data_file.h"
#include "model/device_block.h"
#include "ui/widget_container.h"
#include "ui/win_type.h"

class edit_text_type;
class record_view_type;
class settings_view_type;
class record_browser_type;

class data_win_type : public win_type {
 public:
  data_win_type(const char* title, data_doc* document);
  ~data_win_type() override;

  // Takes the comments box's notifications: EN_SETFOCUS focuses it in the container.
  LRESULT handle_message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;
  void get_initial_rect(RECT& rect) override;  // 100, 25, 552 x 265
  void draw(HDC hdc) override;
  int do_command(int id) override;
  // Rectangle, then the working copy and the records; 0 at the first short transfer.
  int read_from_file(std::FILE* file) override;
  int write_to_file(std::FILE* file) override;
  int handle_mouse(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;
  // Left and right arrows step through the records; characters go to the widgets.
  LRESULT handle_key(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;
  // The shown record's report into a text file, chosen records into a database file.
  void export_report() override;
  void export_to_database() override;
  void copy_text() override;  // the shown record's report to the clipboard
  void update_menus() override;

  // Own operations.
  virtual void build_widgets();  // 38
  // Appends the records of a database file's rows; tells how many came.
  virtual void import_from_database();  // 39
  // Database rows, over the core's reader and splitter: the next line of the file (false at its
  // end), a record from a line, and the fields of the line last split (which must stay alive).
  virtual bool read_line(std::FILE* file, std::string& line);        // 40
  virtual int parse_record(std::string& line, data_record& record);  // 41: 1 for a row of this program
  virtual void split_fields(std::string& line);                      // 42
  virtual int field_count();                                         // 43
  virtual const char* field_text(int index);                         // 44: null outside the fields
  virtual int field_length(int index);                               // 45
  virtual int field_int(int index);                                  // 46
  // Record i into the working copy (block, counts, comments box); i < 0 shows the reset
  // block with the no-record flag set.
  virtual void load_record(int index);  // 47
  // The working copy back into record i; nothing for i < 0.
  virtual void store_record(int index);  // 48
  // Show Record dialog; OK or a double click on another record stores the shown one and switches.
  virtual void show_record();  // 49
  // After the question: the current record goes, the one before it (or the new first) is shown;
  // the last one leaves the blank view and a cleared, hidden plot.
  virtual void delete_record();  // 50
  // Plot Records dialog owned by the given window; OK stores the series choice in the plot
  // window and plots the chosen records. Neither dialog opens twice at once.
  virtual void plot_records_for(win_type* owner_window);  // 51
  virtual void plot_records();                            // 52: plot_records_for(this)
  virtual void get_device_data();                         // 53
  // The shown record as a text report and as a database row after its REC column, made from
  // the widgets' texts in container order.
  virtual std::string make_report_text();                    // 54
  virtual std::string make_export_row();                     // 55
  virtual std::string add_returns(const std::string& text);  // 56: CR LF for every line feed

  int record_count() const { return static_cast<int>(records.size()); }
  // The comments box's edit control while the comments box has the focus, else null.
  virtual HWND focused_comments_edit() const;

  widget_container widgets{this};
  int no_record = 1;             // 1 while no downloaded record is shown
  device_block working_block{};  // copy of the current record's block
  device_block download_buffer{};
  int32_t counts[journal_count_total] = {};
  int comments_index = -1;
  record_list records;     // oldest first
  int current_index = -1;  // -1 exactly when there is no record
  // Import state: the reader of the file being imported and the fields of the last line split.
  std::unique_ptr<line_reader> import_reader;
  std::FILE* import_file = nullptr;
  field_list import_fields;

  // The widgets that the window reaches directly; owned by the container.
  record_view_type* record_view = nullptr;
  settings_view_type* settings_view = nullptr;
  edit_text_type* comments = nullptr;
  record_browser_type* browser = nullptr;

 private:
  // Every widget's report text (or export text), in container order; the comments box gives its
  // lines (or its quoted field).
  std::vector<std::string> widget_texts(bool report);
};
