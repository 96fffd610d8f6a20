// What the data and settings documents share: their file path, the save commands and their questions.
#pragma once

#include <string>

class app_type;
class win_type;
struct menu_facts;

// The texts and names that tell the two kinds of document apart.
struct doc_names {
  const char* extension;     // ".sl1": added to and removed from titles
  const char* filter;        // of the save dialog, double-NUL terminated
  const char* replace_text;  // the question before the document is replaced
};

class base_doc {
 public:
  base_doc(app_type& app, const doc_names& names) : app(app), names(names) {}
  base_doc(const base_doc&) = delete;
  base_doc& operator=(const base_doc&) = delete;
  virtual ~base_doc() = default;

  // The window whose title names the document.
  virtual win_type& main_window() const = 0;
  virtual bool owns(const win_type& window) const = 0;
  virtual void update_menus(const menu_facts& facts) = 0;

  // False when nothing was saved: the dialog was cancelled, or the save failed (and said why).
  bool save();
  bool save_as();
  bool query_close();  // false when the document is to stay: cancelled, or not saved after Yes
  bool confirm_replace();  // true to go on
  bool confirm_revert();   // true to go on

  bool has_file_path() const { return !path.empty(); }
  std::string title() const;

  app_type& app;
  const doc_names& names;
  std::string path;  // full file name; empty until saved or opened

 protected:
  // Takes the windows' places and writes the file through the safe save; false with the system's reason.
  virtual bool write(const std::string& file, std::string& reason) = 0;

 private:
  bool save_to(const std::string& file);
};

// Case-insensitive suffix test of file names: the position where the suffix begins, or -1.
int find_suffix(const std::string& text, const std::string& suffix);
// The name with the extension added unless it already ends in it (in any case).
std::string with_extension(const std::string& name, const std::string& extension);
// The name without the extension when it ends in it (in any case).
std::string without_extension(const std::string& name, const std::string& extension);
