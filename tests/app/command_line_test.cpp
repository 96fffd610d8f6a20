// Documents named on the command line: the name read from the line, the kind from its extension, bad files.
#include "app/command_line.h"
#include "test_app.h"

namespace {

TEST(command_line, names_one_file_quoted_or_bare) {
  for (const auto& [line, name] : {std::pair<const char*, const char*>{"", ""},
                                   {"   ", ""},
                                   {"night.sl1", "night.sl1"},
                                   {"  C:\\My Nights\\a.sl1 \r\n", "C:\\My Nights\\a.sl1"},
                                   {"\"C:\\My Nights\\a.sl1\" other", "C:\\My Nights\\a.sl1"},
                                   {"\"open.sl2", "open.sl2"},
                                   {"\"\"", ""}})
    EXPECT_EQ(file_of_command_line(line), name) << line;
}

using command_line_open = app_fixture;

std::string full_path(const char* name) { return (std::filesystem::current_path() / name).string(); }

TEST_F(command_line_open, opens_data_or_settings_by_extension_with_the_full_path_and_reports_bad_files) {
  start_app();
  io->save_name = "monday.sl1";
  command(data_win()->window, IDM_SAVE);
  io->save_name = "quiet.sl2";
  command(settings_win()->window, IDM_SAVE);
  write_file("junk.sl1", "not a night");

  start_app();
  open_from_command_line(*app, ("\"" + full_path("monday.sl1") + "\"").c_str());
  open_from_command_line(*app, " quiet.SL2 ");
  EXPECT_EQ(title(data_win()->window) + " " + title(settings_win()->window), "monday quiet");
  EXPECT_EQ(app->data_document->path, full_path("monday.sl1"));
  EXPECT_EQ(app->settings_document->path, full_path("quiet.SL2"));
  EXPECT_TRUE(IsWindowVisible(data_win()->window) && IsWindowVisible(settings_win()->window));
  EXPECT_TRUE(io->boxes.empty());

  for (const std::string& line : {std::string("missing.sl1"), std::string("junk.sl1"), std::string(300, 'x')})
    open_from_command_line(*app, line.c_str());
  std::vector<std::string> texts;
  for (const box_record& box : io->boxes) texts.push_back(box.caption + ": " + box.text.substr(0, 20));
  EXPECT_EQ(texts, (std::vector<std::string>{"Message: Couldn't open file.",
                                             "Message: Couldn't read file: ", "Message: Couldn't open file."}));
  EXPECT_EQ(title(settings_win()->window), "quiet");  // a bad data file leaves the settings alone
}

TEST_F(command_line_open, opens_nothing_when_the_start_up_dialog_chose_to_quit) {
  write_file("monday.sl1", "");
  start_app(nullptr, SW_HIDE, [](scripted_io& desktop) {
    desktop.on_dialog = [](const std::string&, LPARAM) -> INT_PTR { return 2; };  // Quit Program
  });
  EXPECT_TRUE(app->data_document && app->settings_document);  // built whole all the same
  EXPECT_FALSE(std::filesystem::exists("somnprefs.txt"));
  EXPECT_EQ(app->link()->port_number, 0);
  open_from_command_line(*app, "monday.sl1");
  EXPECT_TRUE(io->boxes.empty());
  EXPECT_EQ(title(data_win()->window), "Untitled 1");
  EXPECT_EQ(app->run(), 0);  // the quit is still on its way
}

}  // namespace
