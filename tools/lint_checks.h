#pragma once
// The named checks of `scenario-tool lint`: texts the compiler accepts but
// that would not drive as their author meant. Each check is one row of one
// table (name, default severity, description, the check itself); the help,
// the reference and the SARIF rules are made from that table.
//
// Checks read a traced analysis (AnalysisRequest::trace): the values as
// written, each with its span, and the compiled state.

#include <span>
#include <string>
#include <vector>

#include "tools/analysis.h"

namespace scenario::tools {

enum class Severity { kOff, kWarning, kError };

struct Finding {
  const char* check = "";  // the check's name
  TextId text = TextId::kLine;
  ByteSpan span;
  std::string message;
};

using CheckFunction = void (*)(const Analysis& analysis, std::vector<Finding>& findings);

struct LintCheck {
  const char* name;
  Severity severity;        // by default
  const char* description;  // one paragraph: what it finds and why it matters
  CheckFunction run;
};

// Every check, in the order they run and are listed.
std::span<const LintCheck> lint_checks();

// The first sentence of a check's description.
std::string summary(const LintCheck& check);

// "warning" or "error" ("off" for a check that is off).
const char* severity_name(Severity severity);

// The check of that name, or nullptr.
const LintCheck* find_check(std::string_view name);

// What every check finds in `analysis`: the line text's findings, then the
// service text's, each in text order (and in table order at one place).
std::vector<Finding> run_checks(const Analysis& analysis);

// Limits the checks hold the texts to (the descriptions in the table state them too).
inline constexpr int kSpeedMarginKmh = 5;             // a timetable speed may exceed its board by this much
inline constexpr int kSteepestGradientPerMille = 35;  // steepest gradient of an adhesion line

}  // namespace scenario::tools
