#include <gtest/gtest.h>

#include "tool_harness.h"

namespace scenario::test {
namespace {

enum class Text { kLine, kService };

// One faulty text, what standard error must say about it, and the same
// error as the JSON report carries it. The faulty text is the built-in one
// with `from` replaced by `to`, or, when `from` is empty, `to` itself.
struct FaultCase {
  const char* name;
  Text text;
  std::string from;
  std::string to;
  std::string diagnostic;
  std::string json_error;
};

// A slow-down at 5000 m whose start cell 101 finds code steps in all three
// cells of its first group of code points (94 to 96).
std::string service_with_blocked_slow_down() {
  std::string s = edited(built_in_service_text(), "[rallentamenti]\r\n",
                         "[rallentamenti]\r\nrallentamento, 5000, 60, 1000, 0, 0, 0\r\n");
  return edited(s, "[codici]\r\n",
                "[codici]\r\nabbattimento, 4700, AC\r\nabbattimento, 4750, AC\r\nabbattimento, 4800, AC\r\n");
}

const std::vector<FaultCase>& fault_cases() {
  static const std::vector<FaultCase> cases = {
      {"board on the cell of the board before it", Text::kLine, "cartello_indicatore,  24300,",
       "cartello_indicatore,  23700,",
       "line.txt:65:23: error 6: indication board on an occupied cell (at 23700 m)\n"
       "cartello_indicatore,  23700,   (Viadotto di 20 m)(di altezza fino )(a Pelto         )\n"
       "                      ^\n"
       "line.txt:65:32: note: reading stopped here: the records after this one, and the service text, were not "
       "compiled\n",
       R"j({"n": 6, "pos": 23700, "file": "line.txt", "line": 65, "column": 23,
           "message": "indication board on an occupied cell (at 23700 m)"})j"},
      {"repetition start checked before its end", Text::kLine, "ripetizione segnali 4 codici,    0,",
       "ripetizione segnali 4 codici,    25,",
       "line.txt:9:34: error 3: cab-signal repetition starts off a multiple of 50 m\n"
       "ripetizione segnali 4 codici,    25,    71000\n"
       "                                 ^\n"
       "line.txt:9:41: note: reading stopped here: the records after this one, and the service text, were not "
       "compiled\n",
       R"j({"n": 3, "pos": null, "file": "line.txt", "line": 9, "column": 34,
           "message": "cab-signal repetition starts off a multiple of 50 m"})j"},
      {"gradient beyond the route", Text::kLine, "pendenza,  35500,", "pendenza,  95500,",
       "line.txt:36:12: error 15: record position beyond the end of the route (at 95500 m)\n"
       "pendenza,  95500,   0\n"
       "           ^\n"
       "line.txt:36:21: note: reading stopped here: the records after this one were not compiled\n",
       R"j({"n": 15, "pos": 95500, "file": "line.txt", "line": 36, "column": 12,
           "message": "record position beyond the end of the route (at 95500 m)"})j"},
      {"curve keyword without a class", Text::kLine, "curvas3,  33000,", "curvas,  33000,",
       "line.txt:15:1: error 103: curve without a class digit 1 to 6, or track plan longer than 1,000,000 m\n"
       "curvas,  33000,  800\n"
       "^\n"
       "line.txt:15:18: note: reading stopped here: the records after this one, and the service text, were not "
       "compiled\n",
       R"j({"n": 103, "pos": null, "file": "line.txt", "line": 15, "column": 1,
           "message": "curve without a class digit 1 to 6, or track plan longer than 1,000,000 m"})j"},
      {"kilometre-post series checked after the service text", Text::kLine,
       "progressiva chilometrica uno,    0,    71000,", "progressiva chilometrica uno,    0,    71020,",
       "line.txt: error 2: a kilometre-post series starts or ends off a multiple of 50 m\n",
       R"j({"n": 2, "pos": null, "file": "line.txt", "line": null, "column": null,
           "message": "a kilometre-post series starts or ends off a multiple of 50 m"})j"},
      {"signal on a speed-limit board", Text::kService, "segnale,    5500,", "segnale,    1000,",
       "service.txt:35:13: error 16: signal on an occupied cell (at 1000 m)\n"
       "segnale,    1000,   2, 4, 0,  0, 0,    2,  4,0,0, 0\n"
       "            ^\n"
       "service.txt:35:51: note: reading stopped here: the records after this one were not compiled\n",
       R"j({"n": 16, "pos": 1000, "file": "service.txt", "line": 35, "column": 13,
           "message": "signal on an occupied cell (at 1000 m)"})j"},
      {"code step on a signal, found after its value was read", Text::kService, "abbattimento,   15250,",
       "abbattimento,   3150,",
       "service.txt:61:17: error 7: cab-signal code step on an occupied cell (at 3150 m)\n"
       "abbattimento,   3150,   AC\n"
       "                ^\n"
       "service.txt:61:25: note: reading stopped here: the records after this one were not compiled\n",
       R"j({"n": 7, "pos": 3150, "file": "service.txt", "line": 61, "column": 17,
           "message": "cab-signal code step on an occupied cell (at 3150 m)"})j"},
      {"station length, shown at the length", Text::kService, "stazione,   31000, 12,  400,",
       "stazione,   31000, 12,  450,",
       "service.txt:26:25: error 9: station length not a multiple of 100 m (at 31000 m)\n"
       "stazione,   31000, 12,  450,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, Pelto\n"
       "                        ^\n"
       "service.txt:26:25: note: reading stopped here: the records after this one were not compiled\n",
       R"j({"n": 9, "pos": 31000, "file": "service.txt", "line": 26, "column": 25,
           "message": "station length not a multiple of 100 m (at 31000 m)"})j"},
      {"record cut short by the end of the text", Text::kService, "", "[generale]\r\nsegnale, 3100, 2\r\n",
       "service.txt:2:17: error 25: run-time fault while reading a description text (read past the end of the "
       "text)\n"
       "segnale, 3100, 2\n"
       "                ^\n",
       R"j({"n": 25, "pos": null, "file": "service.txt", "line": 2, "column": 17,
           "message": "run-time fault while reading a description text (read past the end of the text)"})j"},
      // The speed 2000 fits no byte in 5 km/h steps; it is stored when the next
      // speed record fills the cells up to its own, but the fault is the 2000.
      {"speed stored when the next record comes, shown at its own value", Text::kService, "velocita,    1000,   125",
       "velocita,    1000,   2000",
       "service.txt:12:22: error 25: run-time fault while reading a description text (byte value 400 does not fit "
       "a byte)\n"
       "velocita,    1000,   2000\n"
       "                     ^\n"
       "service.txt:13:22: note: reading stopped here: the records after this one were not compiled\n",
       R"j({"n": 25, "pos": null, "file": "service.txt", "line": 12, "column": 22,
           "message": "run-time fault while reading a description text (byte value 400 does not fit a byte)"})j"},
      // The last speed is stored at the end of the text: it is still shown at its value.
      {"last speed stored at the end of the text, shown at its value", Text::kService, "velocita,   67500,   105",
       "velocita,   67500,   1500",
       "service.txt:20:22: error 25: run-time fault while reading a description text (byte value 300 does not fit "
       "a byte)\n"
       "velocita,   67500,   1500\n"
       "                     ^\n",
       R"j({"n": 25, "pos": null, "file": "service.txt", "line": 20, "column": 22,
           "message": "run-time fault while reading a description text (byte value 300 does not fit a byte)"})j"},
      {"placement pass names position and cell", Text::kService, "", service_with_blocked_slow_down(),
       "service.txt: error 12: no free cell for a code point before a slow-down start (at 5050 m, cell 101)\n",
       R"j({"n": 12, "pos": 5050, "file": "service.txt", "line": null, "column": null,
           "message": "no free cell for a code point before a slow-down start (at 5050 m, cell 101)"})j"},
  };
  return cases;
}

std::string text_of(const FaultCase& c, Text which) {
  std::string built_in = which == Text::kLine ? built_in_line_text() : built_in_service_text();
  if (c.text != which) return built_in;
  return c.from.empty() ? c.to : edited(built_in, c.from, c.to);
}

class Diagnostics : public InTempFolder {};

TEST_F(Diagnostics, PointAtTheFaultyFieldOnStandardErrorAndInTheJson) {
  for (const FaultCase& c : fault_cases()) {
    SCOPED_TRACE(c.name);
    std::string line = text_of(c, Text::kLine);
    std::string service = text_of(c, Text::kService);
    dir_.write("line.txt", line);
    dir_.write("service.txt", service);

    ToolRun run = run_tool({"compile", "line.txt", "service.txt", "--json"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, c.diagnostic);
    nlohmann::json report = run.json();
    ASSERT_EQ(report["errors"].size(), 1u);
    EXPECT_EQ(report["errors"][0], nlohmann::json::parse(c.json_error));
    EXPECT_EQ(report["errore_n"], report["errors"][0]["n"]);
    // The compiler deletes the texts it reads; the author's copies stay.
    EXPECT_EQ(dir_.read("line.txt"), line);
    EXPECT_EQ(dir_.read("service.txt"), service);
  }
}

TEST_F(Diagnostics, ErrorsOfBothHalvesComeInTheOrderRecorded) {
  // Error 15 in the line text ends the line half early; the service half
  // still runs and finds its own fault.
  dir_.write("line.txt", edited(built_in_line_text(), "pendenza,  35500,", "pendenza,  95500,"));
  dir_.write("service.txt",
             edited(built_in_service_text(), "stazione,   31000, 12,  400,", "stazione,   31000, 12,  450,"));
  ToolRun run = run_tool({"compile", "line.txt", "service.txt", "--json"});
  EXPECT_EQ(run.status, 2);
  nlohmann::json report = run.json();
  ASSERT_EQ(report["errors"].size(), 2u);
  EXPECT_EQ(report["errors"][0]["file"], "line.txt");
  EXPECT_EQ(report["errors"][0]["n"], 15);
  EXPECT_EQ(report["errors"][1]["file"], "service.txt");
  EXPECT_EQ(report["errors"][1]["n"], 9);
  // The final record is the compiler's: the last error and its position.
  EXPECT_EQ(report["errore_n"], 9);
  EXPECT_EQ(report["errore_pos"], 31000);
  EXPECT_LT(run.err.find("line.txt:36:12: error 15"), run.err.find("service.txt:26:25: error 9"));
}

}  // namespace
}  // namespace scenario::test
