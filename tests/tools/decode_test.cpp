#include <gtest/gtest.h>

#include <filesystem>

#include <cmath>

#include "compiler/binary_writer.h"
#include "compiler/compile.h"
#include "io/file_names.h"
#include "io/memory_folder.h"
#include "sources/built_in_names.h"
#include "tool_harness.h"
#include "tools/binary_readers.h"

namespace scenario::test {
namespace {

// The built-in scenario compiled once, in memory.
const RunState& built_in() {
  static const RunState state = [] {
    RunState s;
    s.percorso_nome = kPercorsoNome;
    s.treno_nome = kTrenoNome;
    MemoryFolder folder;
    dati_linea(s, folder);
    dati_treno(s, folder);
    EXPECT_EQ(memorizza_percorso(s, folder, 1).fine, EsitoCompilazione::kScritto);
    return s;
  }();
  return state;
}

class Decode : public InTempFolder {
protected:
  void SetUp() override {
    InTempFolder::SetUp();
    dir_.write("x_linea.dat", bytes_piano(built_in().planimetria));
    dir_.write("x.sim", bytes_tabella(built_in()));
    dir_.write("x.dat", bytes_griglia(built_in()));
  }
  nlohmann::json decoded(std::initializer_list<std::string> args) {
    ToolRun run = run_tool(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    return run.status == 0 ? run.json() : nlohmann::json();
  }
};

TEST_F(Decode, GridShowsTheFirstSignalCell) {
  nlohmann::json grid = decoded({"decode", "x.dat", "--cells", "63:63"});
  EXPECT_EQ(grid["kind"], "grid");
  EXPECT_EQ(grid["cell_count"], 1611);
  ASSERT_EQ(grid["cells"].size(), 1u);
  EXPECT_EQ(grid["cells"][0], nlohmann::json::parse(R"j({"index": 63, "tipo": 1, "valore1": 44, "valore2": 0,
      "valore3": 0, "valore4": 8, "tempo": 0, "avviso": 0, "montagna": 1, "vel_limite": 31, "pendenza": 105,
      "aderenza": 90})j"));
}

TEST_F(Decode, TableShowsStationsAndBoardTextsInUtf8) {
  nlohmann::json table = decoded({"decode", "x.sim"});
  ASSERT_EQ(table["entries"].size(), 87u);
  const nlohmann::json& first = table["entries"][1];
  EXPECT_EQ(first["testo"], "Valmora");
  EXPECT_EQ(first["orario"], 9540);
  EXPECT_EQ(first["inizio"], -700);
  EXPECT_EQ(table["entries"][80]["testo"], "(Bivio alta      )(velocità        )(Valmora-Fornella)");
  EXPECT_EQ(table["entries"][85]["campo7"], 610);
}

// A plan value that is not a finite number is told apart from an empty one.
TEST_F(Decode, PlanShowsNonFiniteValuesAsStrings) {
  std::string plan = dir_.read("x_linea.dat");
  const double y = 2500.0;  // the value at position 2500, found once in the file
  const std::string pattern(reinterpret_cast<const char*>(&y), sizeof y);
  const size_t at = plan.find(pattern);
  ASSERT_NE(at, std::string::npos);
  ASSERT_EQ(plan.find(pattern, at + 1), std::string::npos);
  const std::pair<double, std::string> cases[] = {
      {std::nan(""), "NaN"}, {HUGE_VAL, "Infinity"}, {-HUGE_VAL, "-Infinity"}};
  for (const auto& [value, text] : cases) {
    plan.replace(at, sizeof value, reinterpret_cast<const char*>(&value), sizeof value);
    dir_.write("odd_linea.dat", plan);
    EXPECT_EQ(decoded({"decode", "odd_linea.dat", "--cells", "2500"})["y"], nlohmann::json::array({text}));
  }
}

TEST_F(Decode, PlanShowsIntegerSeedsDoublesAndEmptyEnds) {
  nlohmann::json start = decoded({"decode", "x_linea.dat", "--cells", "1:2"});
  EXPECT_EQ(start["position_count"], 80501);
  EXPECT_TRUE(start["y"][0].is_number_integer());  // the seed at position 1
  EXPECT_EQ(start["y"][0], 1);
  EXPECT_TRUE(start["y"][1].is_number_float());

  nlohmann::json at = decoded({"decode", "x_linea.dat", "--cells", "2500"});
  EXPECT_EQ(at["first_position"], 2500);
  EXPECT_EQ(at["x"], nlohmann::json::parse("[0.0]"));
  EXPECT_EQ(at["y"], nlohmann::json::parse("[2500.0]"));

  nlohmann::json end = decoded({"decode", "x_linea.dat", "--cells", "80499:90000"});
  EXPECT_EQ(end["x"], nlohmann::json::parse("[null, null]"));
  EXPECT_EQ(end["y"], nlohmann::json::parse("[null, null]"));
}

// The plan's JSON is written as the file is walked; it must be the text
// nlohmann's dump(2) makes of the same values, for any range. The oracle
// reads the plan whole and builds the JSON in memory.
nlohmann::ordered_json plan_oracle(const Planimetria& plan, size_t first, size_t last) {
  auto value = [](const ValorePiano& v) -> nlohmann::ordered_json {
    if (v.tag == ValorePiano::kIntero) return v.intero();
    if (v.tag == ValorePiano::kVuoto) return nullptr;
    return v.doppio();
  };
  nlohmann::ordered_json x = nlohmann::ordered_json::array(), y = nlohmann::ordered_json::array();
  for (size_t i = first; i < plan.posizioni() && i <= last; ++i) {
    x.push_back(value(plan.coordinata[0][i]));
    y.push_back(value(plan.coordinata[1][i]));
  }
  return {{"kind", "plan"},
          {"position_count", plan.posizioni()},
          {"first_position", std::min(first, plan.posizioni())},
          {"x", x},
          {"y", y}};
}

TEST_F(Decode, PlanTextIsWhatAWholeJsonDumpWouldBe) {
  const Planimetria& plan = built_in().planimetria;
  const std::pair<size_t, size_t> ranges[] = {{0, SIZE_MAX},  {0, 0},         {1, 2},
                                              {80499, 90000}, {80501, 80501}, {90000, 90001}};
  for (const auto& [first, last] : ranges) {
    std::vector<std::string> args = {"decode", "x_linea.dat"};
    if (last != SIZE_MAX) args.push_back("--cells"), args.push_back(std::to_string(first) + ":" + std::to_string(last));
    ToolRun run = run_tool_args(args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out == plan_oracle(plan, first, last).dump(2) + "\n") << first << ":" << last;
  }
}

TEST_F(Decode, KindComesFromTheNameOrFromKind) {
  dir_.write("grid.bin", bytes_griglia(built_in()));
  ToolRun unnamed = run_tool({"decode", "grid.bin"});
  EXPECT_EQ(unnamed.status, 1);
  EXPECT_EQ(unnamed.err,
            "scenario-tool: cannot tell the kind of 'grid.bin' from its name; give --kind plan|table|grid\n");
  EXPECT_EQ(decoded({"decode", "grid.bin", "--kind", "grid", "--cells", "0:0"})["kind"], "grid");
  // --kind wins over the name.
  ToolRun wrong = run_tool({"decode", "x.dat", "--kind", "table"});
  EXPECT_EQ(wrong.status, 1);
}

TEST_F(Decode, ReadersGiveBackWhatTheCompilerWrote) {
  const RunState& s = built_in();
  EXPECT_EQ(tools::read_grid_file(bytes_griglia(s)), s.celle);
  EXPECT_EQ(tools::read_table_file(bytes_tabella(s)), s.servizio);
  Planimetria plan = tools::read_plan_file(bytes_piano(s.planimetria));
  ASSERT_EQ(plan.posizioni(), s.planimetria.posizioni());
  EXPECT_EQ(bytes_piano(plan), bytes_piano(s.planimetria));
}

// Only a regular file of bounded size is decoded; the message says why not.
TEST_F(Decode, RefusesWhatIsNotABoundedFile) {
  std::filesystem::create_directory(dir_.path() / "folder.dat");
  // A byte more than the plan of the longest route can hold (sparse: no disk taken).
  dir_.write("big_linea.dat", "");
  std::filesystem::resize_file(dir_.path() / "big_linea.dat", tools::kLargestScenarioFile + 1);
  const std::pair<std::string, std::string> cases[] = {
      {"big_linea.dat",
       "cannot read 'big_linea.dat': it is larger than 20140020 bytes, the largest file the compiler writes"},
      {"absent.dat", "cannot read 'absent.dat': No such file or directory"},
      {"folder.dat", "cannot read 'folder.dat': it is a folder"},
      {"/dev/zero", "cannot read '/dev/zero': it is not a regular file"},
  };
  for (const auto& [path, message] : cases) {
    ToolRun run = run_tool({"decode", path, "--kind", "grid"});
    EXPECT_EQ(run.status, 1) << path;
    EXPECT_EQ(run.err, "scenario-tool: " + message + "\n");
  }
}

struct Malformed {
  const char* file;
  std::string bytes;
  std::string error;
};

TEST_F(Decode, MalformedFilesAreRefusedWithTheOffsetWhereTheyBreak) {
  const RunState& s = built_in();
  const std::string grid = bytes_griglia(s), table = bytes_tabella(s), plan = bytes_piano(s.planimetria);
  std::string bad_tag = plan;
  bad_tag[8] = 7;  // the tag of position 2
  const Malformed cases[] = {
      {"cut.dat", grid.substr(0, grid.size() - 6), "at offset 24150: cell 1610 is cut short: 9 of its 15 bytes"},
      {"empty.dat", "", "at offset 0: the file is empty: a grid holds at least one cell"},
      // Entry 0 is 34 bytes; entry 1, "Valmora", is 41.
      {"cut.sim", table.substr(0, 54),
       "at offset 34: entry 1 is cut short: it is 41 bytes long with a text of 7, the file holds 20 from there"},
      {"head.sim", table.substr(0, 40), "at offset 34: entry 1 is cut short: the file ends within its first 16 bytes"},
      {"long.sim", table + "xy",
       "at offset " + std::to_string(table.size()) + ": the file goes on for 2 bytes after the 87th entry"},
      {"tag_linea.dat", bad_tag, "at offset 8: unknown element tag 7 (known: 0 empty, 2 integer, 5 double)"},
      {"cut_linea.dat", plan.substr(0, 12), "at offset 8: a double element is cut short"},
      {"empty_linea.dat", "", "at offset 0: the file is empty: a plan holds at least one position"},
      {"odd_linea.dat", plan.substr(0, 4),
       "at offset 4: the file holds an odd number of elements (1): its two coordinate halves cannot be equal"},
  };
  for (const Malformed& c : cases) {
    dir_.write(c.file, c.bytes);
    ToolRun run = run_tool({"decode", c.file});
    EXPECT_EQ(run.status, 1) << c.file;
    EXPECT_EQ(run.out, "") << c.file;
    EXPECT_EQ(run.err, "scenario-tool: " + std::string(c.file) + ": " + c.error + "\n");
  }
}

TEST_F(Decode, CellsRangeMustBeInOrder) {
  ToolRun run = run_tool({"decode", "x.dat", "--cells", "9:3"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "scenario-tool: --cells wants A:B with A no greater than B, or A; got '9:3'\n");
}

}  // namespace
}  // namespace scenario::test
