#pragma once
// Turns byte offsets into a description text into line and column numbers,
// and gives back the text of a line, for diagnostics.

#include <cstddef>
#include <string_view>
#include <vector>

namespace scenario::tools {

struct SourcePoint {
  size_t line = 1;    // 1-based
  size_t column = 1;  // 1-based, counted in bytes (one byte per character in Windows-1252)
};

// Lines end at CR LF, at a lone CR or at a lone LF, as the field reader sees them.
class SourceMap {
public:
  explicit SourceMap(std::string_view text);

  // An offset at or past the end of a text that ends with a line end points
  // just after the last character of the last line.
  SourcePoint point(size_t offset) const;
  // The text of a 1-based line, without its line end.
  std::string_view line(size_t number) const;
  // How many lines there are: a text that ends with a line end has no empty
  // line after it, an empty text has one empty line.
  size_t lines() const { return starts_.size(); }
  // The offset of the first byte of a 1-based line, no greater than lines().
  size_t start(size_t number) const { return starts_[number - 1]; }

private:
  std::string_view text_;
  std::vector<size_t> starts_;  // offset of the first byte of each line
  std::vector<size_t> ends_;    // offset of each line's end (its first line-end byte)
};

}  // namespace scenario::tools
