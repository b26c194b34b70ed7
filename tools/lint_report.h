#pragma once
// What `scenario-tool lint` reports, in its three formats: text (the compile
// diagnostics, then each finding as FILE:LINE:COL: warning: message [-Wname]
// with its line and a caret), JSON, and SARIF 2.1.0 for CI systems and
// editors. The SARIF rules are the lint checks' table and the compiler's
// error meanings.

#include <map>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "tools/diagnostics.h"
#include "tools/lint_checks.h"

namespace scenario::tools {

// A finding where it is shown, at the severity it is reported at.
struct ReportedFinding {
  const Finding* finding;
  Severity severity;      // never kOff
  Diagnostic where;       // file, line, column, source line and caret (number and message unused)
  size_t end_column = 0;  // just after the field
};

struct LintReport {
  const Analysis* analysis;
  std::vector<Diagnostic> errors;  // the compile's own: diagnose(*analysis)
  std::vector<ReportedFinding> findings;
  std::string fatal;  // why nothing past the parse could be checked; empty when it could
};

// A finding of `analysis` at the place it points to.
ReportedFinding report_finding(const Analysis& analysis, const Finding& finding, Severity severity);

// Why nothing past the parse could be checked (the compile would write no
// binary file); empty when the compile could write its files.
std::string fatal_message(const Analysis& analysis);

// "warning: message [-Wname]": a finding's line, after its place.
std::string finding_headline(const ReportedFinding& reported);

void print_text(std::ostream& out, const LintReport& report);
nlohmann::ordered_json report_json(const LintReport& report);
nlohmann::ordered_json report_sarif(const LintReport& report, const std::string& version);

// The SARIF id of a compile error's rule: "error-N".
std::string error_rule_id(int32_t number);

}  // namespace scenario::tools
