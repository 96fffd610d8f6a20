// Reading and writing the data document's byte image, section by section.
#include "model/data_file.h"

#include <algorithm>
#include <limits>
#include <string>

#include "model/doc_file.h"
#include "model/little_endian.h"

namespace {

bool read_i32s(std::FILE* file, int32_t* values, int count) {
  uint8_t bytes[4 * plot_sums::bins];
  for (int done = 0; done < count;) {
    const int n = std::min(count - done, plot_sums::bins);
    if (std::fread(bytes, 4, static_cast<std::size_t>(n), file) != static_cast<std::size_t>(n)) return false;
    for (int i = 0; i < n; ++i) values[done + i] = get_le<int32_t>(bytes + 4 * i);
    done += n;
  }
  return true;
}

bool write_i32s(std::FILE* file, const int32_t* values, int count) {
  uint8_t bytes[4 * plot_sums::bins];
  for (int done = 0; done < count;) {
    const int n = std::min(count - done, plot_sums::bins);
    for (int i = 0; i < n; ++i) put_le(bytes + 4 * i, values[done + i]);
    if (std::fwrite(bytes, 4, static_cast<std::size_t>(n), file) != static_cast<std::size_t>(n)) return false;
    done += n;
  }
  return true;
}

int64_t tell(std::FILE* file) {
#ifdef _WIN32
  return _ftelli64(file);
#else
  return ftello(file);
#endif
}

bool seek(std::FILE* file, int64_t offset, int origin) {
#ifdef _WIN32
  return _fseeki64(file, offset, origin) == 0;
#else
  return fseeko(file, static_cast<off_t>(offset), origin) == 0;
#endif
}

// One record: block, counts and comment length in one piece, then the comment. A record or comment
// that the bytes left cannot hold fails before anything is allocated for it; the record is then
// left as it was.
bool read_record(std::FILE* file, data_record& record, int64_t& bytes_left) {
  if (bytes_left < record_fixed_size) return false;
  uint8_t image[record_fixed_size];
  if (std::fread(image, 1, sizeof image, file) != sizeof image) return false;
  const int32_t length = get_le<int32_t>(image + record_fixed_size - 4);
  if (length < 0 || length > bytes_left - record_fixed_size) return false;
  // In pieces, so that a lying length on a stream of unknown size allocates no more than arrives.
  std::string text;
  for (std::size_t remaining = static_cast<std::size_t>(length); remaining > 0;) {
    const std::size_t piece = std::min<std::size_t>(remaining, 4096), old_size = text.size();
    text.resize(old_size + piece);
    if (std::fread(text.data() + old_size, 1, piece, file) != piece) return false;
    remaining -= piece;
  }
  // The stored length counts the NUL; a text without one is cut at its length, one with an
  // early NUL at that NUL.
  text.resize(std::char_traits<char>::length(text.c_str()));
  block_from_bytes(image, record.block);
  for (int i = 0; i < journal_count_total; ++i) record.counts[i] = get_le<int32_t>(image + device_block_size + 4 * i);
  record.comment = std::move(text);
  bytes_left -= record_fixed_size + length;
  return true;
}

bool write_record(std::FILE* file, const data_record& record) {
  if (record.comment.size() >= static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) return false;
  uint8_t image[record_fixed_size];
  block_to_bytes(record.block, image);
  for (int i = 0; i < journal_count_total; ++i) put_le(image + device_block_size + 4 * i, record.counts[i]);
  const int32_t length = stored_comment_length(record.comment);
  put_le(image + record_fixed_size - 4, length);
  if (std::fwrite(image, 1, sizeof image, file) != sizeof image) return false;
  return length == 0 ||
         std::fwrite(record.comment.c_str(), 1, static_cast<std::size_t>(length), file) == static_cast<std::size_t>(length);
}

}  // namespace

int64_t bytes_left_in(std::FILE* file) {
  const int64_t here = tell(file);
  if (here < 0 || !seek(file, 0, SEEK_END)) return -1;
  const int64_t end = tell(file);
  if (!seek(file, here, SEEK_SET)) return -1;
  return end < here ? -1 : end - here;
}

bool read_window_rect(std::FILE* file, window_rect& rect) {
  int32_t values[4];
  if (!read_i32s(file, values, 4)) return false;
  rect = {values[0], values[1], values[2], values[3]};
  return true;
}

bool write_window_rect(std::FILE* file, const window_rect& rect) {
  const int32_t values[4] = {rect.left, rect.top, rect.right, rect.bottom};
  return write_i32s(file, values, 4);
}

bool read_data_window_body(std::FILE* file, data_window_state& state, record_list& records) {
  uint8_t block[device_block_size];
  data_window_state read;
  int32_t count = 0;
  if (std::fread(block, 1, sizeof block, file) != sizeof block || !read_i32s(file, read.counts, journal_count_total) ||
      !read_i32(file, read.no_record) || !read_i32(file, count) || count < 0) {
    return false;
  }
  block_from_bytes(block, read.working_block);
  // Every record needs at least its fixed part; a count the file cannot back is refused
  // before anything is allocated for it.
  int64_t left = bytes_left_in(file);
  if (left >= 0) {
    if (count > left / record_fixed_size) return false;
    records.reserve(records.size() + static_cast<std::size_t>(count));
  } else {
    left = std::numeric_limits<int64_t>::max();
  }
  for (int32_t i = 0; i < count; ++i) {
    data_record record;
    if (!read_record(file, record, left)) return false;
    records.push_back(std::move(record));
  }
  state = read;
  return true;
}

bool write_data_window_body(std::FILE* file, const data_window_state& state, const record_list& records) {
  if (records.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) return false;
  uint8_t block[device_block_size];
  block_to_bytes(state.working_block, block);
  if (std::fwrite(block, 1, sizeof block, file) != sizeof block ||
      !write_i32s(file, state.counts, journal_count_total) || !write_i32(file, state.no_record) ||
      !write_i32(file, static_cast<int32_t>(records.size()))) {
    return false;
  }
  for (const auto& record : records) {
    if (!write_record(file, record)) return false;
  }
  return true;
}

bool read_plot_body(std::FILE* file, plot_sums& sums) {
  plot_sums read;
  if (!read_i32(file, read.visible) || !read_i32(file, read.record_count) || !read_i32(file, read.max) ||
      !read_i32s(file, read.cues, plot_sums::bins) || !read_i32s(file, read.not_delivered, plot_sums::bins)) {
    return false;
  }
  for (int i = 0; i < plot_sums::bins; ++i)  // wraps like the 32-bit sum it is, whatever the file holds
    read.combined[i] =
        static_cast<int32_t>(static_cast<uint32_t>(read.cues[i]) + static_cast<uint32_t>(read.not_delivered[i]));
  sums = read;
  return true;
}

bool write_plot_body(std::FILE* file, const plot_sums& sums) {
  return write_i32(file, sums.visible) && write_i32(file, sums.record_count) && write_i32(file, sums.max) &&
         write_i32s(file, sums.cues, plot_sums::bins) && write_i32s(file, sums.not_delivered, plot_sums::bins);
}

int read_data_file(std::FILE* file, data_file_image& image) {
  const int header = read_doc_header(file, data_doc_type_tag);
  if (header != 1) return header;
  if (!read_window_rect(file, image.data_rect) || !read_data_window_body(file, image.data, image.records)) return -7;
  if (!read_window_rect(file, image.plot_rect) || !read_plot_body(file, image.plot)) return -8;
  return 1;
}

bool write_data_file(std::FILE* file, const data_file_image& image) {
  return write_doc_header(file, data_doc_type_tag) == 1 && write_window_rect(file, image.data_rect) &&
         write_data_window_body(file, image.data, image.records) && write_window_rect(file, image.plot_rect) &&
         write_plot_body(file, image.plot);
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

void show_new_last_record(data_file_image& image) {
  show_last_record(image);
  if (!image.records.empty()) image.data.no_record = 0;
}
