// The live route sheet's view of two texts and the page made from it.
#include <nlohmann/json.hpp>

#include "tool_harness.h"
#include "tools/live_page.h"
#include "tools/live_view.h"

namespace scenario::test {
namespace {

using tools::LiveEntry;
using tools::LiveView;

class LiveViewTest : public InTempFolder {
protected:
  void SetUp() override {
    InTempFolder::SetUp();
    dir_.write("line.txt", built_in_line_text());
    dir_.write("service.txt", built_in_service_text());
  }
  LiveView view(const LiveView* previous = nullptr) { return tools::make_view({"line.txt", "service.txt"}, previous); }
};

TEST_F(LiveViewTest, DrawsTheSheetThatTheSheetCommandDraws) {
  ASSERT_EQ(run_tool({"compile", "line.txt", "service.txt", "-o", "."}).status, 0);
  ASSERT_EQ(run_tool({"sheet", ".", "-o", "sheet.svg"}).status, 0);
  const std::string drawn = dir_.read("sheet.svg");
  const LiveView v = view();
  EXPECT_EQ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + v.sheet, drawn);
  EXPECT_EQ(v.summary, "route 73500 m \xC2\xB7 10 stations \xC2\xB7 25 signals \xC2\xB7 scenario codes 30208 / 2229");
  EXPECT_EQ(v.notice, "");
  EXPECT_TRUE(v.entries.empty());
  EXPECT_EQ(v.version, 1u);
}

void expect_entry(const LiveEntry& got, const LiveEntry& want) {
  EXPECT_EQ(got.error, want.error);
  EXPECT_EQ(got.file, want.file);
  EXPECT_EQ(got.line, want.line);
  EXPECT_EQ(got.column, want.column);
  EXPECT_EQ(got.headline, want.headline);
  EXPECT_EQ(got.source_line, want.source_line);
  EXPECT_EQ(got.caret, want.caret);
  EXPECT_EQ(got.metres, want.metres);
}

TEST_F(LiveViewTest, ListsErrorsThenWarningsWithTheirPlacesAndMetres) {
  std::string service = edited(built_in_service_text(), "velocita,    1000,   125", "velocita,    1000,   123");
  service = edited(service, "segnale,    3100,", "segnale,    3100000,");
  dir_.write("service.txt", service);
  const LiveView v = view();
  ASSERT_EQ(v.entries.size(), 2u);
  expect_entry(v.entries[0],
               {true, "service.txt", 34, 13, "error 15: record position beyond the end of the route (at 3100000 m)",
                "segnale,    3100000,   2, 4, 0,  0, 0,    2,  4,0,0, 0", "            ^", 3100000});
  expect_entry(v.entries[1], {false, "service.txt", 12, 22,
                              "warning: timetable speed 123 km/h is kept in 5 km/h steps: it becomes 125 km/h "
                              "[-Wspeed-step]",
                              "velocita,    1000,   123", "                     ^", 1000});
  EXPECT_FALSE(v.sheet.empty()) << "a text with errors still shows what was compiled";
}

TEST_F(LiveViewTest, DrawsNoSheetWhenTheCompileWouldWriteNoFiles) {
  dir_.write("line.txt",
             edited(built_in_line_text(), "lunghezza percorso,    73500", "lunghezza percorso,    2000000"));
  const LiveView v = view();
  EXPECT_EQ(v.sheet, "");
  EXPECT_EQ(v.summary, "");
  EXPECT_EQ(v.notice, "the line description left no track grid; the compile would write no binary file");
  ASSERT_EQ(v.entries.size(), 1u);
  EXPECT_EQ(v.entries[0].headline, "error 1: route length above 1,000,000 m");
  EXPECT_EQ(v.entries[0].line, 2u);
  EXPECT_EQ(v.entries[0].column, 24u);
}

TEST_F(LiveViewTest, KeepsTheLastViewWithANoticeWhileATextIsNotReady) {
  const LiveView first = view();
  struct Case {
    const char* what;
    void (*make)(const TempFolder& dir);
    const char* notice;
  };
  const Case cases[] = {
      {"missing", [](const TempFolder& d) { std::filesystem::remove(d.path() / "service.txt"); },
       "'service.txt' is missing (being saved?); showing the last compile"},
      {"empty", [](const TempFolder& d) { d.write("service.txt", ""); },
       "'service.txt' is empty (being saved?); showing the last compile"},
      {"a folder", [](const TempFolder& d) { std::filesystem::create_directory(d.path() / "service.txt"); },
       "cannot read 'service.txt': it is a folder; showing the last compile"},
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all(dir_.path() / "service.txt");
    c.make(dir_);
    const LiveView v = view(&first);
    EXPECT_EQ(v.notice, c.notice) << c.what;
    EXPECT_EQ(v.sheet, first.sheet) << c.what;
    EXPECT_EQ(v.summary, first.summary) << c.what;
    EXPECT_EQ(v.version, 2u) << c.what;
    EXPECT_EQ(view().sheet, "") << c.what << ": with nothing before, nothing to show";
  }
}

TEST(LivePage, EscapesEveryNameAndText) {
  LiveView v;
  v.version = 7;
  v.summary = "route <1> & more";
  v.notice = "'<i>.txt' is missing";
  v.sheet = "<svg><text>&lt;b&gt;</text></svg>";
  v.entries.push_back({true, "<i>.txt", 3, 4, "error 9: \"<x>\"", "stazione, 0, <b>Val</b>", "   ^", 250});
  const std::string page = tools::live_page({"<i>.txt", "s&s.txt"}, v, "n0nce");
  for (const char* raw : {"<i>", "<b>", "<x>", "<1>", "s&s"}) EXPECT_EQ(page.find(raw), std::string::npos) << raw;
  for (const char* shown :
       {"&lt;i&gt;.txt:3:4", "error 9: &quot;&lt;x&gt;&quot;", "stazione, 0, &lt;b&gt;Val&lt;/b&gt;\n   ^",
        "route &lt;1&gt; &amp; more", "s&amp;s.txt", "data-m=\"250\"", "data-version=\"7\"", "<script nonce=\"n0nce\">",
        "<style nonce=\"n0nce\">", v.sheet.c_str()})
    EXPECT_NE(page.find(shown), std::string::npos) << shown;
}

TEST(LivePage, UpdateIsOneLineOfJson) {
  LiveView v;
  v.version = 3;
  v.notice = "line one\nline two";
  v.entries.push_back({false, "a.txt", 1, 1, "warning: w [-Wx]", "x", "^", std::nullopt});
  const std::string update = tools::live_update(v);
  EXPECT_EQ(update.find('\n'), std::string::npos);
  const nlohmann::json j = nlohmann::json::parse(update);
  EXPECT_EQ(j["version"], 3);
  EXPECT_EQ(j["notice"], "line one\nline two");
  EXPECT_EQ(j["sheet"], "<p>No route sheet: nothing has compiled yet.</p>");
  EXPECT_EQ(j["diagnostics"],
            "<li class=\"warning\" data-key=\"a.txt:1:1 warning: w [-Wx]\"><span class=\"where\">a.txt:1:1</span>: "
            "<span class=\"what\">warning: w [-Wx]</span><pre>x\n^</pre></li>\n");
}

TEST(LivePage, PolicyAllowsOnlyItsOwnScriptStyleAndStream) {
  EXPECT_EQ(tools::content_security_policy("abc"),
            "default-src 'none'; script-src 'nonce-abc'; style-src 'nonce-abc'; connect-src 'self'; "
            "img-src data:; base-uri 'none'; form-action 'none'; frame-ancestors 'none'");
}

}  // namespace
}  // namespace scenario::test
