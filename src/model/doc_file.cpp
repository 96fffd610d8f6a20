// Header tags of the document files and the safe save.
#include "model/doc_file.h"

#include <cerrno>
#include <cstring>

namespace {

bool write_tag(std::FILE* file, const char* text) {
  char tag[doc_tag_size] = {};
  std::strncpy(tag, text, doc_tag_size - 1);
  return std::fwrite(tag, doc_tag_size, 1, file) == 1;
}

// Reads 32 bytes into tag (33 bytes, always terminated).
bool read_tag(std::FILE* file, char* tag) {
  tag[doc_tag_size] = '\0';
  return std::fread(tag, doc_tag_size, 1, file) == 1;
}

}  // namespace

long long save_fault_after_bytes = -1;

std::FILE* open_doc_file(const char* path, const char* mode) {
  std::FILE* file = std::fopen(path, mode);
  if (file) std::setvbuf(file, nullptr, _IOFBF, std::size_t{1} << 16);
  return file;
}

int write_doc_header(std::FILE* file, const char* type_tag) {
  return write_tag(file, doc_program_tag) && write_tag(file, type_tag) && write_tag(file, doc_version_tag) ? 1 : 0;
}

int read_doc_header(std::FILE* file, const char* type_tag) {
  char tag[doc_tag_size + 1];
  if (!read_tag(file, tag)) return -1;
  if (std::strcmp(tag, doc_program_tag) != 0 && std::strcmp(tag, doc_old_program_tag) != 0) return -2;
  if (!read_tag(file, tag)) return -3;
  if (std::strcmp(tag, type_tag) != 0) return -4;
  if (!read_tag(file, tag)) return -5;
  if (std::strcmp(tag, doc_version_tag) != 0) return -6;
  return 1;
}

bool save_file_safely(const std::string& path, const std::function<bool(std::FILE*)>& write, std::string* reason) {
  std::string why;
  const std::string temporary = temporary_name_beside(path);
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
