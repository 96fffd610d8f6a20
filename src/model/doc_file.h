// What both document files share: the three header tags and saving without ever losing the previous file.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "model/byte_stream.h"

constexpr int doc_tag_size = 32;
constexpr const char* doc_program_tag = "NIGHTGLOW App";
constexpr const char* doc_old_program_tag = "Test App";  // accepted when reading
constexpr const char* doc_version_tag = "0.001";
constexpr const char* data_doc_type_tag = "Doc type";
constexpr const char* settings_doc_type_tag = "Sdoc type";
constexpr long doc_header_size = 3 * doc_tag_size;

// The program, type and version tags, each NUL-terminated and zero-filled to 32 bytes.
void write_doc_header(byte_writer& out, const char* type_tag);
// 1 when the tags are right, else -1 ... -6: the first tag that could not be read (odd
// codes) or did not match (even codes). Only the text up to each tag's NUL is compared.
int read_doc_header(byte_reader& in, const char* type_tag);

// Opens a document file ("rb" or "wb") with a buffer large enough that a document of many
// records moves in few system calls; null when it cannot be opened.
std::FILE* open_doc_file(const char* path, const char* mode);

// Writes through a new temporary file with a unique name beside `path` and replaces `path`
// with it only when `write` returned true and every byte reached the disk; otherwise the
// temporary file is removed and `path` is left as it was. On failure `reason` (when given)
// receives the system's own words for what went wrong.
bool save_file_safely(const std::string& path, const std::function<bool(std::FILE*)>& write,
                      std::string* reason = nullptr);

// Test seam: a save that has written more than this many bytes fails as on a full disk
// (-1, the default: never).
extern long long save_fault_after_bytes;

// Platform part of the safe save: a temporary name beside `path` that no user owns, and
// replacing `to` by `from` in one step (as far as the platform allows). Each false return
// leaves the system's reason in `reason`.
std::string temporary_name_beside(const std::string& path);
bool replace_file(const std::string& from, const std::string& to, std::string& reason);
// False with the system's words when the platform cannot use the name (too long for it).
bool path_usable(const std::string& path, std::string& reason);
