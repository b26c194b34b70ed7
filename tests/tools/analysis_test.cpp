#include "tools/analysis.h"

#include <gtest/gtest.h>

#include "support/whole_run.h"
#include "tool_harness.h"

namespace scenario::test {
namespace {

using tools::Analysis;
using tools::AnalysisRequest;
using tools::TextId;

AnalysisRequest request_for(std::optional<std::string> line, std::optional<std::string> service) {
  return {{"line.txt", std::move(line)}, {"service.txt", std::move(service)}};
}

std::string_view spanned(const Analysis& a, const tools::LocatedError& e) {
  return std::string_view(*a.text(e.text).bytes).substr(e.span->begin, e.span->end - e.span->begin);
}

TEST(Analysis, BuiltInTextsGiveTheProgramsOwnBytes) {
  MemoryFolder folder;
  EsitoRun run = esegui_in(folder);
  ASSERT_EQ(run.stato, 0);

  AnalysisRequest request = request_for(built_in_line_text(), built_in_service_text());
  request.binaries = true;
  Analysis a = tools::analyse(request);
  EXPECT_TRUE(a.errors.empty());
  ASSERT_EQ(a.files.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(a.files[i].name, nomi_binari()[i]);
    EXPECT_TRUE(a.files[i].bytes == folder.files().at(nomi_binari()[i])) << a.files[i].name;
  }
  // The texts stay as given.
  EXPECT_EQ(*a.line.bytes, built_in_line_text());
}

TEST(Analysis, WithoutBinariesOrPlanTheScenarioIsTheSame) {
  AnalysisRequest full = request_for(built_in_line_text(), built_in_service_text());
  full.binaries = true;
  Analysis with = tools::analyse(full);

  AnalysisRequest lean = request_for(built_in_line_text(), built_in_service_text());
  lean.plan = false;
  Analysis without = tools::analyse(lean);
  EXPECT_TRUE(without.files.empty());
  EXPECT_EQ(without.outcome.fine, EsitoCompilazione::kScritto);
  EXPECT_EQ(without.state.celle, with.state.celle);
  EXPECT_EQ(without.state.servizio, with.state.servizio);
  EXPECT_TRUE(without.state.planimetria.vuota());

  lean.binaries = true;
  Analysis no_plan = tools::analyse(lean);
  ASSERT_EQ(no_plan.files.size(), 2u);  // table and grid
  EXPECT_EQ(no_plan.files[0].bytes, with.files[1].bytes);
  EXPECT_EQ(no_plan.files[1].bytes, with.files[2].bytes);
}

struct SpanCase {
  const char* name;
  TextId text;
  std::string from;
  std::string to;
  int32_t number;
  const char* spanned;  // nullptr: the error has no span
};

TEST(Analysis, ErrorsCarryTheirTextAndTheSpanOfTheirField) {
  const std::vector<SpanCase> cases = {
      {"signal on an occupied cell: its position", TextId::kService, "segnale,    3100,", "segnale,    1000,", 16,
       "1000"},
      {"curve without a class: its keyword", TextId::kLine, "curvas3,  33000,", "curvas,  33000,", 103, "curvas"},
      {"series off the 50 m step: the line text as a whole", TextId::kLine,
       "progressiva chilometrica uno,    0,    71000,", "progressiva chilometrica uno,    0,    71020,", 2, nullptr},
      {"a number too large: the field being read", TextId::kService, "velocita,    1000,   125",
       "velocita,    1000,   99999999999", 25, "99999999999"},
  };
  for (const SpanCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::string line = built_in_line_text(), service = built_in_service_text();
    std::string& edited_text = c.text == TextId::kLine ? line : service;
    edited_text = edited(edited_text, c.from, c.to);
    Analysis a = tools::analyse(request_for(line, service));
    ASSERT_EQ(a.errors.size(), 1u);
    EXPECT_EQ(a.errors[0].record.numero, c.number);
    EXPECT_EQ(a.errors[0].text, c.text);
    if (c.spanned) {
      ASSERT_TRUE(a.errors[0].span);
      EXPECT_EQ(spanned(a, a.errors[0]), c.spanned);
    } else {
      EXPECT_FALSE(a.errors[0].span);
    }
  }
}

TEST(Analysis, AMissingServiceTextIsAFaultOfThatText) {
  Analysis a = tools::analyse(request_for(built_in_line_text(), std::nullopt));
  ASSERT_EQ(a.errors.size(), 1u);
  EXPECT_EQ(a.errors[0].record.numero, 25);
  EXPECT_EQ(a.errors[0].text, TextId::kService);
  EXPECT_FALSE(a.errors[0].span);
}

TEST(Analysis, TheTraceKeepsValuesAsWrittenWithTheRecordTheyWereTakenFor) {
  AnalysisRequest request = request_for(
      built_in_line_text(), edited(built_in_service_text(), "aderenza,   21000,    80", "aderenza,   21000,   336"));
  request.trace = true;
  Analysis a = tools::analyse(request);
  ASSERT_TRUE(a.errors.empty());
  const RecordLetto* found = nullptr;
  for (const RecordLetto& r : a.state.letti)
    if (r.fonte == Fonte::kServizio && std::string_view(r.tipo) == "aderenza" && r.campi.size() == 2 &&
        r.campi[0].numero == 21000)
      found = &r;
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->campi[1].numero, 336);  // stored as its low byte, 80
  const std::string& text = *a.service.bytes;
  EXPECT_EQ(text.substr(found->chiave.inizio, found->chiave.fine - found->chiave.inizio), "aderenza");
  EXPECT_EQ(text.substr(found->campi[1].inizio, found->campi[1].fine - found->campi[1].inizio), "336");
  EXPECT_EQ(a.state.celle[420].aderenza, 80);

  // Untraced, nothing is kept.
  request.trace = false;
  EXPECT_TRUE(tools::analyse(request).state.letti.empty());
}

}  // namespace
}  // namespace scenario::test
