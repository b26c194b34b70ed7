// The records' field lists add up to the sizes the files have: 15 bytes a
// cell, 34 bytes a table entry besides its text, whose 16-bit length comes
// after campo4 (at byte 14). The writer, the readers and decode's JSON walk
// these lists, so the golden files and the round trips check the order.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/records.h"

namespace scenario {
namespace {

TEST(Records, FieldListsAddUpToTheFilesRecordSizes) {
  EXPECT_EQ(kByteCella, 15u);
  EXPECT_EQ(kByteVoceSenzaTesto, 34u);

  size_t before_text = 0;
  bool text_seen = false;
  const Voce v{};
  campi_voce(v, [&](const char*, const auto& field) {
    if (std::is_same_v<std::remove_cvref_t<decltype(field)>, std::string>) text_seen = true;
    if (!text_seen) before_text += byte_campo<std::remove_cvref_t<decltype(field)>>();
  });
  EXPECT_EQ(before_text, 14u);
}

TEST(Records, EveryFieldHasItsOwnName) {
  std::set<std::string> cell, entry;
  const Cella c{};
  campi_cella(c, [&](const char* name, const auto&) { EXPECT_TRUE(cell.insert(name).second) << name; });
  const Voce v{};
  campi_voce(v, [&](const char* name, const auto&) { EXPECT_TRUE(entry.insert(name).second) << name; });
  EXPECT_EQ(cell.size(), 11u);
  EXPECT_EQ(entry.size(), 16u);
}

}  // namespace
}  // namespace scenario
