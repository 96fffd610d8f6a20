// Document commands through the application: save, save as, open, revert, bad files; file names; the window rectangle.
#include "../ui/emf_recording.h"
#include "app/base_doc.h"
#include "model/doc_file.h"
#include "test_app.h"
#include "ui/edit_text_type.h"

namespace {

TEST(app_texts, suffixes_ignore_case_and_extensions_are_added_once_and_removed_only_at_the_end) {
  for (const auto& [text, position] : {std::pair<std::string, int>{"night.sl1", 5},
                                       {"night.SL1", 5},
                                       {".sl", -1},
                                       {"night.sl1.txt", -1},
                                       {".sl1", 0},
                                       {std::string(400, 'n') + ".Sl1", 400}})
    EXPECT_EQ(find_suffix(text, ".sl1"), position) << text;
  const std::tuple<std::string, bool, std::string> names[] = {{"Untitled 1", true, "Untitled 1.sl1"},
                                                              {"Untitled 1.sl1", true, "Untitled 1.sl1"},
                                                              {"NIGHT.SL1", true, "NIGHT.SL1"},
                                                              {"NIGHT.SL1", false, "NIGHT"},
                                                              {"a.sl1.b", false, "a.sl1.b"}};
  for (const auto& [before, add, after] : names)
    EXPECT_EQ(add ? with_extension(before, ".sl1") : without_extension(before, ".sl1"), after);
}

using documents = app_fixture;

std::string full_path(const std::string& name) { return (std::filesystem::current_path() / name).string(); }

std::string le(uint32_t value) {
  std::string out;
  for (int i = 0; i < 4; ++i) out += static_cast<char>(value >> (8 * i));
  return out;
}

std::string tags(const char* type_tag, const char* program_tag = "NIGHTGLOW App", const char* version = "0.001") {
  std::string bytes;
  for (const char* tag : {program_tag, type_tag, version})
    bytes += std::string(tag) + std::string(32 - std::strlen(tag), '\0');
  return bytes;
}

TEST_F(documents, save_as_proposes_the_title_then_the_path_and_writes_the_header_under_the_chosen_name) {
  app_type& a = start_app();
  const std::tuple<win_type*, win_type*, const char*, const char*, const char*, const char*, const char*> rows[] = {
      {data_win(), plot_win(), "monday.sl1", "Untitled 1.sl1", " | Somnolux Data (*.SL1) | sl1", "monday", "Doc type"},
      {settings_win(), settings_win(), "quiet.SL2", "Settings 1.sl2", " | Somnolux Settings (*.SL2) | sl2", "quiet",
       "Sdoc type"}};
  for (const auto& [window, again, name, proposal, dialog, new_title, type_tag] : rows) {
    io->file_dialogs.clear();
    io->save_name = name;
    command(window->window, IDM_SAVE);  // without a path: save as
    command(again->window, IDM_SAVE_AS);
    EXPECT_EQ(io->file_dialogs, (strings{proposal + std::string(dialog), full_path(name) + dialog}));
    EXPECT_EQ(title(window->window), new_title);
    EXPECT_EQ(read_file(name).substr(0, 96), tags(type_tag));
    EXPECT_TRUE(enabled(window->window, IDM_REVERT));
  }
  EXPECT_EQ(a.data_document->path, full_path("monday.sl1"));
  for (const auto& entry : std::filesystem::directory_iterator("."))
    EXPECT_NE(entry.path().extension(), ".tmp");  // no temporary file left
}

TEST_F(documents, a_failed_save_keeps_the_previous_file_and_says_why_and_yes_to_the_save_question_saves) {
  app_type& a = start_app();
  for (const auto& [window, name] :
       {std::pair<win_type*, const char*>{data_win(), "kept.sl1"}, {settings_win(), "kept.sl2"}}) {
    io->save_name = name;
    command(window->window, IDM_SAVE);
    const std::string saved = read_file(name);
    MoveWindow(window->window, 10, 10, 552, 265, FALSE);
    for (long long offset : {0, 95, 111, 219}) {  // the disk fills up in the header, the rectangle, the sections
      io->boxes.clear();
      save_fault_after_bytes = offset;
      command(window->window, IDM_SAVE);
      EXPECT_EQ(read_file(name), saved) << name << " at " << offset;
      ASSERT_EQ(io->boxes.size(), 1u);
      EXPECT_EQ(io->boxes[0].text, "Couldn't save file.\n" + full_path(name) + ": No space left on device");
    }
    save_fault_after_bytes = -1;
  }
  for (const auto& entry : std::filesystem::directory_iterator(".")) EXPECT_NE(entry.path().extension(), ".tmp");
  const std::string saved = read_file("kept.sl1");
  io->answers = {IDYES};
  command(data_win()->window, IDM_CLOSE);
  EXPECT_EQ(a.data_document, nullptr);
  EXPECT_NE(read_file("kept.sl1"), saved);  // saved with the new place
}

TEST_F(documents, nothing_closes_unsaved_a_failed_save_as_keeps_name_and_title_and_revert_keeps_what_it_cannot_read) {
  app_type& a = start_app();
  // Yes to the save question, then no file chosen: the close and the quit are cancelled.
  io->answers = {IDYES};
  command(data_win()->window, IDM_CLOSE);
  io->answers = {IDYES};
  command(settings_win()->window, IDM_QUIT);
  EXPECT_TRUE(a.data_document && a.settings_document && !take_quit());
  // A Save As that fails leaves the document as it was; so does the close that asked for it.
  io->save_name = "first.sl1";
  command(data_win()->window, IDM_SAVE_AS);
  io->save_name = "second.sl1";
  save_fault_after_bytes = 0;
  io->answers = {IDYES};
  command(data_win()->window, IDM_CLOSE);  // Yes saves to first.sl1, which fails
  command(data_win()->window, IDM_SAVE_AS);
  save_fault_after_bytes = -1;
  ASSERT_TRUE(a.data_document);
  EXPECT_EQ(title(data_win()->window) + " " + a.data_document->path, "first " + full_path("first.sl1"));
  EXPECT_FALSE(std::filesystem::exists("second.sl1"));
  // Revert of a file that went away says so and keeps the document; without a file it does nothing.
  std::filesystem::remove("first.sl1");
  const HWND data_window = data_win()->window, settings_window = settings_win()->window;
  io->boxes.clear();
  io->answers = {IDOK};
  command(data_window, IDM_REVERT);
  command(settings_window, IDM_REVERT);
  ASSERT_EQ(io->boxes.size(), 2u);
  EXPECT_EQ(io->boxes[1].text, "Couldn't open file.");
  EXPECT_TRUE(IsWindow(data_window) && IsWindow(settings_window));
}

TEST_F(documents, open_and_revert_ask_first_and_read_the_window_place_from_the_file) {
  app_type& a = start_app();
  io->save_name = "tuesday.sl1";
  MoveWindow(data_win()->window, 130, 40, 552, 265, TRUE);
  command(data_win()->window, IDM_SAVE_AS);
  MoveWindow(data_win()->window, 0, 0, 552, 265, TRUE);
  const HWND old_window = data_win()->window;
  command(settings_win()->window, IDM_OPEN);  // the file dialog cancelled
  io->open_name = "TUESDAY.SL1";
  io->answers = {IDCANCEL, IDOK};
  command(settings_win()->window, IDM_OPEN);
  EXPECT_EQ(data_win()->window, old_window);
  command(plot_win()->window, IDM_OPEN);
  EXPECT_FALSE(IsWindow(old_window));
  EXPECT_EQ(title(data_win()->window), "TUESDAY");
  EXPECT_EQ(a.data_document->path, full_path("TUESDAY.SL1"));
  EXPECT_EQ(rect_of(data_win()->window).left, 130);
  EXPECT_TRUE(IsWindowVisible(data_win()->window));
  EXPECT_FALSE(IsWindowVisible(plot_win()->window));

  MoveWindow(data_win()->window, 0, 0, 552, 265, TRUE);
  io->answers = {IDCANCEL, IDOK};
  command(data_win()->window, IDM_REVERT);
  EXPECT_EQ(rect_of(data_win()->window).left, 0);
  command(plot_win()->window, IDM_REVERT);
  EXPECT_EQ(rect_of(data_win()->window).left, 130);
  EXPECT_EQ(title(data_win()->window), "TUESDAY");
  ASSERT_EQ(io->boxes.size(), 4u);
  EXPECT_EQ(io->boxes[1].text,
            "This operation will overwite the current data document.  Are you sure you want to proceed?");
  EXPECT_EQ(io->boxes[2].text,
            "This operation will throw away all changes to \"TUESDAY\".  Are you sure you want to proceed?");
  EXPECT_EQ(io->boxes[2].caption, "Revert file?");
}

TEST_F(documents, a_file_that_cannot_be_opened_or_read_leaves_a_new_empty_document_and_says_why) {
  app_type& a = start_app("port = COM3\n", SW_SHOWNOACTIVATE);  // the new document is shown with it
  const std::pair<std::string, int> cases[] = {
      {"", 0},  // nothing to open
      {"NIGHT", -1},
      {tags("Sdoc type", "Test App").substr(0, 64), -4},
      {tags("Doc type") + std::string(480, '\0') + le(0x80000000u) + std::string(2000, '\0'), -7},  // 2^31 records
      {tags("Doc type") + std::string(480, '\0') + le(0) + std::string(1051, '\0'), -8},
  };
  for (const auto& [bytes, code] : cases) {
    std::filesystem::remove("bad.sl1");
    if (!bytes.empty()) write_file("bad.sl1", bytes);
    io->boxes.clear();
    SetWindowTextA(data_win()->window, "changed");
    a.open_data_file(full_path("bad.sl1"), "bad.sl1");
    ASSERT_EQ(io->boxes.size(), 1u);
    EXPECT_EQ(io->boxes[0].text, code ? "Couldn't read file: " + std::to_string(code) : "Couldn't open file.");
    EXPECT_EQ(title(data_win()->window), "Untitled 1");
    EXPECT_TRUE(IsWindowVisible(data_win()->window));
    EXPECT_EQ(a.data_document->path, "");
    EXPECT_TRUE(a.show_new_windows());
  }
  write_file("night.sl1", tags("Doc type"));  // a data file chosen as settings fails at the type tag
  a.open_settings_file(full_path("night.sl1"), "night.sl1");
  EXPECT_EQ(io->boxes.back().text, "Couldn't read file: -4");
  EXPECT_EQ(title(settings_win()->window), "Settings 1");
}

TEST_F(documents, a_saved_night_is_the_image_byte_for_byte_and_opens_as_it_was_with_its_plot_shown) {
  start_app();
  sim_engine engine(make_night(3, {2024, 3, 30, 7, 0, 0}));
  use_fake_port(&engine);
  command(data_win()->window, IDM_GET_DATA);
  SendMessageA(data_win()->window, WM_CHAR, '7', 0);
  SetWindowTextA(data_win()->comments->control, "Flying\r\nover the lake");
  plot_sums& sums = model().image.plot;
  sums.record_count = 1, sums.max = 2, sums.cues[5] = 2, sums.not_delivered[6] = 1;
  plot_win()->show();
  io->save_name = "night.sl1";
  command(data_win()->window, IDM_SAVE_AS);

  auto rect = [](HWND w) {
    const RECT r = rect_of(w);
    return le(static_cast<uint32_t>(r.left)) + le(static_cast<uint32_t>(r.top)) + le(static_cast<uint32_t>(r.right)) +
           le(static_cast<uint32_t>(r.bottom));
  };
  uint8_t block[device_block_size];
  block_to_bytes(model().image.data.working_block, block);  // as downloaded, with checksum and interface version
  const std::string night(reinterpret_cast<char*>(block), sizeof block), counts = le(7) + std::string(24, '\0');
  std::string series(1024, '\0');
  series[5 * 4] = 2, series[512 + 6 * 4] = 1;
  const std::string saved = read_file("night.sl1");
  EXPECT_TRUE(saved == tags("Doc type") + rect(data_win()->window) + night + counts + le(0) + le(1) + night + counts +
                           le(22) + std::string("Flying\r\nover the lake", 22) + rect(plot_win()->window) + le(1) +
                           le(1) + le(2) + series);

  io->open_name = "night.sl1";
  command(plot_win()->window, IDM_OPEN);
  data_win_type& w = *data_win();
  const data_window_state& shown = model().image.data;
  EXPECT_EQ(text_of("%s %d/%d %d %d %s", title(w.window).c_str(), model().current, model().count(), shown.no_record,
                    shown.counts[dreams], title(w.comments->control).c_str()),
            "night 0/1 0 7 Flying\r\nover the lake");
  EXPECT_TRUE(IsWindowVisible(w.window) && IsWindowVisible(plot_win()->window));
  EXPECT_EQ(model().image.plot.combined[5] + 10 * model().image.plot.combined[6], 12);
  io->save_name = "again.sl1";
  command(w.window, IDM_SAVE_AS);
  EXPECT_TRUE(read_file("again.sl1") == saved);
}

TEST_F(documents, while_a_dialog_is_open_no_window_closes_or_replaces_a_document_under_it) {
  app_type& a = start_app();
  add_records();
  data_doc* const data = a.data_document.get();
  settings_doc* const settings = a.settings_document.get();
  const HWND data_window = data_win()->window;
  io->open_name = "night.sl1";
  // Every way a document window goes, from the other windows while Export Data is open.
  io->on_dialog = [&](const std::string&, LPARAM) {
    for (HWND other : {settings_win()->window, plot_win()->window}) {
      for (int command : {IDM_NEW_DATA, IDM_NEW_SETTINGS, IDM_OPEN, IDM_CLOSE, IDM_REVERT, IDM_QUIT})
        SendMessageA(other, WM_COMMAND, command, 0);
      SendMessageA(other, WM_CLOSE, 0, 0);
    }
    return INT_PTR{1};
  };
  data_win()->export_to_database();
  EXPECT_EQ(a.data_document.get(), data);
  EXPECT_EQ(a.settings_document.get(), settings);
  EXPECT_TRUE(IsWindow(data_win()->window));
  EXPECT_TRUE(io->boxes.empty());  // not even asked
  EXPECT_TRUE(io->file_dialogs.empty());
  SendMessageA(settings_win()->window, WM_COMMAND, IDM_NEW_DATA, 0);  // afterwards as before
  EXPECT_FALSE(IsWindow(data_window));  // the address of a new document may be the old one's
}

TEST_F(documents, a_window_rectangle_cut_short_moves_nothing_and_extremes_do_no_harm) {
  start_app();
  win_type& w = *settings_win();
  const std::string place = le(12) + le(34) + le(512) + le(184);
  const std::string extremes("\x80\0\0\0\0\0\0\x80\xff\xff\xff\x7f\0\0\0\x80", 16);
  for (const auto& [bytes, result, placed] :
       {std::tuple<std::string, bool, const char*>{place.substr(0, 12), false, "0,0 300,150"},
        {place, true, "12,34 512,184"},
        {extremes, true, ""}}) {
    MoveWindow(w.window, 0, 0, 300, 150, TRUE);
    byte_reader in(bytes.data(), bytes.size());
    window_rect rect;
    EXPECT_EQ(read_window_rect(in, rect), result);
    if (result) w.move_to(rect);  // as a file that was read places the window
    const RECT r = rect_of(w.window);
    if (*placed) {
      EXPECT_EQ(text_of("%ld,%ld %ld,%ld", r.left, r.top, r.right, r.bottom), placed);
    }
  }
}

TEST_F(documents, a_minimised_window_is_saved_where_it_stood_before) {
  start_app("port = COM3\n", SW_SHOWNORMAL);
  io->save_name = "small.sl1";
  for (win_type* window : {static_cast<win_type*>(data_win()), static_cast<win_type*>(settings_win())}) {
    MoveWindow(window->window, 130, 40, 552, 265, TRUE);
    ShowWindow(window->window, SW_MINIMIZE);
    const window_rect saved = window->saved_rect();
    EXPECT_EQ(text_of("%d,%d %d,%d", saved.left, saved.top, saved.right, saved.bottom), "130,40 682,305");
    ShowWindow(window->window, SW_RESTORE);
  }
}

}  // namespace
