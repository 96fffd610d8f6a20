// The Data window: the records of a data document, one shown at a time.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "model/data_record.h"
#include "model/device_block.h"
#include "ui/win_type.h"

class data_win_type : public win_type {
 public:
  data_win_type(const char* title, data_doc* document);
  ~data_win_type() override;

  void get_initial_rect(RECT& rect) override;   // 100, 25, 552 x 265
  void draw(HDC hdc) override;
  int do_command(int id) override;
  void update_menus() override;

  // Own operations. Those below without a body of substance here are filled in
  // together with the record list, the browser and the record dialogs.
  virtual void build_widgets();                  // 38
  virtual void import_from_database();           // 39
  virtual void show_record();                    // 49: Show Record dialog
  virtual void delete_record();                  // 50
  virtual void plot_records_for(win_type* owner_window);  // 51: Plot Records dialog
  virtual void plot_records();                   // 52: plot_records_for(this)
  virtual void get_device_data();                // 53

  int record_count() const { return static_cast<int>(records.size()); }
  // The comments box's edit control while the comments box has the focus, else null.
  virtual HWND focused_comments_edit() const;

  int no_record = 1;             // 1 while no downloaded record is shown
  device_block working_block{};  // copy of the current record's block
  device_block download_buffer{};
  int32_t counts[journal_count_total] = {};
  int comments_index = -1;
  std::vector<std::unique_ptr<data_record>> records;  // oldest first
  int current_index = -1;                             // -1 exactly when there is no record
};
