#include "tools/lsp_positions.h"

#include <algorithm>

namespace scenario::tools::lsp {

Position position_at(const SourceMap& map, size_t offset) {
  const SourcePoint p = map.point(offset);
  return {p.line - 1, p.column - 1};
}

Json position_json(const SourceMap& map, size_t offset) {
  const Position p = position_at(map, offset);
  return {{"line", p.line}, {"character", p.character}};
}

Json range_json(const SourceMap& map, ByteSpan span) {
  return {{"start", position_json(map, span.begin)}, {"end", position_json(map, std::max(span.begin, span.end))}};
}

std::optional<size_t> offset_of(const SourceMap& map, std::string_view text, Position p) {
  const size_t number = p.line + 1;
  if (number <= map.lines()) return map.start(number) + std::min(p.character, map.line(number).size());
  const bool ends_with_line_end = !text.empty() && (text.back() == '\n' || text.back() == '\r');
  if (number == map.lines() + 1 && ends_with_line_end) return text.size();
  return std::nullopt;
}

}  // namespace scenario::tools::lsp
