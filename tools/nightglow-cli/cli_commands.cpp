// The commands: download and upload, record lists, reports, export and import, settings lines.
#include "cli_commands.h"

#include <cerrno>
#include <cstring>
#include <ctime>

#include "cli_documents.h"
#include "cli_port.h"
#include "cli_settings.h"
#include "exchange/document_exchange.h"
#include "exchange/exchange_files.h"
#include "exchange/help_strings.h"
#include "exchange/journal_trends.h"
#include "exchange/report_texts.h"
#include "key_lines.h"
#include "model/cue_plot.h"

namespace {

// The link's messages become the tool's; a port that would not open says why.
class message_owner : public link_owner {
 public:
  explicit message_owner(cli_result& result) : result_(result) {}
  void show_message(const char* text) override { result_.err += text + std::string("\n"); }
  void show_port_failure(const char* text, const std::string& reason) override {
    std::string line = text;
    if (link && !reason.empty()) line += " (" + link->port_name() + ": " + reason + ")";
    result_.err += line + "\n";
  }
  const device_link* link = nullptr;

 private:
  cli_result& result_;
};

int fail(cli_result& result, const std::string& message) {
  result.err += "nightglow-cli: " + message + "\n";
  return result.code = 1;
}

// Record N of the document, checked against its length.
bool check_position(const std::string& path, const data_file_image& image, int position, std::string& error) {
  if (position >= 1 && static_cast<std::size_t>(position) <= image.records.size()) return true;
  error = path + ": there is no record " + std::to_string(position) + " (the document holds " +
          std::to_string(image.records.size()) + ")";
  return false;
}

// The Data window as it stands after opening the document (DREAMS focused), or after showing record N.
data_window_view window_view(const data_model& model, int position) {
  if (position > 0) return record_view(model, position - 1);
  return shown_view(model, help_string(DATA_WINDOW_HELP_BASE + data_first_count_index));
}

// Report, export and trends bytes, CR LF already in them: to -o as one whole file, else to stdout.
int put_bytes(cli_result& result, const cli_options& options, std::string text, const char* create_failed) {
  std::string error;
  if (options.output.empty()) {
    result.out = std::move(text);
    result.out_is_bytes = true;
  } else if (!write_whole_file(options.output, text, create_failed, error)) {
    return fail(result, error);
  }
  return 0;
}

// The document of show and report, with the record that --record names.
bool open_with_record(const cli_options& options, data_file_image& image, cli_result& result) {
  std::string error;
  if (cli_open_data(options.file, image, error) &&
      (options.record == 0 || check_position(options.file, image, options.record, error)))
    return true;
  fail(result, error);
  return false;
}

int run_show(const cli_options& options, cli_result& result) {
  data_file_image image;
  if (!open_with_record(options, image, result)) return result.code;
  for (std::size_t i = 0; i < image.records.size(); ++i) {
    if (options.record == 0 || static_cast<int>(i) + 1 == options.record)
      result.out += record_list_line(static_cast<int>(i), image.records[i].block) + "\n";
  }
  return 0;
}

int run_report(const cli_options& options, cli_result& result) {
  data_file_image image;
  if (!open_with_record(options, image, result)) return result.code;
  const data_model model(std::move(image));
  return put_bytes(result, options, add_returns(data_report_text(window_view(model, options.record), program_version)),
                   report_create_failed);
}

// The document of export, plot and trends, with the positions that --records chooses or all of
// its records. A document without records is refused when there is `what` to do with them.
bool open_with_records(const cli_options& options, const char* what, data_file_image& image,
                       std::vector<int>& positions, cli_result& result) {
  std::string error;
  if (!cli_open_data(options.file, image, error)) return fail(result, error), false;
  if (what && image.records.empty()) return fail(result, options.file + ": there are no records to " + what), false;
  for (int position : options.records)
    if (!check_position(options.file, image, position, error)) return fail(result, error), false;
  positions = options.records;
  if (positions.empty())
    for (std::size_t i = 1; i <= image.records.size(); ++i) positions.push_back(static_cast<int>(i));
  return true;
}

int run_export(const cli_options& options, cli_result& result) {
  data_file_image image;
  std::vector<int> positions;
  if (!open_with_records(options, "export", image, positions, result)) return result.code;
  for (int& position : positions) --position;
  data_model model(std::move(image));
  return put_bytes(result, options, add_returns(export_rows(model, positions, options.names, program_version)),
                   data_create_failed);
}

// The Plot window's sums of the chosen records as KEY=value lines, each series its 128 bins.
int run_plot(const cli_options& options, cli_result& result) {
  data_file_image image;
  std::vector<int> positions;
  if (!open_with_records(options, "plot", image, positions, result)) return result.code;
  for (int& position : positions) --position;
  const plot_sums sums = sum_cues(image.records, positions, series_choice{});
  result.out = "RECORDS=" + std::to_string(sums.record_count) + "\nMAX=" + std::to_string(sums.max) + "\n";
  for (int series = 0; series < series_total; ++series) {
    static const char* const keys[series_total] = {"CUES=", "CUESND=", "COMBINED="};
    result.out += keys[series];
    const int32_t* values = series_values(sums, series);
    for (int bin = 0; bin < plot_sums::bins; ++bin) result.out += (bin ? " " : "") + std::to_string(values[bin]);
    result.out += "\n";
  }
  return 0;
}

// The chosen nights against their settings; a document without records gives the headers alone.
int run_trends(const cli_options& options, cli_result& result) {
  data_file_image image;
  std::vector<int> positions;
  if (!open_with_records(options, nullptr, image, positions, result)) return result.code;
  for (int& position : positions) --position;
  return put_bytes(result, options, trends_text(compute_trends(image.records, positions)), report_create_failed);
}

int run_import(const cli_options& options, cli_result& result) {
  data_file_image image;
  std::string error;
  if (!cli_open_or_new_data(options.into, image, error)) return fail(result, error);
  errno = 0;
  std::FILE* file = std::fopen(options.file.c_str(), "rb");
  if (!file)
    return fail(result, options.file + ": " + database_open_failed + " (" + std::strerror(errno ? errno : EIO) + ")");
  data_model model(std::move(image));
  line_reader reader(file);
  const std::size_t added = import_rows(model, reader);
  const bool read_error = std::ferror(file) != 0;
  std::fclose(file);
  if (read_error) return fail(result, options.file + ": " + database_open_failed + " (" + std::strerror(EIO) + ")");
  if (added > 0 && !cli_save_data(options.into, model.image, error)) return fail(result, error);
  result.out = imported_message(added) + "\n";
  return 0;
}

// Makes the KEY=value changes as the Settings window's fields would; the first refused one ends
// the command with exit code 2 and the consequence named.
bool apply_changes(const cli_options& options, device_settings& settings, const char* consequence, cli_result& result) {
  std::string error;
  for (const std::string& change : options.changes) {
    if (!apply_setting(settings, change, error)) {
      result.err += "nightglow-cli: " + error + "; " + consequence + "\n";
      result.code = 2;
      return false;
    }
  }
  return true;
}

// Prints a settings document; with changes, makes them as the Settings window's fields would
// (in a new document when there is none) and saves it.
int run_settings(const cli_options& options, cli_result& result) {
  settings_section section;
  std::string error;
  bool missing = false;
  if (!cli_open_settings(options.file, section, error, &missing)) {
    if (!missing || options.changes.empty()) return fail(result, error);
    section = new_settings_section();
  }
  if (!apply_changes(options, section.settings, "nothing was changed", result)) return result.code;
  if (!options.changes.empty() && !cli_save_settings(options.file, section, error)) return fail(result, error);
  device_settings settings = section.settings;
  take_edited_times(settings);  // what an upload of the document sends
  result.out = settings_lines(settings);
  return 0;
}

int run_get(const cli_options& options, const link_maker& make_link, cli_result& result) {
  data_file_image image;
  std::string error;
  // A document that cannot take the night is refused before the mask is asked for it.
  if (!options.into.empty() && !cli_open_or_new_data(options.into, image, error)) return fail(result, error);
  message_owner owner(result);
  const std::unique_ptr<device_link> link = make_link(owner, options);
  owner.link = link.get();
  data_model model(std::move(image));
  device_block& block = model.download_buffer;
  if (link->get_data(block) != 1) return result.code = 1;
  if (options.into.empty()) {
    result.out = block_lines(block);
    if (block.tstamp == 0) result.err += "There is no data in the Somnolux.\n";
    return 0;
  }
  if (block.tstamp == 0) return fail(result, no_device_data_message);
  model.append_night(block);
  if (!cli_save_data(options.into, model.image, error)) return fail(result, error + "; the night was not kept");
  result.out = model.list_lines().back() + "\n";
  return 0;
}

int run_set(const cli_options& options, const link_maker& make_link, cli_result& result) {
  device_settings settings{};
  reset_settings(settings);
  std::string error;
  if (!options.from.empty()) {
    settings_section section;
    if (!cli_open_settings(options.from, section, error)) return fail(result, error + "; nothing was sent");
    settings = section.settings;
  }
  if (!apply_changes(options, settings, "nothing was sent", result)) return result.code;
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (!local) return fail(result, "cannot read the local time");
  stamp_settings(settings, local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_hour, local->tm_min,
                 local->tm_sec);
  message_owner owner(result);
  const std::unique_ptr<device_link> link = make_link(owner, options);
  owner.link = link.get();
  if (link->set_settings(settings) != 1) return result.code = 1;
  result.out = settings_lines(settings);
  return 0;
}

}  // namespace

std::unique_ptr<device_link> port_link(link_owner& owner, const cli_options& options) {
  auto link = std::make_unique<device_link>(&owner, make_system_serial_io());  // the port comes from --port
  choose_port(*link, options.port);
  link->timeout_choice = options.timeout;
  return link;
}

cli_result run_cli(const cli_options& options, const link_maker& make_link) {
  cli_result result;
  const std::string& c = options.command;
  if (c == "get")
    run_get(options, make_link, result);
  else if (c == "set")
    run_set(options, make_link, result);
  else if (c == "show")
    run_show(options, result);
  else if (c == "report")
    run_report(options, result);
  else if (c == "export")
    run_export(options, result);
  else if (c == "import")
    run_import(options, result);
  else if (c == "settings")
    run_settings(options, result);
  else if (c == "plot")
    run_plot(options, result);
  else if (c == "trends")
    run_trends(options, result);
  return result;
}
