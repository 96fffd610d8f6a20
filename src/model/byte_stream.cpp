// Reading ahead and writing behind in large pieces.
#include "model/byte_stream.h"

#include <algorithm>
#include <cstring>

namespace {

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

// Bytes from the stream's position to its end, or -1 when the stream cannot tell (a pipe).
int64_t bytes_left_in(std::FILE* file) {
  const int64_t here = tell(file);
  if (here < 0 || !seek(file, 0, SEEK_END)) return -1;
  const int64_t end = tell(file);
  if (!seek(file, here, SEEK_SET)) return -1;
  return end < here ? -1 : end - here;
}

constexpr std::size_t text_piece = std::size_t{1} << 16;

}  // namespace

byte_reader::byte_reader(std::FILE* file, std::size_t piece) : file_(file), piece_(piece), size_(bytes_left_in(file)) {}

byte_reader::byte_reader(const void* data, std::size_t size)
    : data_(static_cast<const uint8_t*>(data)), end_(size), size_(static_cast<int64_t>(size)) {}

bool byte_reader::fill(std::size_t n) {
  if (!file_) return false;
  const std::size_t ahead = end_ - at_;
  const std::size_t wanted = std::max(n, piece_);
  if (capacity_ < wanted) {
    std::unique_ptr<uint8_t[]> grown(new uint8_t[wanted]);
    if (ahead) std::memcpy(grown.get(), data_ + at_, ahead);
    buffer_ = std::move(grown);
    capacity_ = wanted;
  } else if (ahead) {
    std::memmove(buffer_.get(), data_ + at_, ahead);
  }
  data_ = buffer_.get();
  at_ = 0;
  end_ = ahead;
  // Read ahead as far as the buffer goes, or only what is asked for.
  const std::size_t to_read = (piece_ ? capacity_ : n) - ahead;
  end_ += std::fread(buffer_.get() + ahead, 1, to_read, file_);
  return end_ >= n;
}

bool byte_reader::take_text(std::size_t n, std::string& text) {
  const int64_t known = left();
  if (known >= 0) {
    if (static_cast<uint64_t>(known) < n) return false;
    text.reserve(text.size() + n);
  }
  while (n > 0) {
    if (at_ == end_ && !fill(std::min(n, text_piece))) return false;
    const std::size_t piece = std::min(n, end_ - at_);
    text.append(reinterpret_cast<const char*>(data_ + at_), piece);
    at_ += piece;
    taken_ += static_cast<int64_t>(piece);
    n -= piece;
  }
  return true;
}

byte_writer::byte_writer(std::FILE* file, std::size_t piece)
    : file_(file), capacity_(std::max<std::size_t>(piece, 64)) {
  buffer_.reset(new uint8_t[capacity_]);
}

void byte_writer::flush() {
  if (used_ && !failed_) failed_ = std::fwrite(buffer_.get(), 1, used_, file_) != used_;
  used_ = 0;
}

void byte_writer::make_room(std::size_t n) {
  flush();
  if (capacity_ < n) {
    buffer_.reset(new uint8_t[n]);
    capacity_ = n;
  }
}

void byte_writer::put(const void* bytes, std::size_t n) {
  const auto* from = static_cast<const uint8_t*>(bytes);
  while (n > 0) {
    if (used_ == capacity_) flush();
    const std::size_t piece = std::min(n, capacity_ - used_);
    std::memcpy(buffer_.get() + used_, from, piece);
    used_ += piece;
    from += piece;
    n -= piece;
  }
}

bool byte_writer::finish() {
  flush();
  return !failed_;
}
