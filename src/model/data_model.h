// The data document as the program and the command line hold it: the file's image, the night shown and
// the comment being typed for it. Every change of the records goes through here.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/data_file.h"

// What changed, for whoever shows the document.
enum class data_change {
  night_shown,     // another night (or none) is shown: block, counts and comment replaced
  records_added,   // a download or an import appended records and shows the last
  record_deleted,  // the shown record went; the one before it (or none) is shown
  plot_changed,    // the plot's sums were replaced or cleared
  night_typed,     // the shown night's working copy may have taken typed counts
};

class data_model {
 public:
  // A new document: both windows where they first open, no records, nothing shown.
  data_model();
  // A document read from a file, as the windows show it then: the last record, or none.
  explicit data_model(data_file_image opened);

  int count() const { return static_cast<int>(image.records.size()); }
  bool has_current() const { return current >= 0; }

  // The shown night's edits (counts, comment) back into its record; nothing when none is shown.
  void store();
  // Stores the shown night, then shows record `index` (none for -1).
  void switch_to(int index);
  // The next (+1) or previous (-1) record, round the list; nothing with fewer than two.
  void step(int direction);
  // A downloaded night becomes the last record and is shown.
  void append_night(const device_block& block);
  // Imported records are appended (all or none) and the last is shown; nothing for none.
  void append_records(std::vector<data_record>&& records);
  // The shown record goes with its journal and comment (unsaved edits of it are dropped); the
  // one before it is shown, or the new first, or none. The plot is cleared with the last record.
  void delete_current();
  // The plot of the records at the given 0-based positions.
  void set_plot(const plot_sums& sums);
  // The Data window's fields write the shown night's counts straight into the working copy; they
  // say so here, so that whoever shows the counts follows.
  void typed();

  // "#%d:  " and each record's label, in list order.
  std::vector<std::string> list_lines() const;

  data_file_image image;  // records, the shown night's working copy, the plot, both rectangles
  int current = -1;       // the night shown; -1 exactly when there is none
  std::string comment;    // the shown night's comment as typed
  device_block download_buffer = reset_device_block();  // a download lands here (a copy of the shown block)
  std::function<void(data_change)> changed;             // told after every change above

 private:
  // Shows record `index` (none for -1) without storing the one shown before.
  void show(int index);
  void show(int index, std::string record_comment) noexcept;
  void tell(data_change change) const;
};
