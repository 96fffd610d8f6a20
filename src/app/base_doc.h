// What the data and settings documents share: path, save commands, questions and file header.
#pragma once

#include <cstdio>

class app_type;
class win_type;

// The texts and names that tell the two kinds of document apart.
struct doc_names {
  const char* type_tag;      // second tag of the file header
  const char* extension;     // ".sl1": added to and removed from titles
  const char* filter;        // of the save dialog, double-NUL terminated
  const char* replace_text;  // the question before the document is replaced
};

class base_doc {
 public:
  base_doc(app_type* owner, const doc_names& names) : owner(owner), names(names) {}
  base_doc(const base_doc&) = delete;
  base_doc& operator=(const base_doc&) = delete;

  virtual ~base_doc() = default;                     // the derived documents destroy their windows
  virtual void update_menus() = 0;                   // every window of the document
  virtual int choose_file(char* path, char* title);  // save dialog; 1 when a file was chosen
  virtual void save();
  virtual void save_as();
  virtual int query_close();                        // 0 when the user cancelled
  virtual int confirm_replace();                    // 1 to go on
  virtual int confirm_revert();                     // 1 to go on
  virtual int write_to_file(std::FILE* file) = 0;   // 1 on success
  virtual int read_from_file(std::FILE* file) = 0;  // 1, or the code of the first failure
  // The window whose title names the document.
  virtual win_type* main_window() const = 0;

  bool has_file_path() const { return path[0] != '\0'; }
  // The main window's title, at most size - 1 characters.
  void get_title(char* buffer, int size) const;

  app_type* owner;
  const doc_names& names;
  char path[264] = {};  // full file name; empty until saved or opened

 protected:
  // The three 32-byte tags: program, type and version. 1 when written.
  int write_header(std::FILE* file) const;
  // 1 when the tags are right, else -1 ... -6: the first tag that could not be read (odd
  // codes) or did not match (even codes).
  int read_header(std::FILE* file) const;
};
