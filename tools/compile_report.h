#pragma once
// What a compile tells its caller: diagnostics and the fatal end on standard
// error, and, on request, one JSON object on standard output.

#include <nlohmann/json.hpp>
#include <ostream>
#include <vector>

#include "tools/compile_texts.h"
#include "tools/diagnostics.h"

namespace scenario::tools {

// [{n, pos, file, line, column, message}], one per diagnostic.
nlohmann::ordered_json errors_json(const std::vector<Diagnostic>& diagnostics);

// { errore_n, errore_pos, fatal, errors: [{n, pos, file, line, column, message}], files }
nlohmann::ordered_json compile_report(const CompileOutcome& outcome, const std::vector<Diagnostic>& diagnostics);

// The line that explains a fatal end; nothing for a compile that wrote its files.
void print_fatal(std::ostream& err, const CompileOutcome& outcome);

// The JSON of a compile refused before it started: `fatal` is "usage" or
// "input", `message` the line printed on standard error.
nlohmann::ordered_json refusal_report(const std::string& fatal, const std::string& message);

}  // namespace scenario::tools
