#pragma once
// Where the language server meets the analysis's byte offsets: positions as
// the protocol counts them, lines from 0 and characters in UTF-16 code units.
// The texts the analysis reads are Windows-1252, where every byte is one
// character of the Basic Multilingual Plane and so one UTF-16 unit: within a
// line, the byte count is the character count, whatever encoding the editor
// keeps the text in.

#include <cstddef>
#include <optional>
#include <string_view>

#include "tools/analysis.h"
#include "tools/lsp_messages.h"
#include "tools/source_map.h"

namespace scenario::tools::lsp {

struct Position {
  size_t line = 0;       // from 0
  size_t character = 0;  // UTF-16 code units from the line's start
};

Position position_at(const SourceMap& map, size_t offset);
Json position_json(const SourceMap& map, size_t offset);
Json range_json(const SourceMap& map, ByteSpan span);

// The offset of a position in `text` (whose map `map` is). A character past
// its line's end means the end of the line; the line after a text's last line
// end is the empty line at the end of the text. None for a line past that.
std::optional<size_t> offset_of(const SourceMap& map, std::string_view text, Position p);

}  // namespace scenario::tools::lsp
