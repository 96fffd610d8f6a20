// The command line's commands: documents, rows and the simulated mask; messages, exit codes and files kept whole.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli_commands.h"
#include "model/data_file.h"
#include "model/doc_file.h"
#include "test_link.h"

namespace {

namespace fs = std::filesystem;

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Each test works in a folder of its own, the mask being the simulator's engine.
class cli_commands : public ::testing::Test {
 protected:
  void SetUp() override {
    previous = fs::current_path();
    dir = fs::temp_directory_path() / ("ng_cli_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::current_path(dir);
  }
  void TearDown() override {
    save_fault_after_bytes = -1;
    fs::current_path(previous);
    fs::remove_all(dir);
  }

  cli_result run(const std::string& line, bool real_port = false) {
    std::vector<std::string> args;
    for (std::size_t at = 0; at < line.size(); at = line.find(' ', at) + 1) {
      args.push_back(line.substr(at, line.find(' ', at) - at));
      if (line.find(' ', at) == std::string::npos) break;
    }
    cli_options options;
    cli_result result;
    if (!parse_cli_options(args, options, result.err)) return result.code = 2, result;
    if (real_port) return run_cli(options);
    return run_cli(options, [this](link_owner& owner, const cli_options&) -> std::unique_ptr<device_link> {
      return std::make_unique<test_link>(owner, &engine);
    });
  }

  // Two downloads into a.sl1, exported with the names as rows.txt.
  void make_documents() {
    ASSERT_EQ(run("get --port COM1 --into a.sl1").code, 0);
    ASSERT_EQ(run("get --port COM1 --into a.sl1").code, 0);
    ASSERT_EQ(run("export a.sl1 --names -o rows.txt").code, 0);
  }

  sim_engine engine{make_night(7, {2024, 5, 22, 7, 30, 0})};
  fs::path previous, dir;
};

TEST(cli_options, each_command_takes_its_own_options_and_says_what_is_wrong) {
  const std::pair<std::vector<std::string>, const char*> rows[] = {
      {{"frob"}, "unknown command 'frob'"},
      {{"get"}, "get needs --port DEV"},
      {{"get", "--port"}, "--port needs a value"},
      {{"get", "--port", "COM1", "--timeout", "3"}, "--timeout takes 0, 1 or 2, not '3'"},
      {{"show", "a.sl1", "--records", "1"}, "show does not take '--records'"},
      {{"show", "a.sl1", "b.sl1"}, "unexpected argument 'b.sl1'"},
      {{"show", "a.sl1", "--bogus"}, "unknown option '--bogus'"},
      {{"report", "a.sl1", "--record", "0"}, "--record takes a record number from 1, not '0'"},
      {{"export", "a.sl1", "--records", "2,,5"}, "--records takes record numbers from 1 such as 2,5, not '2,,5'"},
      {{"import", "d.txt"}, "import needs --into FILE.sl1"},
      {{"report"}, "report needs a file"},
      {{"export", "a.sl1", "--records", "5,2,5", "--names", "-o", "x.txt"}, ""},
  };
  for (const auto& [args, message] : rows) {
    cli_options options;
    std::string error;
    EXPECT_EQ(parse_cli_options(args, options, error), *message == '\0') << args[0];
    EXPECT_EQ(error, message);
  }
  cli_options options;
  std::string error;
  ASSERT_TRUE(parse_cli_options({"export", "a.sl1", "--records", "5,2,5", "--names"}, options, error));
  EXPECT_EQ(options.records, (std::vector<int>{2, 5})) << "a selection: in list order, each once";
}

TEST_F(cli_commands, nights_from_the_mask_are_listed_reported_exported_and_imported_back_unchanged) {
  make_documents();
  data_file_image image;
  std::FILE* file = std::fopen("a.sl1", "rb");
  ASSERT_EQ(read_data_file(file, image), 1);
  std::fclose(file);
  ASSERT_EQ(image.records.size(), 2u);
  EXPECT_EQ(image.records[1]->block.tstamp, engine.block.tstamp);
  EXPECT_EQ(std::memcmp(&image.data.working_block, &image.records[1]->block, sizeof(device_block)), 0);
  EXPECT_EQ(image.data.no_record, 0);
  EXPECT_EQ(image.data_rect.right, data_window_first_rect.right) << "a new document, where the program's opens";

  const std::string label = record_label(image.records[0]->block);
  EXPECT_EQ(run("show a.sl1").out, "#1:  " + label + "\n#2:  " + label + "\n");
  EXPECT_EQ(run("show a.sl1 --record 2").out, "#2:  " + label + "\n");
  const cli_result report = run("report a.sl1");
  EXPECT_TRUE(report.out_is_bytes);
  EXPECT_NE(report.out.find("\r\nHELP: Total number of dreams recalled\r\n"), std::string::npos);
  EXPECT_EQ(report.out.find_first_of('\n'), report.out.find("\r\n") + 1) << "CR LF line ends";

  const std::string rows = slurp("rows.txt");
  EXPECT_TRUE(rows.starts_with("REC\tRECSTARTMN\t"));
  EXPECT_EQ(run("export a.sl1 --records 2").out, rows.substr(rows.find("\r\n2\t") + 2));
  EXPECT_EQ(run("import rows.txt --into b.sl1").out, "2 record(s) imported.\n");
  EXPECT_EQ(run("export b.sl1 --names").out, rows);
  EXPECT_EQ(run("report b.sl1").out, report.out);
  EXPECT_EQ(run("import a.sl1 --into b.sl1").out, "0 record(s) imported.\n");
}

TEST_F(cli_commands, bad_input_gets_a_clear_message_a_failing_code_and_no_output_file) {
  make_documents();
  std::ofstream("junk.sl1") << "a shopping list, not a document: bread, milk, eggs";
  const std::string a = slurp("a.sl1");
  std::ofstream("cut.sl1", std::ios::binary) << a.substr(0, 700);
  ASSERT_EQ(run("settings q.sl2 CDUR=20").code, 0);
  ASSERT_TRUE(save_file_safely("empty.sl1", [](std::FILE* f) { return write_data_file(f, new_data_file_image()); }));
  const std::pair<const char*, const char*> rows[] = {
      {"show missing.sl1", "missing.sl1: Couldn't open file. (No such file or directory)"},
      {"show junk.sl1", "junk.sl1: Couldn't read file: -2 (not a Nightglow document)"},
      {"show q.sl2", "q.sl2: Couldn't read file: -4 (not a data document)"},
      {"report cut.sl1 -o out.txt", "cut.sl1: Couldn't read file: -7 (the records are damaged or cut short)"},
      {"report a.sl1 --record 3 -o out.txt", "a.sl1: there is no record 3 (the document holds 2)"},
      {"export a.sl1 --records 2,9 -o out.txt", "a.sl1: there is no record 9 (the document holds 2)"},
      {"export empty.sl1 -o out.txt", "empty.sl1: there are no records to export"},
      {"export a.sl1 -o nowhere/out.txt", "nowhere/out.txt: Sorry, couldn't create data file. (No such file or directory)"},
#ifndef _WIN32  // the system's own words differ on Windows
      {"report a.sl1 -o a.sl1/out.txt", "a.sl1/out.txt: Sorry, couldn't create report file. (Not a directory)"},
      {"get --port nowhere/tty", "Couldn't open serial port. (nowhere/tty: No such file or directory)"},
#endif
      {"import missing.txt --into a.sl1", "missing.txt: Couldn't open database file. (No such file or directory)"},
      {"import rows.txt --into junk.sl1", "junk.sl1: Couldn't read file: -2"},
      {"settings a.sl1", "a.sl1: Couldn't read file: -4 (not a settings document)"},
      {"set --port COM1 --from a.sl1", "Couldn't read file: -4 (not a settings document); nothing was sent"},
      {"get --port COM1 --into junk.sl1", "junk.sl1: Couldn't read file: -2"},
  };
  for (const auto& [line, message] : rows) {
    const cli_result result = run(line, std::string(line).find("nowhere/tty") != std::string::npos);
    EXPECT_EQ(result.code, 1) << line;
    EXPECT_NE(result.err.find(message), std::string::npos) << line << ": " << result.err;
  }
  EXPECT_EQ(engine.remote(), false) << "a document that cannot take the night is refused before the mask is asked";
  EXPECT_EQ(slurp("a.sl1"), a);
  for (const auto& entry : fs::directory_iterator("."))
    EXPECT_TRUE(entry.path().filename() != "out.txt" && entry.path().extension() != ".tmp") << entry.path();
}

TEST_F(cli_commands, a_save_that_fails_at_any_byte_keeps_the_previous_file_and_says_so) {
  make_documents();
  ASSERT_EQ(run("settings q.sl2 CDUR=20").code, 0);
  const std::pair<const char*, const char*> commands[] = {
      {"get --port COM1 --into a.sl1", "a.sl1"},
      {"import rows.txt --into a.sl1", "a.sl1"},
      {"settings q.sl2 SENS=3", "q.sl2"},
      {"export a.sl1 -o rows.txt", "rows.txt"},
  };
  for (const auto& [line, file] : commands) {
    const std::string before = slurp(file);
    for (long long offset : {0, 95, 111, 219}) {
      save_fault_after_bytes = offset;
      const cli_result result = run(line);
      EXPECT_EQ(result.code, 1) << line << " at " << offset;
      EXPECT_NE(result.err.find("(No space left on device)"), std::string::npos) << result.err;
      EXPECT_EQ(slurp(file), before) << line << " at " << offset;
    }
  }
  save_fault_after_bytes = -1;
  for (const auto& entry : fs::directory_iterator(".")) EXPECT_NE(entry.path().extension(), ".tmp");
}

}  // namespace
