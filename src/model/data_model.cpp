// The data document's records and the night shown: switching, downloads, imports, deletion.
#include "model/data_model.h"

#include <algorithm>
#include <iterator>

data_model::data_model() : image(new_data_file_image()) {}

data_model::data_model(data_file_image opened) : image(std::move(opened)) {
  image.plot.visible = image.plot.visible != 0 ? 1 : 0;
  const int32_t stored_flag = image.data.no_record;
  show(count() - 1);
  current = count() - 1;
  image.data.no_record = stored_flag;  // as the file kept it, also when no record is left to show
}

void data_model::tell(data_change change) const {
  if (changed) changed(change);
}

void data_model::show(int index) {
  if (index >= count()) return;
  show(index, index >= 0 ? image.records[static_cast<std::size_t>(index)].comment : std::string());
}

void data_model::show(int index, std::string record_comment) noexcept {
  data_window_state& shown = image.data;
  if (index >= 0) {
    const data_record& record = image.records[static_cast<std::size_t>(index)];
    shown.working_block = record.block;
    std::copy(std::begin(record.counts), std::end(record.counts), std::begin(shown.counts));
  } else {
    reset_block(shown.working_block);
    std::fill(std::begin(shown.counts), std::end(shown.counts), 0);
    shown.no_record = 1;
  }
  comment.swap(record_comment);
  download_buffer = shown.working_block;
}

void data_model::store() {
  if (current < 0 || current >= count()) return;
  data_record& record = image.records[static_cast<std::size_t>(current)];
  const data_window_state& shown = image.data;
  record.block = shown.working_block;
  std::copy(std::begin(shown.counts), std::end(shown.counts), std::begin(record.counts));
  record.comment = comment.c_str();  // up to an embedded NUL, as the file keeps it
}

void data_model::switch_to(int index) {
  if (index < -1 || index >= count()) return;
  store();
  current = index;
  show(current);
  tell(data_change::night_shown);
}

void data_model::step(int direction) {
  const int n = count();
  if (n < 2) return;
  switch_to((current + (direction < 0 ? n - 1 : 1)) % n);
}

void data_model::append_night(const device_block& block) {
  store();
  image.records.push_back(new_record(block));
  image.data.working_block = block;
  image.data.no_record = 0;
  current = count() - 1;
  show(current);
  tell(data_change::records_added);
}

void data_model::append_records(std::vector<data_record>&& records) {
  store();
  if (records.empty()) return;
  // What needs memory comes first, so that running out of it leaves the document as it was.
  std::string last_comment = records.back().comment;
  image.records.reserve(image.records.size() + records.size());
  std::move(records.begin(), records.end(), std::back_inserter(image.records));
  current = count() - 1;
  show(current, std::move(last_comment));
  image.data.no_record = 0;
  tell(data_change::records_added);
}

void data_model::delete_current() {
  if (current < 0 || current >= count()) return;
  image.records.erase(image.records.begin() + current);
  current = image.records.empty() ? -1 : std::max(current - 1, 0);
  show(current);
  if (image.records.empty()) image.plot = plot_sums{};
  tell(data_change::record_deleted);
}

void data_model::set_plot(const plot_sums& sums) {
  image.plot = sums;
  tell(data_change::plot_changed);
}

void data_model::typed() { tell(data_change::night_typed); }

std::vector<std::string> data_model::list_lines() const {
  std::vector<std::string> lines;
  lines.reserve(image.records.size());
  for (std::size_t i = 0; i < image.records.size(); ++i)
    lines.push_back(record_list_line(static_cast<int>(i), image.records[i].block));
  return lines;
}
