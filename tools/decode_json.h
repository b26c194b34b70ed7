#pragma once
// The binary scenario files as JSON, for authors to read.

#include <cstddef>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace scenario::tools {

enum class FileKind { kPlan, kTable, kGrid };

// The kind a file's name gives it: "_linea.dat" a plan, ".sim" a table,
// any other ".dat" a grid.
std::optional<FileKind> kind_from_name(std::string_view path);
std::optional<FileKind> kind_from_word(std::string_view word);  // "plan", "table", "grid"

// A range of element indices, both ends included: cells of the grid,
// entries of the table, positions of the plan.
struct IndexRange {
  size_t first = 0;
  size_t last = SIZE_MAX;
};

// "A:B" or "A"; nothing for anything else, or for B before A.
std::optional<IndexRange> parse_range(std::string_view text);

// Writes the file's bytes decoded as JSON (two-space indents, a line end
// after); throws DecodeError for a malformed file, before writing anything.
void write_decoded(std::ostream& out, FileKind kind, std::string_view bytes, IndexRange range);

}  // namespace scenario::tools
