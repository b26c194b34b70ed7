// scenario-tool init: the built-in texts to start from, which compile to the
// program's own bytes; an existing file is never replaced; the command it
// prints runs as printed.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/whole_run.h"
#include "tool_harness.h"

namespace scenario::test {
namespace {

namespace fs = std::filesystem;

// Keeps the bytes of every file the program names, before its compile deletes the texts.
class TestiDelProgramma : public MemoryFolder {
public:
  void rename(const std::string& from, const std::string& to) override {
    MemoryFolder::rename(from, to);
    scritti[to] = files().at(to);
  }
  std::map<std::string, std::string> scritti;
};

struct Programma {
  std::map<std::string, std::string> file;  // texts and binary files
};

const Programma& programma() {
  static const Programma p = [] {
    TestiDelProgramma folder;
    EXPECT_EQ(esegui_in(folder).stato, 0);
    return Programma{folder.scritti};
  }();
  return p;
}

class InitTool : public InTempFolder {};

struct CasoCodifica {
  const char* encoding;
  bool program_bytes;  // the line text is the program's own, byte for byte
};

TEST_F(InitTool, TheTextsCompileToTheProgramsFilesInEitherEncoding) {
  for (CasoCodifica c : {CasoCodifica{"cp1252", true}, CasoCodifica{"utf-8", false}}) {
    SCOPED_TRACE(c.encoding);
    const std::string dir = std::string("start-") + c.encoding;
    ToolRun init = run_tool({"init", dir, "--encoding", c.encoding});
    ASSERT_EQ(init.status, 0) << init.err;
    EXPECT_EQ(init.err, "");
    const std::string line = dir_.read(dir + "/" + nome_linea());
    const std::string service = dir_.read(dir + "/" + nome_servizio());
    EXPECT_EQ(line == programma().file.at(nome_linea()), c.program_bytes);
    EXPECT_TRUE(service == programma().file.at(nome_servizio()));  // all ASCII: the same in both
    if (!c.program_bytes) {
      // The one character beyond ASCII, "à" of the boards' texts, as UTF-8.
      EXPECT_NE(line.find("velocit\xC3\xA0"), std::string::npos);
      EXPECT_EQ(line.find("velocit\xE0"), std::string::npos);
    }

    ToolRun compile = run_tool({"compile", dir + "/" + nome_linea(), dir + "/" + nome_servizio(), "-o", dir});
    ASSERT_EQ(compile.status, 0) << compile.err;
    for (const std::string& name : nomi_binari())
      EXPECT_TRUE(dir_.read(dir + "/" + name) == programma().file.at(name)) << name;
  }
}

TEST_F(InitTool, TellsWhatItWroteAndTheCompileToRunNext) {
  ToolRun run = run_tool({"init"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "Wrote the built-in scenario's texts (Windows-1252) to start from:\n"
            "  line text:    Valmora - Dorvane_linea.txt\n"
            "  service text: Valmora - Dorvane_ICN 853-.txt\n"
            "Edit them (format.md describes every record), then compile them:\n"
            "  scenario-tool compile 'Valmora - Dorvane_linea.txt' 'Valmora - Dorvane_ICN 853-.txt'\n");
}

// The printed command, run by a shell as printed, with names a shell would
// otherwise split or end: a blank, a quote, a letter beyond ASCII.
TEST_F(InitTool, ThePrintedCommandRunsAsPrinted) {
  ToolRun run = run_tool({"init", "my route", "--route", "Lago d'Orta", "--train", "R 2à"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string prefix = "  scenario-tool ";
  const size_t at = run.out.rfind(prefix);
  ASSERT_NE(at, std::string::npos) << run.out;
  std::string command = run.out.substr(at + prefix.size());
  command.pop_back();  // the line end
  EXPECT_EQ(command,
            "compile 'my route/Lago d'\\''Orta_linea.txt' 'my route/Lago d'\\''Orta_R 2à-.txt' "
            "--route 'Lago d'\\''Orta' --train 'R 2à' -o 'my route'");
  const std::string shell = std::string(SCENARIO_TOOL_EXE) + " " + command + " >out.txt 2>err.txt";
  ASSERT_EQ(std::system(shell.c_str()), 0) << dir_.read("err.txt");
  for (const char* name : {"Lago d'Orta_linea.dat", "Lago d'Orta_R 2à.sim", "Lago d'Orta_R 2à.dat"})
    EXPECT_TRUE(dir_.exists(std::string("my route/") + name)) << name;
}

struct CasoPresente {
  const char* nome;
  bool line, service;  // which texts are there before init
};

TEST_F(InitTool, AnExistingTextIsNeverReplacedAndNothingIsWritten) {
  for (CasoPresente c :
       {CasoPresente{"line", true, false}, CasoPresente{"service", false, true}, CasoPresente{"both", true, true}}) {
    SCOPED_TRACE(c.nome);
    const std::string dir = c.nome;
    fs::create_directory(dir_.path() / dir);
    if (c.line) dir_.write(dir + "/" + nome_linea(), "my own line\r\n");
    if (c.service) dir_.write(dir + "/" + nome_servizio(), "my own service\r\n");

    ToolRun run = run_tool({"init", dir});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    std::string expected;
    if (c.line)
      expected += "scenario-tool: '" + dir + "/" + nome_linea() + "' already exists; init never replaces a file\n";
    if (c.service)
      expected += "scenario-tool: '" + dir + "/" + nome_servizio() + "' already exists; init never replaces a file\n";
    expected += "scenario-tool: nothing written: move those files away, or give init another folder\n";
    EXPECT_EQ(run.err, expected);

    EXPECT_EQ(dir_.exists(dir + "/" + nome_linea()), c.line);
    EXPECT_EQ(dir_.exists(dir + "/" + nome_servizio()), c.service);
    if (c.line) {
      EXPECT_EQ(dir_.read(dir + "/" + nome_linea()), "my own line\r\n");
    }
    if (c.service) {
      EXPECT_EQ(dir_.read(dir + "/" + nome_servizio()), "my own service\r\n");
    }
    EXPECT_EQ(size_t(std::distance(fs::directory_iterator(dir_.path() / dir), fs::directory_iterator())),
              size_t(c.line) + size_t(c.service));
  }
}

// A name taken between the look and the write (here by a link to nowhere,
// which the look does not see) is not replaced either, and the text already
// named is taken back.
TEST_F(InitTool, ANameTakenWhileWritingLeavesTheFolderAsItWas) {
  fs::create_directory(dir_.path() / "d");
  fs::create_symlink("nowhere", dir_.path() / "d" / nome_servizio());
  ToolRun run = run_tool({"init", "d"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "scenario-tool: cannot create '" + nome_servizio() + "': File exists (nothing written)\n");
  std::vector<std::string> left;
  for (const auto& e : fs::directory_iterator(dir_.path() / "d")) left.push_back(e.path().filename().string());
  EXPECT_EQ(left, std::vector<std::string>{nome_servizio()});
  EXPECT_TRUE(fs::is_symlink(dir_.path() / "d" / nome_servizio()));
}

struct CasoRifiuto {
  std::vector<std::string> args;
  int status;
  std::string err;
};

TEST_F(InitTool, NamesAndFoldersItCannotTakeAreRefusedBeforeAnythingIsWritten) {
  dir_.write("a-file", "");
  const std::vector<CasoRifiuto> casi = {
      {{"init", "--route", "a/b"}, 64, "scenario-tool: the route name 'a/b' cannot be part of a file name\n"},
      {{"init", "--train", ".."}, 64, "scenario-tool: the train name '..' cannot be part of a file name\n"},
      {{"init", "a-file"}, 64, "scenario-tool: 'a-file' is not a folder\n"},
      {{"init", "no/such/parent"},
       1,
       "scenario-tool: cannot make the folder 'no/such/parent': No such file or directory\n"},
  };
  for (const CasoRifiuto& c : casi) {
    ToolRun run = run_tool_args(c.args);
    EXPECT_EQ(run.status, c.status) << c.err;
    EXPECT_EQ(run.err, c.err);
  }
  EXPECT_EQ(size_t(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator())), 1u);
}

}  // namespace
}  // namespace scenario::test
