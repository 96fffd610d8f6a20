// Document commands reached from the application: open, save, save as, revert; file names and texts.
#include "test_app.h"

#include <cstdlib>
#include <cstring>

namespace {

using app_texts = app_fixture;

TEST_F(app_texts, find_suffix_ignores_case_and_needs_the_whole_suffix_at_the_end) {
  test_app a;
  EXPECT_EQ(a.find_suffix("night.sl1", ".sl1"), 5);
  EXPECT_EQ(a.find_suffix("night.SL1", ".sl1"), 5);
  EXPECT_EQ(a.find_suffix("night.Sl1", ".SL1"), 5);
  EXPECT_EQ(a.find_suffix(".sl", ".sl1"), -1);
  EXPECT_EQ(a.find_suffix("night.sl1.txt", ".sl1"), -1);
  EXPECT_EQ(a.find_suffix(".sl1", ".sl1"), 0);
  EXPECT_EQ(a.find_suffix("", ""), 0);
  // A name longer than any buffer is still judged by its real end.
  std::string long_name(400, 'n');
  EXPECT_EQ(a.find_suffix((long_name + ".sl2").c_str(), ".SL2"), 400);
}

TEST_F(app_texts, extensions_are_added_once_and_stripped_only_at_the_end) {
  test_app a;
  char name[512] = "Untitled 1";
  a.add_extension(name, ".sl1");
  EXPECT_STREQ(name, "Untitled 1.sl1");
  a.add_extension(name, ".sl1");
  EXPECT_STREQ(name, "Untitled 1.sl1");
  std::strcpy(name, "NIGHT.SL1");
  a.add_extension(name, ".sl1");
  EXPECT_STREQ(name, "NIGHT.SL1");
  a.strip_extension(name, ".sl1");
  EXPECT_STREQ(name, "NIGHT");
  std::strcpy(name, "a.sl1.b");
  a.strip_extension(name, ".sl1");
  EXPECT_STREQ(name, "a.sl1.b");
  // A name that fills the buffer is not overrun.
  std::memset(name, 'x', 510);
  name[510] = '\0';
  a.add_extension(name, ".sl1");
  EXPECT_EQ(std::strlen(name), 510u);  // no room for the whole extension: unchanged
}

TEST_F(app_texts, append_text_grows_the_heap_text) {
  test_app a;
  char* text = static_cast<char*>(std::malloc(4));
  std::strcpy(text, "abc");
  a.append_text(text, "def");
  a.append_text(text, "");
  EXPECT_STREQ(text, "abcdef");
  std::free(text);
  char* empty = nullptr;
  a.append_text(empty, "x");
  EXPECT_STREQ(empty, "x");
  std::free(empty);
}

using documents = app_fixture;

std::string tag_at(const std::string& bytes, size_t offset) {
  return bytes.size() >= offset + 32 ? std::string(bytes.c_str() + offset) : "";
}

TEST_F(documents, save_as_proposes_the_title_and_saves_under_the_chosen_name) {
  test_app& a = started_app();
  a.save_path = path_of("monday.sl1");
  a.save_title = "monday.sl1";
  command(data_window(a)->window, IDM_SAVE);  // no path yet: save as
  ASSERT_EQ(a.save_proposals.size(), 1u);
  EXPECT_EQ(a.save_proposals[0], "Untitled 1.sl1");
  EXPECT_EQ(a.save_extensions[0], "sl1");
  EXPECT_EQ(std::string(a.save_filters[0]), "Somnolux Data (*.SL1)");
  EXPECT_EQ(window_title(data_window(a)->window), "monday");
  EXPECT_STREQ(a.data_document->path, a.save_path.c_str());
  const std::string bytes = read_file("monday.sl1");
  EXPECT_EQ(tag_at(bytes, 0), "NIGHTGLOW App");
  EXPECT_EQ(tag_at(bytes, 32), "Doc type");
  EXPECT_EQ(tag_at(bytes, 64), "0.001");
  EXPECT_FALSE(file_exists("monday.sl1.new"));
  EXPECT_TRUE(item_enabled(data_window(a)->window, IDM_REVERT));

  // Save As again proposes the stored path.
  command(plot_window(a)->window, IDM_SAVE_AS);
  ASSERT_EQ(a.save_proposals.size(), 2u);
  EXPECT_EQ(a.save_proposals[1], a.save_path);
}

TEST_F(documents, settings_save_as_uses_its_own_filter_and_extension) {
  test_app& a = started_app();
  a.save_path = path_of("quiet.sl2");
  a.save_title = "quiet.SL2";
  command(settings_window(a)->window, IDM_SAVE_AS);
  ASSERT_EQ(a.save_proposals.size(), 1u);
  EXPECT_EQ(a.save_proposals[0], "Settings 1.sl2");
  EXPECT_EQ(a.save_extensions[0], "sl2");
  EXPECT_EQ(window_title(settings_window(a)->window), "quiet");
  EXPECT_EQ(tag_at(read_file("quiet.sl2"), 32), "Sdoc type");
}

TEST_F(documents, cancelled_save_dialog_saves_nothing_and_yes_to_the_save_question_saves) {
  test_app& a = started_app();
  command(data_window(a)->window, IDM_SAVE_AS);
  EXPECT_EQ(a.data_document->path[0], '\0');

  a.save_path = path_of("kept.sl1");
  a.save_title = "kept.sl1";
  a.answers = {IDYES};
  command(data_window(a)->window, IDM_CLOSE);
  EXPECT_EQ(a.data_document, nullptr);
  EXPECT_EQ(tag_at(read_file("kept.sl1"), 0), "NIGHTGLOW App");
}

TEST_F(documents, open_replaces_the_document_after_asking_and_restores_the_window_place) {
  test_app& a = started_app();
  a.save_path = path_of("tuesday.sl1");
  a.save_title = "tuesday.sl1";
  MoveWindow(data_window(a)->window, 130, 40, 552, 265, TRUE);
  command(data_window(a)->window, IDM_SAVE_AS);
  a.answers = {IDOK, IDNO};
  command(data_window(a)->window, IDM_NEW_DATA);
  ASSERT_EQ(window_title(data_window(a)->window), "Untitled 1");
  a.boxes.clear();

  a.open_choice = 1;
  a.open_path = a.save_path;
  a.open_title = "TUESDAY.SL1";
  a.answers = {IDOK};
  command(settings_window(a)->window, IDM_OPEN);
  ASSERT_EQ(a.boxes.size(), 1u);
  EXPECT_EQ(a.boxes[0].caption, "Warning!");
  EXPECT_EQ(window_title(data_window(a)->window), "TUESDAY");
  EXPECT_STREQ(a.data_document->path, a.save_path.c_str());
  RECT r;
  GetWindowRect(data_window(a)->window, &r);
  EXPECT_EQ(r.left, 130);
  EXPECT_EQ(r.top, 40);
  EXPECT_TRUE(IsWindowVisible(data_window(a)->window));
  EXPECT_FALSE(IsWindowVisible(plot_window(a)->window));
  EXPECT_TRUE(item_enabled(data_window(a)->window, IDM_REVERT));
}

TEST_F(documents, open_cancelled_at_the_replace_question_keeps_the_document) {
  test_app& a = started_app();
  HWND w = data_window(a)->window;
  a.open_choice = 1;
  a.open_path = path_of("whatever.sl1");
  a.answers = {IDCANCEL};
  command(w, IDM_OPEN);
  EXPECT_EQ(data_window(a)->window, w);
  EXPECT_EQ(a.boxes.size(), 1u);
}

TEST_F(documents, a_missing_file_leaves_a_new_empty_document_and_says_so) {
  test_app& a = started_app();
  a.open_choice = 2;
  a.open_path = path_of("gone.sl2");
  a.open_title = "gone.sl2";
  a.answers = {IDOK};
  HWND old_window = settings_window(a)->window;
  command(data_window(a)->window, IDM_OPEN);
  ASSERT_EQ(a.boxes.size(), 2u);
  EXPECT_EQ(a.boxes[1].text, "Couldn't open file.");
  EXPECT_FALSE(IsWindow(old_window));
  EXPECT_EQ(window_title(settings_window(a)->window), "Settings 1");
  EXPECT_TRUE(IsWindowVisible(settings_window(a)->window));
  EXPECT_EQ(a.show_new_windows, 1);
}

TEST_F(documents, bad_files_give_the_code_of_the_first_failure) {
  test_app& a = started_app();
  a.show_command = SW_SHOWNOACTIVATE;  // the replacement document is shown with it
  auto write = [&](const char* name, const std::string& bytes) {
    std::FILE* f = std::fopen(name, "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  };
  auto tag = [](const char* text) {
    std::string t(32, '\0');
    std::memcpy(t.data(), text, std::strlen(text));
    return t;
  };
  const struct {
    std::string bytes;
    int code;
  } cases[] = {
      {"NIGHT", -1},
      {tag("OTHER App"), -2},
      {tag("Test App"), -3},
      {tag("Test App") + tag("Sdoc type"), -4},
      {tag("NIGHTGLOW App") + tag("Doc type") + "0.0", -5},
      {tag("NIGHTGLOW App") + tag("Doc type") + tag("0.002"), -6},
      {tag("NIGHTGLOW App") + tag("Doc type") + tag("0.001") + std::string(15, '\0'), -7},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    write("bad.sl1", c.bytes);
    a.boxes.clear();
    a.open_data_file(path_of("bad.sl1").c_str(), "bad.sl1");
    ASSERT_EQ(a.boxes.size(), 1u);
    EXPECT_EQ(a.boxes[0].text, "Couldn't read file: " + std::to_string(c.code));
    EXPECT_EQ(window_title(data_window(a)->window), "Untitled 1");
    EXPECT_TRUE(IsWindowVisible(data_window(a)->window));
    EXPECT_EQ(a.data_document->path[0], '\0');
  }

  // A data file chosen as settings fails at the type tag.
  write("night.sl1", tag("NIGHTGLOW App") + tag("Doc type") + tag("0.001"));
  a.boxes.clear();
  a.open_settings_file(path_of("night.sl1").c_str(), "night.sl1");
  ASSERT_EQ(a.boxes.size(), 1u);
  EXPECT_EQ(a.boxes[0].text, "Couldn't read file: -4");
  EXPECT_EQ(window_title(settings_window(a)->window), "Settings 1");
}

TEST_F(documents, revert_asks_with_the_title_and_reads_the_file_again) {
  test_app& a = started_app();
  a.save_path = path_of("wed.sl2");
  a.save_title = "wed.sl2";
  command(settings_window(a)->window, IDM_SAVE_AS);
  MoveWindow(settings_window(a)->window, 10, 300, 552, 177, TRUE);

  a.answers = {IDCANCEL};
  command(settings_window(a)->window, IDM_REVERT);
  ASSERT_EQ(a.boxes.size(), 1u);
  EXPECT_EQ(a.boxes[0].text,
            "This operation will throw away all changes to \"wed\".  Are you sure you want to proceed?");
  EXPECT_EQ(a.boxes[0].caption, "Revert file?");
  RECT r;
  GetWindowRect(settings_window(a)->window, &r);
  EXPECT_EQ(r.left, 10);

  a.answers = {IDOK};
  command(settings_window(a)->window, IDM_REVERT);
  GetWindowRect(settings_window(a)->window, &r);
  EXPECT_EQ(r.left, 100);  // the place stored in the file
  EXPECT_EQ(window_title(settings_window(a)->window), "wed");
  EXPECT_TRUE(item_enabled(settings_window(a)->window, IDM_REVERT));
}

TEST_F(documents, revert_of_a_never_saved_document_fails_to_open_and_leaves_an_empty_one) {
  test_app& a = started_app();
  a.answers = {IDOK};
  a.revert_data_doc();
  ASSERT_EQ(a.boxes.size(), 2u);
  EXPECT_EQ(a.boxes[1].text, "Couldn't open file.");
  EXPECT_EQ(window_title(data_window(a)->window), "Untitled 1");
}

}  // namespace
