// Scope objects for GDI: owned pens, brushes, fonts and bitmaps, selections, paints and device contexts.
#pragma once

#include <windows.h>

#include <utility>

// A pen, brush, font or bitmap that we created: deleted when its owner goes, so that a
// drawing that throws half-way leaks nothing.
template <class Handle>
class gdi_object {
 public:
  gdi_object() = default;
  explicit gdi_object(Handle handle) : handle_(handle) {}
  gdi_object(gdi_object&& other) noexcept : handle_(other.release()) {}
  gdi_object& operator=(gdi_object&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  gdi_object(const gdi_object&) = delete;
  gdi_object& operator=(const gdi_object&) = delete;
  ~gdi_object() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Gives the object up to whoever takes it over (the clipboard).
  Handle release() { return std::exchange(handle_, nullptr); }
  void reset(Handle handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

using owned_pen = gdi_object<HPEN>;
using owned_brush = gdi_object<HBRUSH>;
using owned_font = gdi_object<HFONT>;
using owned_bitmap = gdi_object<HBITMAP>;

inline owned_pen solid_pen(int width, COLORREF colour) { return owned_pen(CreatePen(PS_SOLID, width, colour)); }

// Selects a pen, brush, font or bitmap into a context and puts the previous one back at the
// end of the scope. Declare it after the object it selects: an object still selected somewhere
// cannot be deleted. A null object selects nothing.
class selected_object {
 public:
  selected_object(HDC hdc, HGDIOBJ object) : hdc_(hdc), previous_(object ? SelectObject(hdc, object) : nullptr) {}
  selected_object(const selected_object&) = delete;
  selected_object& operator=(const selected_object&) = delete;
  ~selected_object() {
    if (previous_) SelectObject(hdc_, previous_);
  }

 private:
  HDC hdc_;
  HGDIOBJ previous_;
};

// BeginPaint and EndPaint around the drawing of one WM_PAINT.
class paint_scope {
 public:
  explicit paint_scope(HWND window) : window_(window), hdc_(BeginPaint(window, &paint_)) {}
  paint_scope(const paint_scope&) = delete;
  paint_scope& operator=(const paint_scope&) = delete;
  ~paint_scope() { EndPaint(window_, &paint_); }

  HDC get() const { return hdc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC hdc_;
};

// A window's context from GetDC, released again.
class window_dc {
 public:
  explicit window_dc(HWND window) : window_(window), hdc_(GetDC(window)) {}
  window_dc(const window_dc&) = delete;
  window_dc& operator=(const window_dc&) = delete;
  ~window_dc() {
    if (hdc_) ReleaseDC(window_, hdc_);
  }

  HDC get() const { return hdc_; }

 private:
  HWND window_;
  HDC hdc_;
};

// A memory context compatible with another one, deleted again.
class memory_dc {
 public:
  explicit memory_dc(HDC compatible) : hdc_(CreateCompatibleDC(compatible)) {}
  memory_dc(const memory_dc&) = delete;
  memory_dc& operator=(const memory_dc&) = delete;
  ~memory_dc() {
    if (hdc_) DeleteDC(hdc_);
  }

  HDC get() const { return hdc_; }

 private:
  HDC hdc_;
};
