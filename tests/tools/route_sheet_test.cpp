#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/temp_folder.h"
#include "tools/route_sheet.h"
#include "tool_harness.h"

namespace scenario::test {
namespace {

int count(const std::string& svg, const std::string& what) {
  int n = 0;
  for (size_t at = svg.find(what); at != std::string::npos; at = svg.find(what, at + 1)) ++n;
  return n;
}

int shell(const std::string& command) {
  int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool have(const std::string& program) { return shell("command -v " + program + " >/dev/null 2>&1") == 0; }

class RouteSheet : public InTempFolder {
protected:
  std::string compile_and_draw(const std::string& line, const std::string& service) {
    dir_.write("line.txt", line);
    dir_.write("service.txt", service);
    ToolRun compiled = run_tool({"compile", "line.txt", "service.txt", "-o", "."});
    EXPECT_NE(compiled.status, 1) << compiled.err;
    ToolRun drawn = run_tool({"sheet", ".", "-o", "sheet.svg"});
    EXPECT_EQ(drawn.status, 0) << drawn.err;
    EXPECT_EQ(drawn.err, "");
    return dir_.read("sheet.svg");
  }
};

TEST_F(RouteSheet, DrawsEveryObjectOfTheBuiltInScenarioOnce) {
  std::string svg = compile_and_draw(built_in_line_text(), built_in_service_text());
  EXPECT_EQ(count(svg, "class=\"station\""), 10);
  EXPECT_EQ(count(svg, "class=\"map-station\""), 10);
  EXPECT_EQ(count(svg, "class=\"signal\""), 25);
  EXPECT_EQ(count(svg, "class=\"speed-board\""), 21);
  EXPECT_EQ(count(svg, "class=\"indication-board\""), 8);
  EXPECT_EQ(count(svg, "class=\"tunnel\""), 3);
  EXPECT_EQ(count(svg, "class=\"code-step\""), 7);
  EXPECT_EQ(count(svg, "class=\"slow-down\""), 0);
  EXPECT_NE(svg.find(">Valmora - Dorvane \xE2\x80\x94 ICN 853</text>"), std::string::npos);
  EXPECT_NE(svg.find("route 73500 m \xC2\xB7 10 stations \xC2\xB7 25 signals \xC2\xB7 scenario codes 30208 / 2229"),
            std::string::npos);
  // Hover titles carry the values; the board's text is converted to UTF-8.
  EXPECT_NE(svg.find("<title>signal at 3100 m (cell 63): values 44, 0, 0, 8, time 0</title>"), std::string::npos);
  EXPECT_NE(svg.find("(velocit\xC3\xA0        )"), std::string::npos);
  EXPECT_NE(svg.find("<title>Valmora: position 0 m, area -700 to 700 m, type 8, time 2:39:00</title>"),
            std::string::npos);
  // One self-contained file.
  EXPECT_EQ(svg.find("<script"), std::string::npos);
  EXPECT_EQ(svg.find("href"), std::string::npos);
  EXPECT_EQ(svg.find("@font-face"), std::string::npos);
}

TEST_F(RouteSheet, ShowsSlowDownsAndThePlacedCodesAndEscapesNames) {
  std::string service = edited(built_in_service_text(), "[rallentamenti]\r\n",
                               "[rallentamenti]\r\nrallentamento, 34000, 60, 1000, 0, 1, 0\r\n");
  service = edited(service, "Brisa", "Brisa & <Sotto>");
  std::string svg = compile_and_draw(built_in_line_text(), service);
  EXPECT_EQ(count(svg, "class=\"slow-down\""), 3);
  // Three code points before the start and two inside the slow-down join the seven steps.
  EXPECT_EQ(count(svg, "class=\"code-step\""), 12);
  EXPECT_NE(svg.find("<title>slow-down start at 34000 m (cell 681): 60 km/h</title>"), std::string::npos);
  EXPECT_NE(svg.find(">Brisa &amp; &lt;Sotto&gt;</text>"), std::string::npos);
}

TEST_F(RouteSheet, DrawsWithoutAPlanButNotWithoutTheGrid) {
  dir_.write("line.txt", built_in_line_text());
  dir_.write("service.txt", built_in_service_text());
  ASSERT_EQ(run_tool({"compile", "line.txt", "service.txt", "--no-plan"}).status, 0);
  ToolRun drawn = run_tool({"sheet", ".", "-o", "sheet.svg"});
  ASSERT_EQ(drawn.status, 0) << drawn.err;
  EXPECT_NE(dir_.read("sheet.svg").find(">no track plan</text>"), std::string::npos);

  std::filesystem::remove(dir_.path() / "Valmora - Dorvane_ICN 853.dat");
  ToolRun missing = run_tool({"sheet", ".", "-o", "other.svg"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "scenario-tool: cannot read 'Valmora - Dorvane_ICN 853.dat': No such file or directory\n");
  EXPECT_FALSE(dir_.exists("other.svg"));
}

TEST_F(RouteSheet, RefusesADamagedTableWithItsOffset) {
  dir_.write("line.txt", built_in_line_text());
  dir_.write("service.txt", built_in_service_text());
  ASSERT_EQ(run_tool({"compile", "line.txt", "service.txt"}).status, 0);
  std::string table = dir_.read("Valmora - Dorvane_ICN 853.sim");
  dir_.write("Valmora - Dorvane_ICN 853.sim", table.substr(0, 20));
  ToolRun drawn = run_tool({"sheet", ".", "-o", "sheet.svg"});
  EXPECT_EQ(drawn.status, 1);
  EXPECT_NE(drawn.err.find("scenario-tool: Valmora - Dorvane_ICN 853.sim: at offset "), std::string::npos) << drawn.err;
}

// A small scenario with one object of each kind (a tunnel from 0 m, a curve
// running to the plan's last point, a board, two stations, a signal, two
// timetable speeds, two adhesion values), drawn and compared byte for byte
// with the sheet kept in tests/data/route-sheet. After a deliberate change to
// the drawing, scripts/regenerate-route-sheet.sh writes the new reference.
std::string reference_path(const std::string& name) { return std::string(SCENARIO_TEST_DATA) + "/route-sheet/" + name; }

std::string read_reference(const std::string& name) {
  std::ifstream in(reference_path(name), std::ios::binary);
  if (!in) throw std::runtime_error("missing reference file " + reference_path(name));
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST_F(RouteSheet, MatchesTheReferenceSheetByteForByte) {
  std::string svg = compile_and_draw(read_reference("line.txt"), read_reference("service.txt"));
  if (std::getenv("SCENARIO_REGENERATE_SHEET")) {
    std::ofstream(reference_path("sheet.svg"), std::ios::binary) << svg;
    GTEST_SKIP() << "wrote " << reference_path("sheet.svg");
  }
  EXPECT_TRUE(svg == read_reference("sheet.svg"))
      << "the sheet differs from tests/data/route-sheet/sheet.svg; after a deliberate change to the drawing, run "
         "scripts/regenerate-route-sheet.sh and review the new picture";
}

// A grid file can hold any table index in a board cell: the board is drawn
// with no text and nothing outside the table is read.
TEST(RouteSheetBounds, DrawsABoardWhoseTableIndexIsOutsideTheTable) {
  for (int16_t index : {int16_t(-1), int16_t(87), int16_t(30000)}) {
    RunState s;
    s.celle.resize(100);
    s.celle[40].tipo = kCartelloIndicatore;
    s.celle[40].valore1 = index;
    s.servizio[84].fine = 5000;
    std::string svg = disegna_foglio(s);
    EXPECT_NE(svg.find("<title>indication board at 1950 m (cell 40)\n</title>"), std::string::npos)
        << "index " << index;
  }
}

// A plan holding a NaN or an infinity (a damaged or hand-made file) is drawn
// without that point, the page says so, and the SVG has no non-numbers.
TEST_F(RouteSheet, LeavesNonFinitePlanPointsOut) {
  compile_and_draw(built_in_line_text(), built_in_service_text());
  const std::string name = "Valmora - Dorvane_linea.dat";
  std::string plan = dir_.read(name);
  const double y = 2500.0, nan = std::nan("");
  const size_t at = plan.find(std::string(reinterpret_cast<const char*>(&y), sizeof y));
  ASSERT_NE(at, std::string::npos);
  plan.replace(at, sizeof nan, reinterpret_cast<const char*>(&nan), sizeof nan);
  dir_.write(name, plan);
  ASSERT_EQ(run_tool({"sheet", ".", "-o", "odd.svg"}).status, 0);
  const std::string svg = dir_.read("odd.svg");
  EXPECT_NE(svg.find(">1 plan points that are not numbers left out</text>"), std::string::npos);
  EXPECT_EQ(svg.find("nan"), std::string::npos);
  EXPECT_EQ(svg.find("inf"), std::string::npos);
}

// The sheet is well-formed XML and a real SVG renderer draws it without a
// word of complaint into a page that is not blank. The renderer comes with
// the project's setup; outside CI a machine without it skips this test.
TEST_F(RouteSheet, RendersCleanlyInARealRenderer) {
  if (!have("rsvg-convert") || !have("xmllint")) {
    if (std::getenv("CI")) FAIL() << "rsvg-convert and xmllint are installed by scripts/setup.sh in CI";
    GTEST_SKIP() << "rsvg-convert or xmllint not installed";
  }
  compile_and_draw(built_in_line_text(), built_in_service_text());
  EXPECT_EQ(shell("xmllint --noout sheet.svg 2>xml.txt"), 0);
  EXPECT_EQ(dir_.read("xml.txt"), "");
  EXPECT_EQ(shell("rsvg-convert -w 2376 sheet.svg -o sheet.png 2>render.txt"), 0);
  EXPECT_EQ(dir_.read("render.txt"), "");
  std::string png = dir_.read("sheet.png");
  ASSERT_GT(png.size(), 24u);
  auto be32 = [&](size_t at) {
    return (uint32_t(uint8_t(png[at])) << 24) | (uint32_t(uint8_t(png[at + 1])) << 16) |
           (uint32_t(uint8_t(png[at + 2])) << 8) | uint32_t(uint8_t(png[at + 3]));
  };
  EXPECT_EQ(png.substr(1, 3), "PNG");
  EXPECT_EQ(be32(16), 2376u);  // A4 landscape: 297 by 210
  EXPECT_EQ(be32(20), 1680u);
  // A blank page of this size compresses to a few kilobytes.
  EXPECT_GT(png.size(), 50000u);
}

}  // namespace
}  // namespace scenario::test
