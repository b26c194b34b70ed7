#include "tools/lint_command.h"

#include <CLI/CLI.hpp>
#include <map>

#include "model/errors.h"
#include "tools/compile_texts.h"
#include "tools/input_file.h"
#include "tools/lint_report.h"
#include "tools/text_options.h"

namespace scenario::tools {
namespace {

constexpr int kFailure = 1;
constexpr int kErrorsFound = 2;
constexpr int kUsage = 64;

std::string checks_footer() {
  std::string footer = "Checks, with the severity each has unless -W or --werror say otherwise:\n";
  for (const LintCheck& c : lint_checks())
    footer += "  " + std::string(c.name) + " (" + severity_name(c.severity) + ")\n      " + summary(c) + "\n";
  return footer +
         "Exit status: 0 nothing at error level, 2 a compile error or a finding at error level,\n"
         "1 fatal (an input that cannot be read, or a compile that could not produce its files),\n"
         "64 a command line the tool cannot take.";
}

// The severity of every check after the -W switches and --werror, or the
// name of a check that does not exist.
struct Severities {
  std::map<std::string, Severity, std::less<>> of;
  std::string unknown;
};

Severities severities(const LintOptions& o) {
  Severities s;
  for (const LintCheck& c : lint_checks()) s.of[c.name] = c.severity;
  for (const std::string& word : o.switches) {
    const bool off = word.starts_with("no-");
    const std::string name = off ? word.substr(3) : word;
    const LintCheck* check = find_check(name);
    if (!check) {
      s.unknown = name;
      return s;
    }
    s.of[name] = off ? Severity::kOff : check->severity == Severity::kOff ? Severity::kWarning : check->severity;
  }
  if (o.werror)
    for (auto& [name, severity] : s.of)
      if (severity == Severity::kWarning) severity = Severity::kError;
  return s;
}

}  // namespace

void add_lint(CLI::App& app, LintOptions& o) {
  CLI::App* c = app.add_subcommand("lint",
                                   "Compile a line description and a service description, then run named "
                                   "checks on them; nothing is written");
  add_text_options(*c, o.line_path, o.service_path, o.encoding);
  c->add_option("-W", o.switches, "turn a check on: -W NAME or -WNAME; off: -Wno-NAME")
      ->allow_extra_args(false)
      ->type_name("NAME");
  c->add_flag("--werror", o.werror, "report every warning as an error (exit status 2)");
  c->add_option("--format", o.format, "text, json, or sarif (SARIF 2.1.0)")
      ->check(CLI::IsMember({"text", "json", "sarif"}))
      ->capture_default_str();
  c->footer(checks_footer());
}

int run_lint(const LintOptions& o, std::ostream& out, std::ostream& err) {
  const Severities severity = severities(o);
  if (!severity.unknown.empty()) {
    err << "scenario-tool: lint: no check is named '" << severity.unknown << "'; see scenario-tool lint --help\n";
    return kUsage;
  }
  AnalysisRequest request;
  try {
    request.line = read_source_text(o.line_path, o.encoding);
    request.service = read_source_text(o.service_path, o.encoding);
  } catch (const RequestError& e) {
    err << "scenario-tool: " << e.what() << "\n";
    return kFailure;
  }
  request.trace = true;
  const Analysis a = analyse(std::move(request));
  const std::vector<Finding> findings = run_checks(a);

  LintReport report{&a, diagnose(a), {}, fatal_message(a)};
  bool error_level = !report.errors.empty();
  for (const Finding& f : findings) {
    const Severity s = severity.of.find(f.check)->second;
    if (s == Severity::kOff) continue;
    error_level = error_level || s == Severity::kError;
    report.findings.push_back(report_finding(a, f, s));
  }

  const auto dump = [](const nlohmann::ordered_json& j) {
    return j.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
  };
  if (o.format == "json")
    out << dump(report_json(report));
  else if (o.format == "sarif")
    out << dump(report_sarif(report, SCENARIO_VERSION));
  else
    print_text(out, report);
  if (!report.fatal.empty()) return kFailure;
  return error_level ? kErrorsFound : 0;
}

}  // namespace scenario::tools
