// The three 32-byte text tags at the head of every document file, and the safe save.
#include "app/doc_tags.h"

#include <windows.h>

#include <cstring>

bool write_doc_tag(std::FILE* file, const char* text) {
  char tag[doc_tag_size] = {};
  std::strncpy(tag, text, doc_tag_size - 1);
  return std::fwrite(tag, doc_tag_size, 1, file) == 1;
}

bool read_doc_tag(std::FILE* file, char* tag) {
  tag[doc_tag_size] = '\0';
  if (std::fread(tag, doc_tag_size, 1, file) != 1)
    return false;
  return true;
}

bool is_program_tag(const char* tag) {
  return std::strcmp(tag, "NIGHTGLOW App") == 0 || std::strcmp(tag, "Test App") == 0;
}

bool replace_file(const char* temporary, const char* path) {
  if (MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  DeleteFileA(temporary);
  return false;
}
