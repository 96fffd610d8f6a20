// Document bytes moved in large pieces: a reader that parses from memory, a writer that serialises into memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

// Bytes taken in order from a stdio stream, read ahead in large pieces, or from memory. Every
// length a file states is checked against left() before anything is allocated for it.
class byte_reader {
 public:
  static constexpr std::size_t default_piece = std::size_t{1} << 20;

  // Reads ahead `piece` bytes at a time, so the stream ends up past the bytes taken; a piece of
  // 0 reads exactly what is taken, so that the stream stands right after it.
  explicit byte_reader(std::FILE* file, std::size_t piece = default_piece);
  byte_reader(const void* data, std::size_t size);
  byte_reader(const byte_reader&) = delete;
  byte_reader& operator=(const byte_reader&) = delete;

  // The next n bytes in one piece, valid until the next call; null when fewer are left.
  const uint8_t* take(std::size_t n) {
    if (end_ - at_ < n && !fill(n)) return nullptr;
    const uint8_t* bytes = data_ + at_;
    at_ += n;
    taken_ += static_cast<int64_t>(n);
    return bytes;
  }
  // Appends the next n bytes to `text`; false when fewer are left. On a stream of unknown size
  // the text grows only as bytes arrive.
  bool take_text(std::size_t n, std::string& text);
  // Bytes left to take, or -1 when the stream cannot tell (a pipe).
  int64_t left() const { return size_ < 0 ? -1 : size_ - taken_; }

 private:
  bool fill(std::size_t n);  // at least n bytes ahead, or false at the end of the stream

  std::FILE* file_ = nullptr;
  std::size_t piece_ = 0;
  std::unique_ptr<uint8_t[]> buffer_;
  std::size_t capacity_ = 0;
  const uint8_t* data_ = nullptr;  // the buffer, or the memory read from
  std::size_t at_ = 0, end_ = 0;   // what is ahead: data_[at_, end_)
  int64_t size_ = -1;              // bytes there were to take, -1 when unknown
  int64_t taken_ = 0;
};

// Bytes serialised into a large buffer and written to a stdio stream a piece at a time.
// Nothing reaches the stream after the first failed write; finish() says whether all did.
class byte_writer {
 public:
  explicit byte_writer(std::FILE* file, std::size_t piece = byte_reader::default_piece);
  byte_writer(const byte_writer&) = delete;
  byte_writer& operator=(const byte_writer&) = delete;

  // Room for the next n bytes, which the caller fills in full.
  uint8_t* room(std::size_t n) {
    if (capacity_ - used_ < n) make_room(n);
    uint8_t* bytes = buffer_.get() + used_;
    used_ += n;
    return bytes;
  }
  void put(const void* bytes, std::size_t n);
  // Writes what is held; true when every byte put so far reached the stream.
  bool finish();

 private:
  void make_room(std::size_t n);
  void flush();

  std::FILE* file_;
  std::unique_ptr<uint8_t[]> buffer_;
  std::size_t capacity_, used_ = 0;
  bool failed_ = false;
};
