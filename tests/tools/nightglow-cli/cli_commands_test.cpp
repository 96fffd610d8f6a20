// The command line's commands: documents, rows and the simulated mask; messages, exit codes and files kept whole.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli_commands.h"
#include "cli_documents.h"
#include "exchange/journal_trends.h"
#include "model/data_file.h"
#include "model/doc_file.h"
#include "test_link.h"

namespace {

namespace fs = std::filesystem;

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Each test works in a folder of its own on two downloads into a.sl1 exported as rows.txt; the
// mask is the simulator's engine unless the port is named "real:...".
class cli_commands : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::current_path(dir);
    for (const char* line :
         {"get --port COM1 --into a.sl1", "get --port COM1 --into a.sl1", "export a.sl1 --names -o rows.txt"})
      ASSERT_EQ(run(line).code, 0) << line;
  }
  void TearDown() override {
    save_fault_after_bytes = -1;
    fs::current_path(previous);
    fs::remove_all(dir);
  }

  cli_result run(const std::string& line) {
    std::istringstream words(line);
    std::vector<std::string> args{std::istream_iterator<std::string>(words), {}};
    cli_options options;
    cli_result result;
    if (!parse_cli_options(args, options, result.err)) return result.code = 2, result;
    if (options.port.starts_with("real:")) return options.port.erase(0, 5), run_cli(options);
    return run_cli(options, [this](link_owner& owner, const cli_options&) -> std::unique_ptr<device_link> {
      return fake_link(owner, port);
    });
  }

  sim_engine engine{make_night(7, {2024, 5, 22, 7, 30, 0})};
  fake_port port{&engine};
  fs::path previous = fs::current_path(), dir;
};

TEST_F(cli_commands, nights_from_the_mask_are_listed_reported_exported_and_imported_back_unchanged) {
  // Where the bytes must be the program's, the end-to-end run compares them under Wine.
  data_file_image image;
  std::string error;
  ASSERT_TRUE(cli_open_data("a.sl1", image, error)) << error;
  ASSERT_EQ(image.records.size(), 2u);
  const std::string label = record_label(image.records[0].block);
  EXPECT_EQ(run("show a.sl1").out, "#1:  " + label + "\n#2:  " + label + "\n");
  EXPECT_EQ(run("show a.sl1 --record 2").out, "#2:  " + label + "\n");
  const cli_result report = run("report a.sl1");
  EXPECT_NE(report.out.find("\r\nHELP: Total number of dreams recalled\r\n"), std::string::npos);
  EXPECT_EQ(report.out.find('\n'), report.out.find("\r\n") + 1) << "CR LF line ends";

  const std::string rows = slurp("rows.txt");
  EXPECT_TRUE(rows.starts_with("REC\tRECSTARTMN\t"));
  EXPECT_EQ(run("export a.sl1 --records 2").out, rows.substr(rows.find("\r\n2\t") + 2));
  EXPECT_EQ(run("export a.sl1 --records 2,1,2").out, run("export a.sl1").out) << "a selection, in list order";
  EXPECT_EQ(run("import rows.txt --into b.sl1").out, "2 record(s) imported.\n");
  EXPECT_EQ(run("export b.sl1 --names").out, rows);
  EXPECT_EQ(run("report b.sl1").out, report.out);
  EXPECT_EQ(run("import a.sl1 --into b.sl1").out, "0 record(s) imported.\n");

  EXPECT_EQ(run("trends a.sl1").out, trends_text(compute_trends(image.records)));
  ASSERT_EQ(run("trends a.sl1 --records 2 -o trends.txt").code, 0);
  EXPECT_EQ(slurp("trends.txt"), trends_text(compute_trends(image.records, {1})));
}

TEST_F(cli_commands, bad_input_gets_a_clear_message_a_failing_code_and_no_output_file) {
  std::ofstream("junk.sl1") << "a shopping list, not a document: bread, milk, eggs";
  const std::string a = slurp("a.sl1");
  std::ofstream("cut.sl1", std::ios::binary) << a.substr(0, 700);
  ASSERT_TRUE(save_data_document("empty.sl1", new_data_file_image()));
  ASSERT_EQ(run("settings q.sl2 CDUR=20").code, 0);
  const std::tuple<const char*, int, const char*> rows[] = {
      {"export a.sl1 --records 2,,5", 2, "--records takes record numbers from 1 such as 2,5, not '2,,5'"},
      {"show missing.sl1", 1, "missing.sl1: Couldn't open file. (No such file or directory)"},
      {"show junk.sl1", 1, "junk.sl1: Couldn't read file: -2 (not a Nightglow document)"},
      {"report cut.sl1 -o out.txt", 1, "cut.sl1: Couldn't read file: -7 (the records are damaged or cut short)"},
      {"report a.sl1 --record 3 -o out.txt", 1, "a.sl1: there is no record 3 (the document holds 2)"},
      {"export a.sl1 -o nowhere/out.txt", 1,
       "nowhere/out.txt: Sorry, couldn't create data file. (No such file or directory)"},
      {"import missing.txt --into a.sl1", 1, "missing.txt: Couldn't open database file. (No such file or directory)"},
      {"settings a.sl1", 1, "a.sl1: Couldn't read file: -4 (not a settings document)"},
      {"set --port COM1 --from a.sl1", 1, "Couldn't read file: -4 (not a settings document); nothing was sent"},
      {"get --port COM1 --into junk.sl1", 1, "junk.sl1: Couldn't read file: -2"},
#ifndef _WIN32  // the system's own words differ on Windows
      {"report a.sl1 -o a.sl1/out.txt", 1, "a.sl1/out.txt: Sorry, couldn't create report file. (Not a directory)"},
      {"get --port real:nowhere/tty", 1, "Couldn't open serial port. (nowhere/tty: No such file or directory)"},
#endif
  };
  for (const auto& [line, code, message] : rows) {
    const cli_result result = run(line);
    EXPECT_EQ(result.code, code) << line;
    EXPECT_NE(result.err.find(message), std::string::npos) << line << ": " << result.err;
  }
  EXPECT_EQ(run("trends empty.sl1").out, trends_text({})) << "no nights: the headers alone";
  EXPECT_FALSE(engine.remote()) << "a document that cannot take the night is refused before the mask is asked";
  EXPECT_EQ(slurp("a.sl1"), a);
  for (const auto& entry : fs::directory_iterator("."))
    EXPECT_TRUE(entry.path().filename() != "out.txt" && entry.path().extension() != ".tmp") << entry.path();
}

TEST_F(cli_commands, a_save_that_fails_at_any_byte_keeps_the_previous_file_and_says_so) {
  ASSERT_EQ(run("settings q.sl2 CDUR=20").code, 0);
  const std::pair<const char*, const char*> commands[] = {
      {"get --port COM1 --into a.sl1", "a.sl1"}, {"import rows.txt --into a.sl1", "a.sl1"},
      {"settings q.sl2 SENS=3", "q.sl2"},        {"export a.sl1 -o rows.txt", "rows.txt"},
      {"trends a.sl1 -o rows.txt", "rows.txt"},
  };
  for (const auto& [line, file] : commands) {
    const std::string before = slurp(file);
    for (long long offset : {0, 95, 111, 219}) {  // in the header, the rectangle, the first section
      save_fault_after_bytes = offset;
      const cli_result result = run(line);
      EXPECT_EQ(result.code, 1) << line << " at " << offset;
      EXPECT_NE(result.err.find("(No space left on device)"), std::string::npos) << result.err;
      EXPECT_EQ(slurp(file), before) << line << " at " << offset;
    }
  }
  for (const auto& entry : fs::directory_iterator(".")) EXPECT_NE(entry.path().extension(), ".tmp");
}

}  // namespace
