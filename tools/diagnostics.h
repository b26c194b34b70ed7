#pragma once
// Diagnostics of a compile in the form editors and CI read:
//   FILE:LINE:COL: error N: meaning (at P m)
// followed by the offending source line and a caret under the column. Errors
// that concern a whole file, or the grid rather than a record, name the file
// alone.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tools/compile_texts.h"

namespace scenario::tools {

struct Diagnostic {
  int32_t number = 0;
  std::optional<int32_t> position;  // metres
  std::string file;                 // the path as the author gave it
  std::optional<size_t> line;       // with column, when the error points into the text
  std::optional<size_t> column;
  std::string message;      // meaning, then position, cell or fault detail
  std::string source_line;  // the text's line, converted to UTF-8 for display
  std::string caret;        // blanks and a caret under the column
};

// One diagnostic per recorded error, in the order recorded.
std::vector<Diagnostic> diagnose(const CompileOutcome& outcome, const CompileRequest& request);

void print_diagnostic(std::ostream& out, const Diagnostic& d);

}  // namespace scenario::tools
