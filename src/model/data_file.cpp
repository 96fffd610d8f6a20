// Reading and writing the data document's byte image, section by section, parsed from memory.
#include "model/data_file.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

#include "model/doc_file.h"
#include "model/little_endian.h"

namespace {

void get_i32s(const uint8_t* bytes, int32_t* values, int count) {
  for (int i = 0; i < count; ++i) values[i] = get_le<int32_t>(bytes + 4 * i);
}

void put_i32s(uint8_t* bytes, const int32_t* values, int count) {
  for (int i = 0; i < count; ++i) put_le(bytes + 4 * i, values[i]);
}

// Block, counts and comment length in one piece, then the comment.
constexpr std::size_t counts_at = device_block_size, length_at = record_fixed_size - 4;

// One record into a default one. A comment that the bytes left cannot hold fails before
// anything is allocated for it.
bool read_record(byte_reader& in, data_record& record) {
  const uint8_t* image = in.take(record_fixed_size);
  if (!image) return false;
  const int32_t length = get_le<int32_t>(image + length_at);
  if (length < 0 || (in.left() >= 0 && length > in.left())) return false;
  block_from_bytes(image, record.block);
  get_i32s(image + counts_at, record.counts, journal_count_total);
  if (length == 0) return true;
  if (!in.take_text(static_cast<std::size_t>(length), record.comment)) return false;
  // The stored length counts the NUL; a text without one is cut at its length, one with an
  // early NUL at that NUL.
  record.comment.resize(std::strlen(record.comment.c_str()));
  return true;
}

bool write_record(byte_writer& out, const data_record& record) {
  if (record.comment.size() >= static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) return false;
  uint8_t* image = out.room(record_fixed_size);
  block_to_bytes(record.block, image);
  put_i32s(image + counts_at, record.counts, journal_count_total);
  const int32_t length = stored_comment_length(record.comment);
  put_le(image + length_at, length);
  out.put(record.comment.c_str(), static_cast<std::size_t>(length));
  return true;
}

constexpr std::size_t rect_size = 16, data_body_fixed_size = device_block_size + 4 * journal_count_total + 4 + 4,
                      plot_body_size = plot_section_size - rect_size;

}  // namespace

bool read_window_rect(byte_reader& in, window_rect& rect) {
  const uint8_t* bytes = in.take(rect_size);
  if (!bytes) return false;
  rect = {get_le<int32_t>(bytes), get_le<int32_t>(bytes + 4), get_le<int32_t>(bytes + 8), get_le<int32_t>(bytes + 12)};
  return true;
}

void write_window_rect(byte_writer& out, const window_rect& rect) {
  const int32_t values[4] = {rect.left, rect.top, rect.right, rect.bottom};
  put_i32s(out.room(rect_size), values, 4);
}

bool read_data_window_body(byte_reader& in, data_window_state& state, record_list& records) {
  const uint8_t* bytes = in.take(data_body_fixed_size);
  if (!bytes) return false;
  data_window_state read;
  block_from_bytes(bytes, read.working_block);
  get_i32s(bytes + device_block_size, read.counts, journal_count_total);
  read.no_record = get_le<int32_t>(bytes + data_body_fixed_size - 8);
  const int32_t count = get_le<int32_t>(bytes + data_body_fixed_size - 4);
  // Every record needs at least its fixed part; a count the bytes left cannot back is refused
  // before anything is allocated for it. Of a stream that cannot tell, records are taken as they come.
  if (count < 0 || (in.left() >= 0 && count > in.left() / record_fixed_size)) return false;
  record_list read_records;
  if (in.left() >= 0) read_records.reserve(static_cast<std::size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    if (!read_record(in, read_records.emplace_back())) return false;
  }
  state = read;
  records = std::move(read_records);
  return true;
}

bool write_data_window_body(byte_writer& out, const data_window_state& state, const record_list& records) {
  if (records.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) return false;
  uint8_t* bytes = out.room(data_body_fixed_size);
  block_to_bytes(state.working_block, bytes);
  put_i32s(bytes + device_block_size, state.counts, journal_count_total);
  put_le(bytes + data_body_fixed_size - 8, state.no_record);
  put_le(bytes + data_body_fixed_size - 4, static_cast<int32_t>(records.size()));
  for (const auto& record : records) {
    if (!write_record(out, record)) return false;
  }
  return true;
}

bool read_plot_body(byte_reader& in, plot_sums& sums) {
  const uint8_t* bytes = in.take(plot_body_size);
  if (!bytes) return false;
  plot_sums read;
  get_i32s(bytes, &read.visible, 1);
  get_i32s(bytes + 4, &read.record_count, 1);
  get_i32s(bytes + 8, &read.max, 1);
  get_i32s(bytes + 12, read.cues, plot_sums::bins);
  get_i32s(bytes + 12 + 4 * plot_sums::bins, read.not_delivered, plot_sums::bins);
  for (int i = 0; i < plot_sums::bins; ++i)  // wraps like the 32-bit sum it is, whatever the file holds
    read.combined[i] =
        static_cast<int32_t>(static_cast<uint32_t>(read.cues[i]) + static_cast<uint32_t>(read.not_delivered[i]));
  sums = read;
  return true;
}

void write_plot_body(byte_writer& out, const plot_sums& sums) {
  uint8_t* bytes = out.room(plot_body_size);
  put_i32s(bytes, &sums.visible, 1);
  put_i32s(bytes + 4, &sums.record_count, 1);
  put_i32s(bytes + 8, &sums.max, 1);
  put_i32s(bytes + 12, sums.cues, plot_sums::bins);
  put_i32s(bytes + 12 + 4 * plot_sums::bins, sums.not_delivered, plot_sums::bins);
}

int read_data_file(byte_reader& in, data_file_image& image) {
  const int header = read_doc_header(in, data_doc_type_tag);
  if (header != 1) return header;
  data_file_image read;
  if (!read_window_rect(in, read.data_rect) || !read_data_window_body(in, read.data, read.records)) return -7;
  if (!read_window_rect(in, read.plot_rect) || !read_plot_body(in, read.plot)) return -8;
  image = std::move(read);
  return 1;
}

bool write_data_file(byte_writer& out, const data_file_image& image) {
  write_doc_header(out, data_doc_type_tag);
  write_window_rect(out, image.data_rect);
  if (!write_data_window_body(out, image.data, image.records)) return false;
  write_window_rect(out, image.plot_rect);
  write_plot_body(out, image.plot);
  return true;
}

data_file_image new_data_file_image() {
  data_file_image image;
  image.data_rect = data_window_first_rect;
  image.plot_rect = plot_window_first_rect;
  reset_block(image.data.working_block);
  return image;
}

namespace {

void show_last_record(data_file_image& image) {
  data_window_state& state = image.data;
  if (image.records.empty()) {
    reset_block(state.working_block);
    std::fill(std::begin(state.counts), std::end(state.counts), 0);
    return;
  }
  const data_record& last = image.records.back();
  state.working_block = last.block;
  std::copy(std::begin(last.counts), std::end(last.counts), std::begin(state.counts));
}

}  // namespace

void take_as_opened(data_file_image& image) {
  show_last_record(image);
  image.plot.visible = image.plot.visible != 0 ? 1 : 0;
}
