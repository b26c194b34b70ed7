#include "tools/source_map.h"

#include <algorithm>

namespace scenario::tools {

SourceMap::SourceMap(std::string_view text) : text_(text) {
  size_t start = 0;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] != '\r' && text[i] != '\n') {
      ++i;
      continue;
    }
    starts_.push_back(start);
    ends_.push_back(i);
    i += (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
    start = i;
  }
  // The last line, unless the text ends with a line end (or is empty).
  if (start < text.size() || starts_.empty()) {
    starts_.push_back(start);
    ends_.push_back(text.size());
  }
}

SourcePoint SourceMap::point(size_t offset) const {
  offset = std::min(offset, text_.size());
  // The last line that starts at or before the offset.
  auto after = std::upper_bound(starts_.begin(), starts_.end(), offset);
  size_t index = static_cast<size_t>(after - starts_.begin()) - 1;
  size_t column = std::min(offset, ends_[index]) - starts_[index];
  return {index + 1, column + 1};
}

std::string_view SourceMap::line(size_t number) const {
  if (number == 0 || number > starts_.size()) return {};
  size_t index = number - 1;
  return text_.substr(starts_[index], ends_[index] - starts_[index]);
}

}  // namespace scenario::tools
