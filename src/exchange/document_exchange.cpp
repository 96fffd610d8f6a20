// The data document's report view, database export and import.
#include "exchange/document_exchange.h"

#include "exchange/export_rows.h"

data_window_view shown_view(const data_model& model, const std::string& help_text) {
  const data_window_state& shown = model.image.data;
  data_window_view view;
  view.block = shown.working_block;
  view.no_record = shown.no_record != 0;
  std::copy(std::begin(shown.counts), std::end(shown.counts), view.counts);
  view.comment_lines = comment_lines(model.comment);
  view.help_text = help_text;
  return view;
}

data_window_view record_view(const data_model& model, int index) {
  data_window_view view = view_of_record(model.image.records[static_cast<std::size_t>(index)]);
  view.no_record = model.image.data.no_record != 0;
  return view;
}

std::string export_rows(data_model& model, const std::vector<int>& positions, bool names, const std::string& version) {
  model.store();
  std::string text = names ? export_header() : std::string();
  text.reserve(text.size() + positions.size() * 1024);
  for (const int position : positions) {
    if (position < 0 || position >= model.count()) continue;
    text += rec_column(position + 1);
    text += make_export_row(record_view(model, position), version);
  }
  return text;
}

std::size_t import_rows(data_model& model, line_reader& reader) {
  std::vector<data_record> records;
  const std::size_t added = import_records(reader, records);
  model.append_records(std::move(records));
  return added;
}
