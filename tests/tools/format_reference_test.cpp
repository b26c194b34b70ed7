// The format reference: docs/format.md is what the tables make of it, and
// every error it lists has an example that raises exactly that error.

#include <gtest/gtest.h>

#include <set>

#include "io/disk_folder.h"
#include "model/errors.h"
#include "tools/analysis.h"
#include "tools/format_reference.h"

namespace scenario::tools {
namespace {

std::vector<ErrorExample> examples() { return load_error_examples(SCENARIO_TEST_DATA "/error-examples"); }

TEST(FormatReference, TheCommittedFileIsWhatTheTablesMake) {
  DiskFolder docs(SCENARIO_SOURCE_DIR "/docs");
  EXPECT_TRUE(docs.read("format.md") == format_reference(examples()))
      << "docs/format.md is out of date: run scripts/regenerate-format-reference.sh";
}

TEST(FormatReference, EveryErrorHasAnExample) {
  std::set<int32_t> with_example, catalogue;
  for (const ErrorExample& e : examples()) with_example.insert(e.number);
  for (const RigaErrore& r : catalogo_errori()) catalogue.insert(r.numero());
  EXPECT_EQ(with_example, catalogue);
}

// What a compile of the example reports: every recorded error, or the
// error box's number when no file could be written.
std::vector<int32_t> reported(const ErrorExample& e) {
  Analysis a = analyse({.line = {"line.txt", e.line}, .service = {"service.txt", e.service}});
  std::vector<int32_t> numbers;
  for (const LocatedError& l : a.errors) numbers.push_back(l.record.numero);
  if (a.outcome.numero_riquadro != 0 && numbers.empty()) numbers.push_back(a.outcome.numero_riquadro);
  return numbers;
}

TEST(FormatReference, EachExampleRaisesExactlyItsError) {
  for (const ErrorExample& e : examples())
    EXPECT_EQ(reported(e), std::vector<int32_t>{e.number}) << "error " << e.number;
}

}  // namespace
}  // namespace scenario::tools
