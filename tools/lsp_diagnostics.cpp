#include "tools/lsp_diagnostics.h"

#include "model/cp1252.h"
#include "sources/built_in_names.h"
#include "tools/diagnostics.h"
#include "tools/lint_checks.h"
#include "tools/lsp_features.h"

namespace scenario::tools::lsp {
namespace {

// Severities as the protocol numbers them.
enum Level { kErrorLevel = 1, kWarningLevel = 2, kInformationLevel = 3 };

constexpr char kSource[] = "scenario-tool";

// What a service text with no records is; the line text alone compiles against it.
constexpr char kEmptyService[] = "[generale]\r\n[fine]\r\n";

Json point_range(Position p) {
  const Json at = {{"line", p.line}, {"character", p.character}};
  return {{"start", at}, {"end", at}};
}

Json note(Position where, Level severity, const std::string& message) {
  return {{"range", point_range(where)}, {"severity", severity}, {"source", kSource}, {"message", message}};
}

TextDiagnostics diagnostics_for(const PairedText& t) { return {t.uri, t.version, Json::array()}; }

std::string missing_partner(const Pair& pair) {
  if (pair.role == Role::kNeither)
    return "not compiled: a line text is named <route>_linea.txt and its service text <route>_<train>-.txt, "
           "in one folder";
  if (pair.role == Role::kLine)
    return "no service text beside this line text: expected " + pair.expected + "; the line text is compiled alone";
  return "no line text beside this service text: expected " + pair.expected + "; the text is not compiled";
}

// A name from a file name as the compiler holds it, or the program's own.
std::string model_name(const std::string& utf8, const std::string& fallback) {
  try {
    return utf8.empty() ? fallback : utf8_a_cp1252(utf8);
  } catch (const std::invalid_argument&) {
    return fallback;
  }
}

Json error_diagnostic(const SourceMap& map, const LocatedError& e, const Diagnostic& d) {
  return {{"range", e.span ? range_json(map, *e.span) : point_range({})},
          {"severity", kErrorLevel},
          {"code", d.number},
          {"source", kSource},
          {"message", d.message}};
}

// None for a check that is off.
std::optional<Json> finding_diagnostic(const SourceMap& map, const Finding& f) {
  const LintCheck* check = find_check(f.check);
  if (check && check->severity == Severity::kOff) return std::nullopt;
  return Json{{"range", range_json(map, f.span)},
              {"severity", check && check->severity == Severity::kError ? kErrorLevel : kWarningLevel},
              {"code", f.check},
              {"source", kSource},
              {"message", f.message}};
}

}  // namespace

PairOutcome compile_pair(const Pair& pair) {
  PairOutcome out;
  out.texts.push_back(diagnostics_for(pair.asked));
  if (pair.partner) out.texts.push_back(diagnostics_for(*pair.partner));

  bool refused = false;
  for (size_t i = 0; i < out.texts.size(); ++i) {
    const PairedText& t = i == 0 ? pair.asked : *pair.partner;
    if (!t.text.refusal) continue;
    out.texts[i].diagnostics.push_back(note(t.text.refusal->where, kErrorLevel, t.text.refusal->message));
    refused = true;
  }
  if (!pair.partner) out.texts[0].diagnostics.push_back(note({}, kInformationLevel, missing_partner(pair)));
  if (refused || pair.role == Role::kNeither || (!pair.partner && pair.role == Role::kService)) return out;

  const bool line_asked = pair.role == Role::kLine;
  const PairedText& line = line_asked ? pair.asked : *pair.partner;
  const PairedText* service = line_asked ? (pair.partner ? &*pair.partner : nullptr) : &pair.asked;
  TextDiagnostics& line_out = out.texts[line_asked ? 0 : 1];
  TextDiagnostics* service_out = service ? &out.texts[line_asked ? 1 : 0] : nullptr;

  AnalysisRequest request;
  request.line = {line.path, line.text.bytes};
  request.service = {service ? service->path : std::string(), service ? service->text.bytes : kEmptyService};
  request.route = model_name(pair.route, kPercorsoNome);
  request.train = model_name(pair.train, kTrenoNome);
  // The line parser reads curves only while it builds the track plan; without
  // it they would be reported as records the compiler skips.
  request.plan = true;
  request.trace = true;
  auto result = std::make_shared<PairAnalysis>();
  result->analysis = analyse(std::move(request));
  result->line_uri = line.uri;
  result->line_version = line.version;
  if (service) {
    result->service_uri = service->uri;
    result->service_version = service->version;
  }
  const Analysis& a = result->analysis;

  const SourceMap line_map(*a.line.bytes);
  const SourceMap service_map(*a.service.bytes);
  auto target = [&](TextId text) { return text == TextId::kLine ? &line_out : service_out; };
  auto map = [&](TextId text) -> const SourceMap& { return text == TextId::kLine ? line_map : service_map; };
  const std::vector<Diagnostic> described = diagnose(a);
  for (size_t i = 0; i < a.errors.size(); ++i) {
    const LocatedError& e = a.errors[i];
    if (!target(e.text)) continue;
    Json d = error_diagnostic(map(e.text), e, described[i]);
    for (const Concerned& c : records_concerned(a, e)) {
      const std::string& uri = c.text == TextId::kLine ? result->line_uri : result->service_uri;
      if (!target(c.text)) continue;
      d["relatedInformation"].push_back(
          {{"location", {{"uri", uri}, {"range", range_json(map(c.text), c.span)}}}, {"message", c.message}});
    }
    target(e.text)->diagnostics.push_back(std::move(d));
  }
  for (const Finding& f : run_checks(a)) {
    std::optional<Json> d = finding_diagnostic(map(f.text), f);
    if (d && target(f.text)) target(f.text)->diagnostics.push_back(std::move(*d));
  }
  out.analysis = std::move(result);
  return out;
}

}  // namespace scenario::tools::lsp
