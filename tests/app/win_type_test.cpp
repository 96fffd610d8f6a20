// The window base class: a plain window, its rectangle in files, its default drawing and closing.
#include "test_app.h"

#include <cstdio>

namespace {

using window_base = app_fixture;

RECT rect_of(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return r;
}

TEST_F(window_base, a_plain_window_gets_its_class_menu_and_place) {
  test_app& a = started_app();
  win_type plain("Plain", a.data_document.get());
  EXPECT_EQ(plain.application, &a);
  EXPECT_EQ(class_of(plain.window), "win_type");
  EXPECT_EQ(window_title(plain.window), "Plain");
  EXPECT_NE(GetMenu(plain.window), nullptr);
  RECT r = rect_of(plain.window);
  EXPECT_EQ(r.left, 50);
  EXPECT_EQ(r.top, 50);
  EXPECT_EQ(r.right - r.left, 400);
  EXPECT_EQ(r.bottom - r.top, 300);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(plain.window, GWL_STYLE)) & WS_OVERLAPPEDWINDOW,
            static_cast<DWORD>(WS_OVERLAPPEDWINDOW));
  EXPECT_EQ(plain.display_font, nullptr);
  EXPECT_EQ(plain.printing, 0);
  EXPECT_EQ(plain.printer_dc, nullptr);
  EXPECT_EQ(plain.popup_owner, nullptr);

  // Its menu follows the base rules only.
  plain.update_menus();
  EXPECT_TRUE(item_enabled(plain.window, IDM_PRINT));
  EXPECT_FALSE(item_enabled(plain.window, IDM_REVERT));
  EXPECT_FALSE(item_enabled(plain.window, IDM_GET_DATA));
  EXPECT_FALSE(item_enabled(plain.window, IDM_COM1));

  HWND handle = plain.window;
  {
    win_type gone("Gone", a.data_document.get());
    handle = gone.window;
  }
  EXPECT_FALSE(IsWindow(handle));  // the destructor destroys the window
}

TEST_F(window_base, the_rectangle_goes_to_a_file_as_four_little_endian_integers) {
  test_app& a = started_app();
  HWND w = settings_window(a)->window;
  MoveWindow(w, 12, 34, 500, 150, TRUE);
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(settings_window(a)->win_type::write_to_file(file), 1);
  EXPECT_EQ(std::ftell(file), 16);
  std::rewind(file);
  unsigned char bytes[16];
  ASSERT_EQ(std::fread(bytes, 1, 16, file), 16u);
  EXPECT_EQ(bytes[0], 12);  // left
  EXPECT_EQ(bytes[4], 34);  // top
  EXPECT_EQ(bytes[8] | bytes[9] << 8, 512);   // right
  EXPECT_EQ(bytes[12] | bytes[13] << 8, 184);  // bottom

  MoveWindow(w, 0, 0, 100, 100, TRUE);
  std::rewind(file);
  EXPECT_EQ(settings_window(a)->win_type::read_from_file(file), 1);
  RECT r = rect_of(w);
  EXPECT_EQ(r.left, 12);
  EXPECT_EQ(r.top, 34);
  EXPECT_EQ(r.right, 512);
  EXPECT_EQ(r.bottom, 184);
  std::fclose(file);
}

TEST_F(window_base, a_file_that_ends_inside_the_rectangle_moves_nothing) {
  test_app& a = started_app();
  HWND w = data_window(a)->window;
  const RECT before = rect_of(w);
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  const unsigned char partial[12] = {1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0};
  std::fwrite(partial, 1, sizeof partial, file);
  std::rewind(file);
  EXPECT_EQ(data_window(a)->win_type::read_from_file(file), 0);
  const RECT after = rect_of(w);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.right, before.right);
  std::fclose(file);
}

TEST_F(window_base, a_plain_window_draws_its_placeholder_text_and_closes_the_data_document) {
  test_app& a = started_app();
  auto plain = std::make_unique<win_type>("Plain", a.data_document.get());
  HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  plain->draw(dc);
  HENHMETAFILE picture = CloseEnhMetaFile(dc);
  std::wstring drawn;
  EnumEnhMetaFile(
      nullptr, picture,
      [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM out) -> int {
        if (record->iType == EMR_EXTTEXTOUTW) {
          auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
          auto* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) + text->emrtext.offString);
          reinterpret_cast<std::wstring*>(out)->append(chars, text->emrtext.nChars);
        }
        return 1;
      },
      &drawn, nullptr);
  DeleteEnhMetaFile(picture);
  EXPECT_EQ(drawn, L"This is a window");

  a.answers = {IDNO};
  SendMessageA(plain->window, WM_CLOSE, 0, 0);
  EXPECT_EQ(a.data_document, nullptr);
  EXPECT_TRUE(IsWindow(plain->window));  // closing asks the application; the window is not destroyed
}

}  // namespace
