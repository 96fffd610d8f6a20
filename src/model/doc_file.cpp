// Header tags of the document files and the safe save.
#include "model/doc_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

void write_tag(byte_writer& out, const char* text) {
  uint8_t* tag = out.room(doc_tag_size);
  const std::size_t length = std::min<std::size_t>(std::strlen(text), doc_tag_size - 1);
  std::memcpy(tag, text, length);
  std::memset(tag + length, 0, doc_tag_size - length);
}

// Compares the tag's text up to its NUL, or all of its 32 bytes when it has none.
bool tag_is(const uint8_t* tag, const char* text) {
  const std::size_t length = std::strlen(text);
  return length < doc_tag_size && std::memcmp(tag, text, length) == 0 && tag[length] == '\0';
}

}  // namespace

long long save_fault_after_bytes = -1;

std::FILE* open_doc_file(const char* path, const char* mode) {
  std::FILE* file = std::fopen(path, mode);
  if (file) std::setvbuf(file, nullptr, _IOFBF, std::size_t{1} << 16);
  return file;
}

void write_doc_header(byte_writer& out, const char* type_tag) {
  write_tag(out, doc_program_tag);
  write_tag(out, type_tag);
  write_tag(out, doc_version_tag);
}

int read_doc_header(byte_reader& in, const char* type_tag) {
  const uint8_t* tag = in.take(doc_tag_size);
  if (!tag) return -1;
  if (!tag_is(tag, doc_program_tag) && !tag_is(tag, doc_old_program_tag)) return -2;
  if (!(tag = in.take(doc_tag_size))) return -3;
  if (!tag_is(tag, type_tag)) return -4;
  if (!(tag = in.take(doc_tag_size))) return -5;
  if (!tag_is(tag, doc_version_tag)) return -6;
  return 1;
}

bool save_file_safely(const std::string& path, const std::function<bool(std::FILE*)>& write, std::string* reason) {
  std::string why;
  const std::string temporary = temporary_name_beside(path);
  // A name the system could not replace the file from is refused before anything is written.
  if (!path_usable(temporary, why)) {
    if (reason) *reason = why;
    return false;
  }
  errno = 0;
  std::FILE* file = open_doc_file(temporary.c_str(), "wb");  // the name is unique, so no file of the user's is touched
  if (!file) {
    if (reason) *reason = std::strerror(errno ? errno : EIO);
    return false;
  }
  errno = 0;
  bool ok = write(file);
  if (!ok) why = std::strerror(errno ? errno : EIO);
  if (ok && save_fault_after_bytes >= 0 && std::ftell(file) > save_fault_after_bytes) {
    ok = false;
    why = std::strerror(ENOSPC);
  }
  ok = std::fflush(file) == 0 && ok;
  if (!ok && why.empty()) why = std::strerror(errno ? errno : EIO);
  if (std::fclose(file) != 0 && ok) {
    ok = false;
    why = std::strerror(errno ? errno : EIO);
  }
  if (ok && replace_file(temporary, path, why)) return true;
  std::remove(temporary.c_str());
  if (reason) *reason = why;
  return false;
}
