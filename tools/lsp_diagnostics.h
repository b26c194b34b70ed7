#pragma once
// One compile of a pair of texts for the language server, and what each text
// of the pair is told: the compile's errors, the lint findings, a note where
// a partner is missing, or why a text cannot be compiled at all.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tools/analysis.h"
#include "tools/lsp_documents.h"

namespace scenario::tools::lsp {

struct TextDiagnostics {
  std::string uri;
  std::optional<int64_t> version;  // of an open text
  Json diagnostics = Json::array();
};

// The compile behind a pair's diagnostics, kept for hovers and the outline.
struct PairAnalysis {
  Analysis analysis;
  std::string line_uri;
  std::string service_uri;  // empty when the line text was compiled alone
  std::optional<int64_t> line_version;
  std::optional<int64_t> service_version;
};

struct PairOutcome {
  std::shared_ptr<const PairAnalysis> analysis;  // none when nothing could be compiled
  std::vector<TextDiagnostics> texts;            // the text asked about first, then its partner
};

// Compiles the pair in memory, with the track plan (the curves are read only
// while it is built), and runs the lint checks. A line text without a service text is compiled against an empty
// one; a service text without a line text is not compiled.
PairOutcome compile_pair(const Pair& pair);

}  // namespace scenario::tools::lsp
