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

#include "tools/analysis.h"

namespace scenario::tools {

struct Diagnostic {
  int32_t number = 0;
  std::optional<int32_t> position;  // metres
  std::string file;                 // the text's name, as the author gave it
  std::optional<size_t> line;       // with column, when the error points into the text
  std::optional<size_t> column;
  std::string message;      // meaning, then position, cell or fault detail
  std::string source_line;  // the text's line, converted to UTF-8 for display
  std::string caret;        // blanks and a caret under the column
  // When the error ended the reading of its text before records that follow:
  // what was not compiled, printed as a note where the reading stopped.
  std::string note;
  size_t note_line = 0;
  size_t note_column = 0;
};

// One diagnostic per recorded error, in the order recorded.
std::vector<Diagnostic> diagnose(const Analysis& analysis);

// The line of `text` that holds `offset`, its 1-based line and column, and a
// caret line under the column, for a diagnostic pointing there.
void point_at(Diagnostic& d, std::string_view text, size_t offset);

// "error N: meaning": a diagnostic's line, after its place.
std::string error_headline(const Diagnostic& d);

void print_diagnostic(std::ostream& out, const Diagnostic& d);

}  // namespace scenario::tools
