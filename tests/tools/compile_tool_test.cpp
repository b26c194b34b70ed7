#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "model/cp1252.h"
#include "tool_harness.h"
#include "tools/binary_readers.h"

namespace scenario::test {
namespace {

const std::string kPlan = "Valmora - Dorvane_linea.dat";
const std::string kTable = "Valmora - Dorvane_ICN 853.sim";
const std::string kGrid = "Valmora - Dorvane_ICN 853.dat";

class CompileTool : public InTempFolder {
protected:
  void write_texts(const std::string& line, const std::string& service) {
    dir_.write("line.txt", line);
    dir_.write("service.txt", service);
  }
  void write_built_in_texts() { write_texts(built_in_line_text(), built_in_service_text()); }
};

TEST_F(CompileTool, BuiltInTextsGiveTheMainProgramsFilesByteForByte) {
  write_built_in_texts();
  namespace fs = std::filesystem;
  fs::create_directory(dir_.path() / "main");
  fs::copy_file(SCENARIO_EXE, dir_.path() / "main" / "scenario");
  ASSERT_EQ(std::system("cd main && ./scenario >/dev/null 2>&1"), 0);
  fs::create_directory(dir_.path() / "out");
  std::string tool = std::string(SCENARIO_TOOL_EXE) + " compile line.txt service.txt -o out 2>err.txt";
  ASSERT_EQ(std::system(tool.c_str()), 0);

  EXPECT_EQ(dir_.read("err.txt"), "");
  for (const std::string& name : {kPlan, kTable, kGrid})
    EXPECT_TRUE(dir_.read("out/" + name) == dir_.read("main/" + name)) << name;
  // The author's texts are inputs only: still there, unchanged.
  EXPECT_EQ(dir_.read("line.txt"), built_in_line_text());
  EXPECT_EQ(dir_.read("service.txt"), built_in_service_text());
}

TEST_F(CompileTool, CleanCompileWritesIntoTheCurrentFolderAndReportsItsFiles) {
  write_built_in_texts();
  ToolRun run = run_tool({"compile", "line.txt", "service.txt", "--json"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.json(), nlohmann::json::parse(R"j({"errore_n": 0, "errore_pos": 0, "fatal": null, "errors": [],
      "files": ["Valmora - Dorvane_linea.dat", "Valmora - Dorvane_ICN 853.sim", "Valmora - Dorvane_ICN 853.dat"],
      "encodings": {"line": "cp1252", "service": "cp1252"}})j"));
  for (const std::string& name : {kPlan, kTable, kGrid}) EXPECT_TRUE(dir_.exists(name)) << name;
}

TEST_F(CompileTool, NoPlanLeavesAnOlderPlanFileAlone) {
  write_built_in_texts();
  dir_.write(kPlan, "older plan");
  ToolRun run = run_tool({"compile", "line.txt", "service.txt", "--no-plan", "--json"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.json()["files"],
            nlohmann::json::parse(R"(["Valmora - Dorvane_ICN 853.sim", "Valmora - Dorvane_ICN 853.dat"])"));
  EXPECT_EQ(dir_.read(kPlan), "older plan");
}

TEST_F(CompileTool, RouteAndTrainNameTheFilesAndEnterTheTableInWindows1252) {
  write_built_in_texts();
  ToolRun run = run_tool({"compile", "line.txt", "service.txt", "--route", "Città", "--train", "R 2"});
  EXPECT_EQ(run.status, 0) << run.err;
  ASSERT_TRUE(dir_.exists("Città_R 2.sim"));
  EXPECT_TRUE(dir_.exists("Città_linea.dat"));
  EXPECT_TRUE(dir_.exists("Città_R 2.dat"));
  auto table = tools::read_table_file(dir_.read("Città_R 2.sim"));
  EXPECT_EQ(table[85].testo, "Citt\xE0");
  EXPECT_EQ(table[86].testo, "R 2");
}

TEST_F(CompileTool, RefusesNamesThatWouldLeaveTheOutputFolder) {
  write_built_in_texts();
  ToolRun run = run_tool({"compile", "line.txt", "service.txt", "--route", "../up"});
  EXPECT_EQ(run.status, 64);
  EXPECT_EQ(run.err, "scenario-tool: the route name '../up' cannot be part of a file name\n");
  EXPECT_FALSE(std::filesystem::exists(dir_.path().parent_path() / "up_linea.dat"));
}

// Names that would smuggle a byte past the file-name check, break a file
// name or not fit one are refused as usage errors, with JSON, before anything
// is read or written; the longest names that fit are written.
TEST_F(CompileTool, RefusedNamesTable) {
  write_built_in_texts();
  struct Case {
    std::string route;
    std::string message;
  };
  const Case cases[] = {
      {"\xC0\xAF..\xC0\xAFx", "the route name '\\xC0\\xAF..\\xC0\\xAFx' is not valid UTF-8"},
      {"a\xC0\x80", "the route name 'a\\xC0\\x80' is not valid UTF-8"},
      {"a\\b", "the route name 'a\\b' cannot be part of a file name"},
      {"..", "the route name '..' cannot be part of a file name"},
      {"\xC2\x85", "the route name '\\xC2\\x85' has a character outside Windows-1252"},
      {"two\nlines", "the route name 'two\\x0Alines' cannot be part of a file name: it holds a control character"},
      {std::string(70000, 'r'), "the route and train names make the file name '" + std::string(80, 'r') +
                                    "... (70010 bytes)' longer than 255 bytes"},
      {std::string(244, 'r'), "the route and train names make the file name '" + std::string(80, 'r') +
                                  "... (256 bytes)' longer than 255 bytes"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    ToolRun run = run_tool({"compile", "line.txt", "service.txt", "--route", c.route, "--json"});
    EXPECT_EQ(run.status, 64);
    EXPECT_EQ(run.err, "scenario-tool: " + c.message + "\n");
    EXPECT_EQ(run.json()["fatal"], "usage");
    EXPECT_EQ(run.json()["message"], c.message);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 2);
  }
  const std::string longest(243, 'r');  // + "_ICN 853.sim" makes 255 bytes
  ToolRun run = run_tool({"compile", "line.txt", "service.txt", "--route", longest});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(dir_.exists(longest + "_ICN 853.sim"));
  EXPECT_TRUE(dir_.exists(longest + "_linea.dat"));
}

// Only a regular file of at most 64 MiB is read as a text.
TEST_F(CompileTool, InputsThatAreNotBoundedFilesAreRefused) {
  dir_.write("service.txt", built_in_service_text());
  dir_.write("huge.txt", "");
  std::filesystem::resize_file(dir_.path() / "huge.txt", (uint64_t(64) << 20) + 1);  // sparse
  const std::pair<std::string, std::string> cases[] = {
      {"/dev/zero", "cannot read '/dev/zero': it is not a regular file"},
      {"huge.txt", "cannot read 'huge.txt': it is larger than 64 MiB"},
  };
  for (const auto& [path, message] : cases) {
    ToolRun run = run_tool({"compile", path, "service.txt", "--json"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "scenario-tool: " + message + "\n");
    EXPECT_EQ(run.json()["fatal"], "input");
    EXPECT_FALSE(dir_.exists(kGrid));
  }
}

// An input that carries the name of an output, in the output folder, is
// never replaced by the compile's bytes.
TEST_F(CompileTool, AnInputIsNeverAnOutput) {
  write_texts(built_in_line_text(), built_in_service_text());
  std::filesystem::rename(dir_.path() / "line.txt", dir_.path() / kPlan);
  ToolRun run = run_tool({"compile", kPlan, "service.txt", "-o", "."});
  EXPECT_EQ(run.status, 64);
  EXPECT_EQ(run.err, "scenario-tool: will not write '" + kPlan + "': it is the input '" + kPlan + "'\n");
  EXPECT_EQ(dir_.read(kPlan), built_in_line_text());
  EXPECT_FALSE(dir_.exists(kGrid));
}

// Texts saved as UTF-8, with or without a byte-order mark, compile to the
// same bytes as the Windows-1252 originals; --encoding says what auto guesses.
TEST_F(CompileTool, UTF8CopiesCompileIdentically) {
  write_built_in_texts();
  ASSERT_EQ(run_tool({"compile", "line.txt", "service.txt", "-o", "."}).status, 0);
  const std::string table = dir_.read(kTable), grid = dir_.read(kGrid), plan = dir_.read(kPlan);
  std::filesystem::create_directory(dir_.path() / "u");
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"", {}}, {"\xEF\xBB\xBF", {}}, {"", {"--encoding", "utf-8"}}};
  for (const auto& [bom, flags] : cases) {
    dir_.write("line8.txt", bom + cp1252_a_utf8(built_in_line_text()));
    dir_.write("service8.txt", bom + cp1252_a_utf8(built_in_service_text()));
    std::vector<std::string> args = {"compile", "line8.txt", "service8.txt", "-o", "u"};
    args.insert(args.end(), flags.begin(), flags.end());
    args.push_back("--json");
    ToolRun run = run_tool_args(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.json()["encodings"]["line"], "utf-8");  // the service text, plain ASCII, reads the same either way
    EXPECT_TRUE(dir_.read("u/" + kTable) == table);
    EXPECT_TRUE(dir_.read("u/" + kGrid) == grid);
    EXPECT_TRUE(dir_.read("u/" + kPlan) == plan);
  }
  // A character with no Windows-1252 form is named at its line and column.
  dir_.write("euro.txt", "[generale]\r\nlunghezza percorso, \xE2\x82\xAC\xE2\x82\xBD 1\r\n");
  ToolRun rouble = run_tool({"compile", "euro.txt", "service.txt"});
  EXPECT_EQ(rouble.status, 1);
  EXPECT_EQ(rouble.err, "scenario-tool: euro.txt:2:22: a character outside Windows-1252\n");
  // Told it is UTF-8, a Windows-1252 text is refused where it is not.
  ToolRun run = run_tool({"compile", "line.txt", "service.txt", "--encoding", "utf-8"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "scenario-tool: line.txt:64:58: not valid UTF-8 (try --encoding cp1252)\n");
}

TEST_F(CompileTool, InputThatIsAFolderIsRefusedBeforeCompiling) {
  dir_.write("service.txt", built_in_service_text());
  std::filesystem::create_directory(dir_.path() / "texts");
  ToolRun run = run_tool({"compile", "texts", "service.txt"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "scenario-tool: cannot read 'texts': it is a folder\n");
  EXPECT_FALSE(dir_.exists(kGrid));
}

TEST_F(CompileTool, MissingLineTextIsError101AndNothingIsWritten) {
  dir_.write("service.txt", built_in_service_text());
  ToolRun run = run_tool({"compile", "absent.txt", "service.txt", "--json"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "absent.txt: error 101: line description text missing\n"
            "scenario-tool: the line description left no track grid; no binary file written\n");
  EXPECT_EQ(run.json(), nlohmann::json::parse(R"j({"errore_n": 101, "errore_pos": 0, "fatal": "no_grid",
      "errors": [{"n": 101, "pos": null, "file": "absent.txt", "line": null, "column": null,
                  "message": "line description text missing"}], "files": [],
      "encodings": {"line": null, "service": "cp1252"}})j"));
  EXPECT_FALSE(dir_.exists(kGrid));
  EXPECT_EQ(dir_.read("service.txt"), built_in_service_text());
}

TEST_F(CompileTool, MissingServiceTextIsError25WithTheLineHalfWritten) {
  dir_.write("line.txt", built_in_line_text());
  ToolRun run = run_tool({"compile", "line.txt", "absent.txt"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err,
            "absent.txt: error 25: run-time fault while reading a description text (the file does not exist)\n");
  EXPECT_TRUE(dir_.exists(kGrid));
}

TEST_F(CompileTool, TakenMarkerSlotIsFatalAndWritesNothing) {
  // A speed-limit board at 0 m lands in cell 1, the format marker's slot.
  write_texts(edited(built_in_line_text(), "indicatori_vmax,  1000,", "indicatori_vmax,  0,"), built_in_service_text());
  ToolRun run = run_tool({"compile", "line.txt", "service.txt", "--json"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "scenario-tool: error 1250: format-marker slots not empty; no binary file written\n");
  EXPECT_EQ(run.json()["fatal"], 1250);
  EXPECT_EQ(run.json()["files"], nlohmann::json::array());
  EXPECT_FALSE(dir_.exists(kTable));
}

// A missing output folder, or a file in its place, is a usage error named as
// such; a file that cannot be replaced is a write failure and leaves the
// older set whole.
TEST_F(CompileTool, OutputFolderProblemsAreNamed) {
  write_built_in_texts();
  dir_.write("a-file", "");
  std::filesystem::create_directories(dir_.path() / "blocked" / kGrid / "inside");  // the last file of the set
  struct Case {
    std::string folder;
    int status;
    std::string fatal, message;
  };
  const Case cases[] = {
      {"missing-folder", 64, "usage", "the output folder 'missing-folder' does not exist"},
      {"a-file", 64, "usage", "the output folder 'a-file' is not a folder"},
      {"blocked", 1, "write_failed", "cannot write '" + kGrid + "': Operation not permitted"},
  };
  for (const Case& c : cases) {
    ToolRun run = run_tool({"compile", "line.txt", "service.txt", "-o", c.folder, "--json"});
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err, "scenario-tool: " + c.message + "\n");
    EXPECT_EQ(run.json()["fatal"], c.fatal);
    EXPECT_EQ(run.json()["files"], nlohmann::json::array());
  }
  EXPECT_FALSE(dir_.exists("blocked/" + kPlan));
  EXPECT_FALSE(dir_.exists("blocked/" + kTable));
}

TEST_F(CompileTool, HelpOnTheToolAndEachSubcommand) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--help"}, "Usage: scenario-tool [OPTIONS] SUBCOMMAND"},
      {{"compile", "--help"}, "Usage: scenario-tool compile [OPTIONS] LINE SERVICE"},
      {{"decode", "--help"}, "Usage: scenario-tool decode [OPTIONS] FILE"},
  };
  for (const auto& [args, usage] : cases) {
    ToolRun run = args.size() == 1 ? run_tool({args[0]}) : run_tool({args[0], args[1]});
    EXPECT_EQ(run.status, 0) << usage;
    EXPECT_NE(run.out.find(usage), std::string::npos) << run.out;
  }
  // A mistyped command is told apart from a failed compile.
  EXPECT_EQ(run_tool({}).status, 64);
  EXPECT_EQ(run_tool({"compile", "only-one.txt"}).status, 64);
  EXPECT_EQ(run_tool({"compile", "a", "b", "--frobnicate"}).status, 64);
  EXPECT_EQ(run_tool({"lint"}).status, 64);
  EXPECT_EQ(run_tool({"sheet", ".", "-o", ""}).status, 64);
}

}  // namespace
}  // namespace scenario::test
