// The comments box: a frame around a multi-line EDIT child control, the program's only child control.
#pragma once

#include <string>
#include <vector>

#include "ui/widget_type.h"

class edit_text_type : public widget_type {
 public:
  static constexpr int control_id = 1000;

  edit_text_type(win_type* owner, const RECT& rectangle, const char* name);
  ~edit_text_type() override;  // destroys the control

  void draw(HDC hdc) override;
  void get_rect(RECT& rect) override;
  void set_focus(bool on) override;
  bool accepts_focus(int direction) override;
  bool has_own_control() const override { return control != nullptr; }

  // The control's lines as it breaks them (at most `limit` of them), for the printed page.
  std::vector<std::string> read_lines(int limit = -1) const;
  // The whole text, its hard line breaks as CR LF.
  std::string text_of_control() const;
  void set_text(const std::string& text);

  RECT rectangle;
  HWND control = nullptr;  // owned
  WNDPROC previous_procedure = nullptr;

 private:
  static LRESULT CALLBACK control_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
};
