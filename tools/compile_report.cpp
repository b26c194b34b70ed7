#include "tools/compile_report.h"

#include "model/errors.h"

namespace scenario::tools {
namespace {

nlohmann::ordered_json fatal_json(const CompileOutcome& outcome) {
  switch (outcome.fatal) {
    case Fatal::kNone: return nullptr;
    case Fatal::kSlotTaken: return outcome.slot_number;
    case Fatal::kNoGrid: return "no_grid";
    case Fatal::kWriteFailed: return "write_failed";
  }
  return nullptr;
}

template <typename T>
nlohmann::ordered_json or_null(const std::optional<T>& value) {
  return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json(nullptr);
}

}  // namespace

nlohmann::ordered_json errors_json(const std::vector<Diagnostic>& diagnostics) {
  nlohmann::ordered_json errors = nlohmann::ordered_json::array();
  for (const Diagnostic& d : diagnostics) {
    errors.push_back({{"n", d.number},
                      {"pos", or_null(d.position)},
                      {"file", d.file},
                      {"line", or_null(d.line)},
                      {"column", or_null(d.column)},
                      {"message", d.message}});
  }
  return errors;
}

nlohmann::ordered_json compile_report(const CompileOutcome& outcome, const std::vector<Diagnostic>& diagnostics) {
  return {{"errore_n", outcome.analysis.state.errori.errore_n()},
          {"errore_pos", outcome.analysis.state.errori.errore_pos()},
          {"fatal", fatal_json(outcome)},
          {"errors", errors_json(diagnostics)},
          {"files", outcome.written},
          {"encodings", {{"line", or_null(outcome.line_encoding)}, {"service", or_null(outcome.service_encoding)}}}};
}

nlohmann::ordered_json refusal_report(const std::string& fatal, const std::string& message) {
  return {{"errore_n", 0},
          {"errore_pos", 0},
          {"fatal", fatal},
          {"message", message},
          {"errors", nlohmann::ordered_json::array()},
          {"files", nlohmann::ordered_json::array()}};
}

void print_fatal(std::ostream& err, const CompileOutcome& outcome) {
  switch (outcome.fatal) {
    case Fatal::kNone: return;
    case Fatal::kSlotTaken:
      err << "scenario-tool: error " << outcome.slot_number << ": " << significato_errore(outcome.slot_number)
          << "; no binary file written\n";
      return;
    case Fatal::kNoGrid:
      err << "scenario-tool: the line description left no track grid; no binary file written\n";
      return;
    case Fatal::kWriteFailed: err << "scenario-tool: " << outcome.write_error << "\n"; return;
  }
}

}  // namespace scenario::tools
