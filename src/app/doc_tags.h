// The three 32-byte text tags at the head of every document file.
#pragma once

#include <cstdio>

constexpr int doc_tag_size = 32;

// Writes text NUL-terminated and zero-filled to 32 bytes; false on a short write.
bool write_doc_tag(std::FILE* file, const char* text);
// Reads 32 bytes into tag (33 bytes, always terminated); false on a short read.
bool read_doc_tag(std::FILE* file, char* tag);
// The program tags that a document file may carry.
bool is_program_tag(const char* tag);

// Writes the file beside `path` under a temporary name and moves it over `path` only when
// `write` succeeded, so that a failed save leaves the previous file as it was.
template <class writer>
bool save_document_file(const char* path, writer write);
bool replace_file(const char* temporary, const char* path);

template <class writer>
bool save_document_file(const char* path, writer write) {
  char temporary[300];
  std::snprintf(temporary, sizeof temporary, "%s.new", path);
  std::FILE* file = std::fopen(temporary, "wb");
  if (!file)
    return false;
  const bool written = write(file) == 1;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    std::remove(temporary);
    return false;
  }
  return replace_file(temporary, path);
}
