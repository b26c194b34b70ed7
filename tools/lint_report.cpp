#include "tools/lint_report.h"

#include <cctype>
#include <cstdio>

#include "model/errors.h"
#include "tools/compile_report.h"
#include "tools/source_map.h"

namespace scenario::tools {
namespace {

// A path as a relative or file URI reference: reserved and non-ASCII bytes
// percent-encoded, '/' kept.
std::string uri_of(const std::string& path) {
  std::string out = path.starts_with('/') ? "file://" : "";
  for (unsigned char c : path) {
    if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
      out += char(c);
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      out += hex;
    }
  }
  return out;
}

// "value-wraps" -> "ValueWraps"
std::string pascal_case(std::string_view name) {
  std::string out;
  bool upper = true;
  for (char c : name) {
    if (c == '-') {
      upper = true;
      continue;
    }
    out += upper ? char(std::toupper(static_cast<unsigned char>(c))) : c;
    upper = false;
  }
  return out;
}

std::string sentence(std::string text) { return text.ends_with('.') ? text : text + "."; }

nlohmann::ordered_json sarif_rules() {
  nlohmann::ordered_json rules = nlohmann::ordered_json::array();
  for (const LintCheck& c : lint_checks())
    rules.push_back(
        {{"id", c.name},
         {"name", pascal_case(c.name)},
         {"shortDescription", {{"text", summary(c)}}},
         {"fullDescription", {{"text", c.description}}},
         {"defaultConfiguration", {{"level", c.severity == Severity::kOff ? "none" : severity_name(c.severity)}}}});
  for (const RigaErrore& row : catalogo_errori()) {
    const int32_t n = row.numero();
    const std::string text = sentence("The compiler records error " + std::to_string(n) + ": " + row.significato);
    rules.push_back({{"id", error_rule_id(n)},
                     {"name", "CompileError" + std::to_string(n)},
                     {"shortDescription", {{"text", text}}},
                     {"fullDescription", {{"text", text}}},
                     {"defaultConfiguration", {{"level", "error"}}}});
  }
  return rules;
}

size_t rule_index(const nlohmann::ordered_json& rules, const std::string& id) {
  for (size_t i = 0; i < rules.size(); ++i)
    if (rules[i]["id"] == id) return i;
  return 0;
}

nlohmann::ordered_json sarif_location(const std::string& file, const std::optional<size_t>& line,
                                      const std::optional<size_t>& column, size_t end_column) {
  nlohmann::ordered_json physical = {{"artifactLocation", {{"uri", uri_of(file)}}}};
  if (line) {
    nlohmann::ordered_json region = {{"startLine", *line}, {"startColumn", *column}};
    if (end_column > *column) region["endColumn"] = end_column;
    physical["region"] = region;
  }
  return nlohmann::ordered_json::array({{{"physicalLocation", physical}}});
}

}  // namespace

std::string error_rule_id(int32_t number) { return "error-" + std::to_string(number); }

ReportedFinding report_finding(const Analysis& a, const Finding& f, Severity severity) {
  ReportedFinding r{&f, severity, {}, 0};
  const std::string& text = *a.text(f.text).bytes;
  r.where.file = a.text(f.text).name;
  point_at(r.where, text, f.span.begin);
  r.end_column = *r.where.column + (f.span.end - f.span.begin);
  return r;
}

std::string fatal_message(const Analysis& a) {
  switch (a.outcome.fine) {
    case EsitoCompilazione::kScritto: return {};
    case EsitoCompilazione::kSenzaGriglia:
      return "the line description left no track grid; the compile would write no binary file";
    case EsitoCompilazione::kSlotOccupato:
      return "error " + std::to_string(a.outcome.numero_riquadro) + ": " +
             std::string(significato_errore(a.outcome.numero_riquadro)) + "; the compile would write no binary file";
  }
  return {};
}

std::string finding_headline(const ReportedFinding& r) {
  return std::string(severity_name(r.severity)) + ": " + r.finding->message + " [-W" + r.finding->check + "]";
}

void print_text(std::ostream& out, const LintReport& report) {
  for (const Diagnostic& d : report.errors) print_diagnostic(out, d);
  for (const ReportedFinding& r : report.findings) {
    out << r.where.file << ":" << *r.where.line << ":" << *r.where.column << ": " << finding_headline(r) << "\n"
        << r.where.source_line << "\n"
        << r.where.caret << "\n";
  }
  if (!report.fatal.empty()) out << "scenario-tool: " << report.fatal << "\n";
}

nlohmann::ordered_json report_json(const LintReport& report) {
  nlohmann::ordered_json findings = nlohmann::ordered_json::array();
  for (const ReportedFinding& r : report.findings)
    findings.push_back({{"check", r.finding->check},
                        {"severity", severity_name(r.severity)},
                        {"file", r.where.file},
                        {"line", *r.where.line},
                        {"column", *r.where.column},
                        {"end_column", r.end_column},
                        {"message", r.finding->message}});
  return {{"errors", errors_json(report.errors)},
          {"findings", findings},
          {"fatal", report.fatal.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(report.fatal)}};
}

nlohmann::ordered_json report_sarif(const LintReport& report, const std::string& version) {
  const nlohmann::ordered_json rules = sarif_rules();
  nlohmann::ordered_json results = nlohmann::ordered_json::array();
  for (size_t i = 0; i < report.errors.size(); ++i) {
    const Diagnostic& d = report.errors[i];
    const std::string id = error_rule_id(d.number);
    nlohmann::ordered_json locations = sarif_location(d.file, d.line, d.column, 0);
    // An error about a text as a whole covers all its lines.
    const std::optional<std::string>& text = report.analysis->text(report.analysis->errors[i].text).bytes;
    if (!d.line && text)
      locations[0]["physicalLocation"]["region"] = {{"startLine", 1},
                                                    {"endLine", SourceMap(*text).point(text->size()).line}};
    results.push_back({{"ruleId", id},
                       {"ruleIndex", rule_index(rules, id)},
                       {"level", "error"},
                       {"message", {{"text", sentence(d.message)}}},
                       {"locations", locations}});
  }
  for (const ReportedFinding& r : report.findings) {
    results.push_back({{"ruleId", r.finding->check},
                       {"ruleIndex", rule_index(rules, r.finding->check)},
                       {"level", severity_name(r.severity)},
                       {"message", {{"text", sentence(r.finding->message)}}},
                       {"locations", sarif_location(r.where.file, r.where.line, r.where.column, r.end_column)}});
  }
  nlohmann::ordered_json run = {
      {"tool", {{"driver", {{"name", "scenario-tool lint"}, {"version", version}, {"rules", rules}}}}},
      {"columnKind", "utf16CodeUnits"},
      {"results", results}};
  if (!report.fatal.empty()) {
    const nlohmann::ordered_json notice = {{"level", "error"}, {"message", {{"text", sentence(report.fatal)}}}};
    run["invocations"] = nlohmann::ordered_json::array(
        {{{"executionSuccessful", false}, {"toolExecutionNotifications", nlohmann::ordered_json::array({notice})}}});
  }
  return {{"version", "2.1.0"},
          {"$schema", "https://json.schemastore.org/sarif-2.1.0.json"},
          {"runs", nlohmann::ordered_json::array({run})}};
}

}  // namespace scenario::tools
