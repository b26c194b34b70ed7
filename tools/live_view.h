#pragma once
// What the live route sheet shows of two description texts at one moment:
// the sheet drawn from the files a compile would write, the compile's errors
// and the lint checks' warnings with their places, and the sheet's summary
// line. A text that is missing, empty (an editor half way through a save)
// or cannot be read leaves a notice and keeps what the previous view showed.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/route_sheet.h"

namespace scenario::tools {

struct LiveTexts {
  std::string line_path;
  std::string service_path;
  std::string encoding = "auto";  // as compile --encoding
};

// One compile error or lint warning, as the page lists it.
struct LiveEntry {
  bool error = true;  // a compile error; else a lint finding
  std::string file;
  std::optional<size_t> line;  // with column, when it points into the text
  std::optional<size_t> column;
  std::string headline;  // "error N: meaning", "warning: message [-Wname]"
  std::string source_line;
  std::string caret;
  std::optional<int64_t> metres;  // where on the line the object it concerns stands
};

struct LiveView {
  uint64_t version = 0;  // counts the views made; a page asks for newer ones
  std::string summary;   // the sheet's summary line; empty without a sheet
  std::string sheet;     // the SVG element, without its XML declaration; empty without one
  AsseFoglio axis;
  std::vector<LiveEntry> entries;
  std::string notice;  // why the view is not of the texts as they are now; empty when it is
};

// Reads, compiles and checks the texts. `previous` (none at the start) is
// kept, with a notice, when a text cannot be compiled as it stands.
LiveView make_view(const LiveTexts& texts, const LiveView* previous);

}  // namespace scenario::tools
