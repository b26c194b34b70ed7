#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "tool_harness.h"
#include "tools/lint_checks.h"

namespace scenario::test {
namespace {

enum class Text { kLine, kService };

// A check, a text that triggers it (the built-in text with `from` replaced by
// `to`) and what lint then prints, and a text that does not (with `from`
// replaced by `clean`, or the built-in text when `clean` is empty).
struct LintCase {
  const char* check;
  Text text;
  std::string from;
  std::string to;
  std::string clean;
  std::string expected;
};

const std::vector<LintCase>& lint_cases() {
  static const std::vector<LintCase> cases = {
      {"value-wraps", Text::kService, "aderenza,   21000,    80", "aderenza,   21000,   256",
       "aderenza,   21000,   255",
       "service.txt:8:22: warning: adhesion value 256 does not fit in one byte: stored as 0 [-Wvalue-wraps]\n"
       "aderenza,   21000,   256\n"
       "                     ^\n"},
      {"value-wraps", Text::kService, "segnale,    3100,   2, 4,", "segnale,    3100,   2, 4000,",
       "segnale,    3100,   2, 3276,",
       "service.txt:34:24: warning: s1 x 10 + d1 comes to 40004, more than 16 bits hold: stored as -25532 "
       "[-Wvalue-wraps]\n"
       "segnale,    3100,   2, 4000, 0,  0, 0,    2,  4,0,0, 0\n"
       "                       ^\n"},
      {"speed-step", Text::kService, "velocita,    1000,   125", "velocita,    1000,   123", "velocita,    1000,   120",
       "service.txt:12:22: warning: timetable speed 123 km/h is kept in 5 km/h steps: it becomes 125 km/h "
       "[-Wspeed-step]\n"
       "velocita,    1000,   123\n"
       "                     ^\n"},
      {"position-step", Text::kService, "segnale,    3100,", "segnale,    3120,", "segnale,    3150,",
       "service.txt:34:13: warning: position 3120 m is not a multiple of 50 m: the grid takes it as 3100 m "
       "[-Wposition-step]\n"
       "segnale,    3120,   2, 4, 0,  0, 0,    2,  4,0,0, 0\n"
       "            ^\n"},
      {"speed-above-board", Text::kService, "velocita,    2500,   155", "velocita,    2500,   160", "",
       "service.txt:13:22: warning: timetable speed 160 km/h is above the 150 km/h of the speed-limit board at "
       "2500 m [-Wspeed-above-board]\n"
       "velocita,    2500,   160\n"
       "                     ^\n"},
      {"slow-down-overlap", Text::kService, "[rallentamenti]\r\n",
       "[rallentamenti]\r\nrallentamento, 9000, 60, 1000, 0, 0, 0\r\nrallentamento, 9500, 60, 1000, 0, 0, 0\r\n",
       "[rallentamenti]\r\nrallentamento, 9000, 60, 1000, 0, 0, 0\r\nrallentamento, 11000, 60, 1000, 0, 0, 0\r\n",
       "service.txt:34:16: warning: slow-down from 9500 m to 10500 m overlaps the one from 9000 m to 10000 m "
       "[-Wslow-down-overlap]\n"
       "rallentamento, 9500, 60, 1000, 0, 0, 0\n"
       "               ^\n"},
      {"signal-spacing", Text::kService, "segnale,    5500,", "segnale,    4500,", "segnale,    4600,",
       "service.txt:35:13: warning: signal 1400 m after the one at 3100 m: braking from 150 km/h at 120 % braked "
       "mass takes 1447 m [-Wsignal-spacing]\n"
       "segnale,    4500,   2, 4, 0,  0, 0,    2,  4,0,0, 0\n"
       "            ^\n"},
      {"gradient-limit", Text::kLine, "pendenza,  3000,   5", "pendenza,  3000,   36", "pendenza,  3000,   -35",
       "line.txt:23:20: warning: gradient 36 per mille is steeper than the 35 per mille an adhesion line climbs "
       "[-Wgradient-limit]\n"
       "pendenza,  3000,   36\n"
       "                   ^\n"},
      {"station-in-tunnel", Text::kService, "stazione,   19900,", "stazione,   17500,", "",
       "service.txt:24:13: warning: station area 17300 m to 17700 m lies inside the tunnel from 16750 m to 18650 m "
       "[-Wstation-in-tunnel]\n"
       "stazione,   17500, 11,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, P.M. Merlacchio\n"
       "            ^\n"},
      {"station-in-tunnel", Text::kService, "stazione,   19900,", "stazione,   18600,", "",
       "service.txt:24:13: warning: station area 18400 m to 18800 m crosses a portal of the tunnel from 16750 m "
       "to 18650 m [-Wstation-in-tunnel]\n"
       "stazione,   18600, 11,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, P.M. Merlacchio\n"
       "            ^\n"},
      {"station-times", Text::kService, "0,   3,30, 0, Dorvane", "0,   2,30, 0, Dorvane", "0,   2,40, 0, Dorvane",
       "service.txt:31:64: warning: timetable time 2:30:00 is not after the 2:39:00 of the station at 0 m "
       "[-Wstation-times]\n"
       "stazione,   71400,  2,  700,  1, 1, 1,  1,1,0,  2,1,1,    0,   2,30, 0, Dorvane\n"
       "                                                               ^\n"},
      {"clock-range", Text::kService, "orologio,    2 ", "orologio,    24 ", "orologio,    23 ",
       "service.txt:5:14: warning: clock hours 24 outside 0 to 23 [-Wclock-range]\n"
       "orologio,    24               37            30 \n"
       "             ^\n"},
      {"ignored-record", Text::kService, "[codici]\r\n", "[codici]\r\nabatimento, 100, AC\r\n",
       "[codici]\r\nabbattimento, 100, AC\r\n",
       "service.txt:60:1: warning: 'abatimento' is not a record the compiler knows here: the line is skipped "
       "[-Wignored-record]\n"
       "abatimento, 100, AC\n"
       "^\n"},
      {"ignored-record", Text::kService, "velocita,    1000,   125", "velocita,    1000,   125, 130",
       "velocita,    1000,   125 ",
       "service.txt:12:27: warning: '130' is one value more than the velocita record reads: it is skipped "
       "[-Wignored-record]\n"
       "velocita,    1000,   125, 130\n"
       "                          ^\n"},
      {"late-general-record", Text::kLine, "[curve]\r\n", "[curve]\r\nsfondo uno, 3\r\n", "",
       "line.txt:11:1: warning: 'sfondo uno' comes after the general section has ended: it is not read "
       "[-Wlate-general-record]\n"
       "sfondo uno, 3\n"
       "^\n"},
  };
  return cases;
}

class Lint : public InTempFolder {
protected:
  void write_texts(const std::string& line, const std::string& service) {
    dir_.write("line.txt", line);
    dir_.write("service.txt", service);
  }
  // The built-in texts with `from` replaced by `to` in one of them.
  void write_edited(Text text, const std::string& from, const std::string& to) {
    std::string line = built_in_line_text(), service = built_in_service_text();
    std::string& target = text == Text::kLine ? line : service;
    if (!to.empty()) target = edited(target, from, to);
    write_texts(line, service);
  }
};

TEST_F(Lint, EachCheckFindsItsCaseAndLeavesItsNearMissAlone) {
  for (const LintCase& c : lint_cases()) {
    SCOPED_TRACE(c.check + (" <- " + c.to));
    write_edited(c.text, c.from, c.to);
    ToolRun found = run_tool({"lint", "line.txt", "service.txt"});
    EXPECT_EQ(found.status, 0);
    EXPECT_EQ(found.out, c.expected);
    EXPECT_EQ(found.err, "");

    write_edited(c.text, c.from, c.clean);
    ToolRun clean = run_tool({"lint", "line.txt", "service.txt"});
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.out, "");
  }
}

TEST_F(Lint, EveryCheckHasACase) {
  for (const tools::LintCheck& check : tools::lint_checks()) {
    bool covered = false;
    for (const LintCase& c : lint_cases()) covered = covered || std::string_view(c.check) == check.name;
    EXPECT_TRUE(covered) << check.name;
  }
}

// The descriptions state the limits the checks hold the texts to; a limit
// changed in the code must be changed in its description too.
TEST_F(Lint, DescriptionsStateTheLimitsInForce) {
  const std::pair<const char*, std::string> stated[] = {
      {"speed-above-board", "more than " + std::to_string(tools::kSpeedMarginKmh) + " km/h above"},
      {"gradient-limit", "steeper than " + std::to_string(tools::kSteepestGradientPerMille) + " per mille"},
  };
  for (const auto& [name, words] : stated) {
    const tools::LintCheck* check = tools::find_check(name);
    ASSERT_NE(check, nullptr) << name;
    EXPECT_NE(std::string_view(check->description).find(words), std::string_view::npos) << name << ": " << words;
  }
}

TEST_F(Lint, TheBuiltInScenarioIsClean) {
  write_texts(built_in_line_text(), built_in_service_text());
  ToolRun run = run_tool({"lint", "line.txt", "service.txt"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
}

TEST_F(Lint, SwitchesAndExitStatuses) {
  // One clock finding (a warning) in otherwise clean texts.
  write_edited(Text::kService, "orologio,    2 ", "orologio,    24 ");
  struct Case {
    std::vector<std::string> switches;
    int status;
    const char* level;  // in the output; nullptr: no finding reported
  };
  const std::vector<Case> cases = {
      {{}, 0, "warning"},
      {{"--werror"}, 2, "error"},
      {{"-Wno-clock-range"}, 0, nullptr},
      {{"-Wno-clock-range", "--werror"}, 0, nullptr},
      {{"-Wno-clock-range", "-Wclock-range"}, 0, "warning"},
      {{"-W", "no-clock-range"}, 0, nullptr},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"lint", "line.txt", "service.txt"};
    args.insert(args.end(), c.switches.begin(), c.switches.end());
    ToolRun run = run_tool_args(args);
    SCOPED_TRACE(run.out + run.err);
    EXPECT_EQ(run.status, c.status);
    if (c.level)
      EXPECT_NE(run.out.find(std::string(": ") + c.level + ": clock hours 24"), std::string::npos);
    else
      EXPECT_EQ(run.out, "");
  }

  ToolRun unknown = run_tool({"lint", "line.txt", "service.txt", "-Wno-such-check"});
  EXPECT_EQ(unknown.status, 64);
  EXPECT_EQ(unknown.err, "scenario-tool: lint: no check is named 'such-check'; see scenario-tool lint --help\n");
}

TEST_F(Lint, CompileErrorsComeFirstAsCompileReportsThem) {
  write_edited(Text::kService, "segnale,    3100,", "segnale,    1000,");
  ToolRun lint = run_tool({"lint", "line.txt", "service.txt"});
  ToolRun compile = run_tool({"compile", "line.txt", "service.txt"});
  EXPECT_EQ(lint.status, 2);
  EXPECT_EQ(lint.out, compile.err);
}

TEST_F(Lint, FatalEndsAndUnreadableInputsExitOne) {
  // A line text without [generale] leaves no grid.
  write_texts("lunghezza percorso, 73500\r\n[fine]\r\n", built_in_service_text());
  ToolRun no_grid = run_tool({"lint", "line.txt", "service.txt"});
  EXPECT_EQ(no_grid.status, 1);
  EXPECT_NE(no_grid.out.find("scenario-tool: the line description left no track grid"), std::string::npos);

  std::filesystem::create_directory("folder");
  ToolRun folder = run_tool({"lint", "folder", "service.txt"});
  EXPECT_EQ(folder.status, 1);
  EXPECT_NE(folder.err.find("folder"), std::string::npos);
}

TEST_F(Lint, JsonCarriesErrorsAndFindings) {
  std::string service = edited(built_in_service_text(), "orologio,    2 ", "orologio,    24 ");
  write_texts(built_in_line_text(), edited(service, "segnale,   70100,", "segnale,   1000,"));
  ToolRun run = run_tool({"lint", "line.txt", "service.txt", "--format", "json", "--werror"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.json(), nlohmann::json::parse(R"j({
    "errors": [{"n": 16, "pos": 1000, "file": "service.txt", "line": 58, "column": 12,
                "message": "signal on an occupied cell (at 1000 m)"}],
    "findings": [{"check": "clock-range", "severity": "error", "file": "service.txt", "line": 5, "column": 14,
                  "end_column": 16, "message": "clock hours 24 outside 0 to 23"}],
    "fatal": null})j"));
}

// The SARIF output of a fixture with a compile error about a whole text and
// findings of several checks, checked by the SARIF Multitool that scripts/setup.sh installs from
// the npm registry.
TEST_F(Lint, SarifPassesARealValidator) {
  const std::filesystem::path validator =
      std::filesystem::path(SCENARIO_SOURCE_DIR) / "node_modules" / ".bin" / "sarif-multitool";
  ASSERT_TRUE(std::filesystem::exists(validator)) << "run scripts/setup.sh to install " << validator;

  std::string service = edited(built_in_service_text(), "orologio,    2 ", "orologio,    24 ");
  service = edited(service, "velocita,    1000,   125", "velocita,    1020,   127");
  std::string line = edited(built_in_line_text(), "pendenza,  3000,   5", "pendenza,  3000,   40");
  // Error 2 concerns the line text as a whole.
  line = edited(line, "progressiva chilometrica uno,    0,    71000,", "progressiva chilometrica uno,    0,    71020,");
  write_texts(line, service);
  dir_.write("my line.txt", dir_.read("line.txt"));
  ToolRun run = run_tool({"lint", "my line.txt", "service.txt", "--format", "sarif"});
  ASSERT_EQ(run.status, 2);
  nlohmann::json sarif = run.json();
  ASSERT_EQ(sarif["runs"][0]["results"].size(), 6u);
  const nlohmann::json& whole_text = sarif["runs"][0]["results"][0];
  EXPECT_EQ(whole_text["ruleId"], "error-2");
  EXPECT_EQ(whole_text["locations"][0]["physicalLocation"], nlohmann::json::parse(R"j(
      {"artifactLocation": {"uri": "my%20line.txt"}, "region": {"startLine": 1, "endLine": 72}})j"));
  dir_.write("lint.sarif", run.out);

  const std::string command = "DOTNET_SYSTEM_GLOBALIZATION_INVARIANT=1 '" + validator.string() +
                              "' validate lint.sarif -o checked.sarif --log ForceOverwrite >validator.log 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << dir_.read("validator.log");
  nlohmann::json checked = nlohmann::json::parse(dir_.read("checked.sarif"));
  for (const nlohmann::json& result : checked["runs"][0]["results"]) {
    // The one advice it gives: the tool names no web page about itself.
    if (result["ruleId"] == "SARIF2005" && result["message"]["id"] == "Warning_ProvideToolnformationUri") continue;
    ADD_FAILURE() << result.dump();
  }
}

}  // namespace
}  // namespace scenario::test
