// The status and About windows: never open together, their close boxes, what they draw.
#include "test_app.h"

namespace {

using status_about = app_fixture;

TEST_F(status_about, never_open_together_a_second_status_keeps_its_text_and_close_boxes_close_only_themselves) {
  app_type& a = start_app();
  a.show_status("Status", "Printing in progress...");
  command(data_win()->window, IDM_ABOUT);
  EXPECT_EQ(a.status_window, nullptr);
  ASSERT_NE(a.about_window, nullptr);
  const HWND about = a.about_window->window;
  a.show_about();  // already open: only shown
  EXPECT_EQ(a.about_window->window, about);
  a.show_status("Status", "Getting Somnolux Data...");
  EXPECT_EQ(a.about_window, nullptr);
  EXPECT_FALSE(IsWindow(about));
  const HWND status = a.status_window->window;
  a.show_status("Other", "Setting Somnolux...");
  EXPECT_EQ(a.status_window->window, status);
  EXPECT_EQ(a.status_window->text, "Getting Somnolux Data...");
  EXPECT_EQ(title(status), "Status");

  SendMessageA(status, WM_CLOSE, 0, 0);
  EXPECT_EQ(a.status_window, nullptr);
  EXPECT_FALSE(IsWindow(status));
  a.show_about();
  SendMessageA(a.about_window->window, WM_CLOSE, 0, 0);
  EXPECT_EQ(a.about_window, nullptr);
  a.show_about();  // a new one after its close box
  EXPECT_TRUE(a.about_window && IsWindow(a.about_window->window));
  EXPECT_TRUE(a.data_document && a.settings_document && io->boxes.empty());
}

BITMAPINFO top_down_32_bits(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  return info;
}

// What a window draws into a white 32-bit DIB of its client size, one pixel per entry.
std::vector<uint32_t> drawn(win_type& window, int& width, int& height) {
  RECT client;
  GetClientRect(window.window, &client);
  width = client.right;
  height = client.bottom;
  BITMAPINFO info = top_down_32_bits(width, height);
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, dib);
  PatBlt(dc, 0, 0, width, height, WHITENESS);
  window.draw(dc);
  GdiFlush();
  std::vector<uint32_t> pixels(static_cast<const uint32_t*>(bits),
                               static_cast<const uint32_t*>(bits) + static_cast<size_t>(width) * height);
  for (uint32_t& p : pixels) p &= 0xFFFFFF;
  SelectObject(dc, old);
  DeleteObject(dib);
  DeleteDC(dc);
  return pixels;
}

TEST_F(status_about, the_status_text_is_centred_on_one_line_and_cut_at_the_edges) {
  app_type& a = start_app();
  for (const std::string& text : {std::string("Getting Somnolux Data..."), std::string(200, 'W')}) {
    a.close_status();
    a.show_status("Status", text.c_str());
    int width = 0, height = 0;
    const std::vector<uint32_t> pixels = drawn(*a.status_window, width, height);
    RECT ink{width, height, -1, -1};
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (pixels[static_cast<size_t>(y) * width + x] != 0xFFFFFF)
          ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y), std::max<LONG>(ink.right, x),
                 std::max<LONG>(ink.bottom, y)};
    ASSERT_GE(ink.right, 0) << "nothing drawn";
    EXPECT_NEAR(ink.top, height - 1 - ink.bottom, 3);
    EXPECT_LT(ink.bottom - ink.top, 20);  // one line, also when too long: cut, not wrapped
    if (text.size() < 100) {
      EXPECT_NEAR(ink.left, width - 1 - ink.right, 2);
    } else {
      EXPECT_TRUE(ink.left <= 1 && ink.right >= width - 2);
    }
  }
}

TEST_F(status_about, the_about_window_draws_its_picture_pixel_for_pixel) {
  app_type& a = start_app();
  a.show_about();
  int width = 0, height = 0;
  const std::vector<uint32_t> window = drawn(*a.about_window, width, height);
  ASSERT_GT(width * height, 250 * 250);  // the frame may take a pixel or two of the picture
  BITMAPINFO info = top_down_32_bits(265, 265);
  std::vector<uint32_t> picture(265 * 265);
  HDC screen = GetDC(nullptr);
  ASSERT_EQ(GetDIBits(screen, a.about_window->bitmap, 0, 265, picture.data(), &info, DIB_RGB_COLORS), 265);
  ReleaseDC(nullptr, screen);
  int differing = 0;
  for (int y = 0; y < std::min(height, 265); ++y)
    for (int x = 0; x < std::min(width, 265); ++x)
      differing += window[static_cast<size_t>(y) * width + x] != (picture[y * 265 + x] & 0xFFFFFF);
  EXPECT_EQ(differing, 0);
}

}  // namespace
