#include "tools/source_map.h"

#include <gtest/gtest.h>

namespace scenario::tools {
namespace {

TEST(SourceMap, OffsetsBecomeLineAndColumnWhateverTheLineEnds) {
  struct Case {
    const char* text;
    size_t offset;
    size_t line, column;
    const char* line_text;
  };
  const Case cases[] = {
      {"ab\r\ncd\r\n", 0, 1, 1, "ab"},
      {"ab\r\ncd\r\n", 5, 2, 2, "cd"},
      {"ab\ncd\n", 4, 2, 2, "cd"},
      {"ab\rcd", 3, 2, 1, "cd"},
      {"ab\r\n\r\ncd", 6, 3, 1, "cd"},  // an empty line counts
      // The end of a text that ends with a line end is just after its last line.
      {"ab\r\ncd\r\n", 8, 2, 3, "cd"},
      {"ab\r\ncd", 6, 2, 3, "cd"},
      // A line end itself belongs to the line it ends.
      {"ab\r\ncd", 3, 1, 3, "ab"},
      {"", 0, 1, 1, ""},
  };
  for (const Case& c : cases) {
    SourceMap map(c.text);
    SourcePoint p = map.point(c.offset);
    EXPECT_EQ(p.line, c.line) << c.text << " @" << c.offset;
    EXPECT_EQ(p.column, c.column) << c.text << " @" << c.offset;
    EXPECT_EQ(map.line(p.line), c.line_text) << c.text << " @" << c.offset;
  }
}

}  // namespace
}  // namespace scenario::tools
