// The status and About windows: never open together, their close boxes, their drawing.
#include "test_app.h"

namespace {

using status_about = app_fixture;

// Draws a window into a white DIB section of its client size and returns the pixels.
struct drawn {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};

drawn draw_window(win_type& window) {
  RECT client;
  GetClientRect(window.window, &client);
  drawn out;
  out.width = client.right;
  out.height = client.bottom;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = out.width;
  info.bmiHeader.biHeight = -out.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, dib);
  PatBlt(dc, 0, 0, out.width, out.height, WHITENESS);
  window.draw(dc);
  GdiFlush();
  const auto* p = static_cast<const uint32_t*>(bits);
  out.pixels.assign(p, p + static_cast<size_t>(out.width) * out.height);
  SelectObject(dc, old);
  DeleteObject(dib);
  DeleteDC(dc);
  return out;
}

// The bounding box of the non-white pixels.
RECT ink(const drawn& d) {
  RECT box{d.width, d.height, -1, -1};
  for (int y = 0; y < d.height; ++y)
    for (int x = 0; x < d.width; ++x)
      if (d.at(x, y) != 0xFFFFFF) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x);
        box.bottom = std::max<LONG>(box.bottom, y);
      }
  return box;
}

TEST_F(status_about, status_and_about_are_never_open_together) {
  test_app& a = started_app();
  a.show_status("Status", "Printing in progress...");
  ASSERT_NE(a.status_window, nullptr);
  a.show_about();
  EXPECT_EQ(a.status_window, nullptr);
  ASSERT_NE(a.about_window, nullptr);
  a.show_status("Status", "Setting Somnolux...");
  EXPECT_EQ(a.about_window, nullptr);
  EXPECT_NE(a.status_window, nullptr);
}

TEST_F(status_about, a_second_show_status_keeps_the_window_and_its_text) {
  test_app& a = started_app();
  a.show_status("Status", "Getting Somnolux Data...");
  msg_win_type* first = a.status_window.get();
  HWND handle = first->window;
  a.show_status("Other", "Setting Somnolux...");
  EXPECT_EQ(a.status_window.get(), first);
  EXPECT_EQ(a.status_window->window, handle);
  EXPECT_STREQ(a.status_window->text, "Getting Somnolux Data...");
  EXPECT_EQ(window_title(handle), "Status");
}

TEST_F(status_about, every_message_and_question_closes_status_and_about_first) {
  test_app& a = started_app();
  a.show_status("Status", "Getting Somnolux Data...");
  a.show_message("There is no data in the Somnolux.  The current data will not be changed.");
  a.show_about();
  a.ask_ok_cancel("Sure?", "Warning!");
  a.show_status("Status", "Setting Somnolux...");
  a.ask_yes_no_cancel("Save?", "Save before closing?");
  ASSERT_EQ(a.boxes.size(), 3u);
  for (const box_record& box : a.boxes) {
    EXPECT_FALSE(box.status_open) << box.text;
    EXPECT_FALSE(box.about_open) << box.text;
  }
  EXPECT_EQ(a.boxes[0].caption, "Message");
}

TEST_F(status_about, question_answers_map_to_the_program_results) {
  test_app& a = started_app();
  a.answers = {IDOK, IDCANCEL, IDYES, IDNO, IDCANCEL};
  EXPECT_EQ(a.ask_ok_cancel("q", "c"), 1);
  EXPECT_EQ(a.ask_ok_cancel("q", "c"), 0);
  EXPECT_EQ(a.ask_yes_no_cancel("q", "c"), 1);
  EXPECT_EQ(a.ask_yes_no_cancel("q", "c"), 0);
  EXPECT_EQ(a.ask_yes_no_cancel("q", "c"), 2);
}

TEST_F(status_about, close_boxes_close_only_the_window_itself) {
  test_app& a = started_app();
  a.show_about();
  HWND about = a.about_window->window;
  SendMessageA(about, WM_CLOSE, 0, 0);
  EXPECT_EQ(a.about_window, nullptr);
  EXPECT_FALSE(IsWindow(about));
  a.show_about();  // a new one
  ASSERT_NE(a.about_window, nullptr);
  EXPECT_NE(a.about_window->window, about);

  a.show_status("Status", "Printing in progress...");
  HWND status = a.status_window->window;
  SendMessageA(status, WM_CLOSE, 0, 0);
  EXPECT_EQ(a.status_window, nullptr);
  EXPECT_FALSE(IsWindow(status));
  EXPECT_NE(a.data_document, nullptr);
  EXPECT_NE(a.settings_document, nullptr);
  EXPECT_TRUE(a.boxes.empty());
}

TEST_F(status_about, windows_float_without_menus_at_their_places) {
  test_app& a = started_app();
  a.show_status("Status", "Setting Somnolux...");
  HWND status = a.status_window->window;
  RECT r;
  GetWindowRect(status, &r);
  EXPECT_EQ(r.left, 175);
  EXPECT_EQ(r.top, 175);
  EXPECT_EQ(r.right - r.left, 275);
  EXPECT_EQ(r.bottom - r.top, 50);
  EXPECT_EQ(class_of(status), "msg_win_type");
  EXPECT_EQ(GetMenu(status), nullptr);
  EXPECT_EQ(GetWindowLongPtrA(status, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW),
            WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
  EXPECT_EQ(a.status_window->kind, status_win_kind);
  // Commands and keys are not theirs.
  EXPECT_EQ(a.status_window->do_command(IDM_QUIT + 1000), 0);

  a.show_about();
  HWND about = a.about_window->window;
  GetWindowRect(about, &r);
  EXPECT_EQ(r.left, 175);
  EXPECT_EQ(r.top, 105);
  EXPECT_EQ(r.right - r.left, 270);
  EXPECT_EQ(r.bottom - r.top, 285);
  EXPECT_EQ(window_title(about), "About Nightglow");
  EXPECT_EQ(class_of(about), "about_win_type");
  EXPECT_EQ(GetMenu(about), nullptr);
  EXPECT_EQ(a.about_window->kind, about_win_kind);
}

TEST_F(status_about, the_status_text_is_centred_on_one_line_and_cut_at_the_edges) {
  test_app& a = started_app();
  a.show_status("Status", "Getting Somnolux Data...");
  drawn d = draw_window(*a.status_window);
  RECT box = ink(d);
  ASSERT_GE(box.right, 0) << "nothing drawn";
  EXPECT_NEAR(box.left, d.width - 1 - box.right, 2);
  EXPECT_NEAR(box.top, d.height - 1 - box.bottom, 3);
  EXPECT_LT(box.bottom - box.top, 20);  // one line
  a.close_status();

  std::string long_text(200, 'W');
  a.show_status("Status", long_text.c_str());
  d = draw_window(*a.status_window);
  box = ink(d);
  EXPECT_LE(box.left, 1);
  EXPECT_GE(box.right, d.width - 2);
  EXPECT_LT(box.bottom - box.top, 20);  // still one line: cut, not wrapped
}

TEST_F(status_about, the_about_window_draws_its_picture_pixel_for_pixel) {
  test_app& a = started_app();
  a.show_about();
  drawn d = draw_window(*a.about_window);
  HDC screen = GetDC(nullptr);
  HDC picture = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(picture, a.about_window->bitmap);
  int compared = 0;
  for (int y = 0; y < 265 && y < d.height; y += 13)
    for (int x = 0; x < 265 && x < d.width; x += 11) {
      COLORREF c = GetPixel(picture, x, y);
      uint32_t expected = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
      EXPECT_EQ(d.at(x, y), expected) << x << "," << y;
      ++compared;
    }
  SelectObject(picture, old);
  DeleteDC(picture);
  EXPECT_GT(compared, 300);
}

TEST(pictures, both_bitmaps_are_8_bit_at_their_sizes_and_the_icon_exists) {
  HMODULE module = GetModuleHandleA(nullptr);
  const struct {
    const char* name;
    int width, height;
  } pictures[] = {{"about", 265, 265}, {"about2", 365, 311}};
  for (const auto& p : pictures) {
    HRSRC found = FindResourceA(module, p.name, reinterpret_cast<LPCSTR>(RT_BITMAP));
    ASSERT_NE(found, nullptr) << p.name;
    auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, found)));
    EXPECT_EQ(header->biWidth, p.width);
    EXPECT_EQ(header->biHeight, p.height);
    EXPECT_EQ(header->biBitCount, 8);
  }
  EXPECT_NE(LoadIconA(module, "somn"), nullptr);
}

}  // namespace
