// The records' field lists add up to the sizes the files have: 15 bytes a
// cell, 34 bytes a table entry besides its text, whose 16-bit length comes
// after campo4 (at byte 14), and a plan point 2, 4 or 10 bytes. The writer, the readers and decode's JSON walk
// these lists, so the golden files and the round trips check the order.

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <set>
#include <string>

#include "compiler/binary_writer.h"
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

// A plan of one coordinate holding `punti` (the other empty), put one by one.
Planimetria piano_di(const std::vector<ValorePiano>& punti) {
  Planimetria piano;
  piano.coordinata[0] = AssePiano(punti.data(), punti.data() + punti.size());
  return piano;
}

// Each form of a plan point, as the plan writer writes it, takes the bytes
// its row says, the tag first. A double point's bytes in memory are its
// bytes in the file: that is what lets the writer hand a stretch of doubles
// to the file as it lies, and the stretch comes out as the points would one
// by one.
TEST(Records, PlanPointsTakeTheBytesTheirFormSays) {
  EXPECT_EQ(kByteMassimoPunto, 10u);
  const std::vector<ValorePiano> punti = {ValorePiano{}, ValorePiano::di_intero(-2), ValorePiano::di_doppio(-0.0001)};
  std::string uno_per_uno;
  for (const ValorePiano& v : punti) {
    SCOPED_TRACE(forma_punto(v.tag)->nome);
    const std::string bytes = bytes_piano(piano_di({v}));
    ASSERT_EQ(bytes.size(), byte_punto(v));
    EXPECT_EQ(uint8_t(bytes[0]) | uint8_t(bytes[1]) << 8, v.tag);
    if (v.tag == ValorePiano::kDoppio && std::endian::native == std::endian::little) {
      EXPECT_EQ(std::memcmp(&v, bytes.data(), bytes.size()), 0);
    }
    uno_per_uno += bytes;
  }
  EXPECT_EQ(forma_punto(7), nullptr);

  // The same points around a stretch of doubles the row knows of.
  Planimetria piano;
  piano.coordinata[0] = AssePiano(5);
  piano.coordinata[0].metti(0, punti[0]);
  piano.coordinata[0].metti(1, punti[1]);
  ValorePiano* doppi = piano.coordinata[0].doppi(2, 2);
  doppi[0] = doppi[1] = punti[2];
  piano.coordinata[0].metti(4, punti[1]);
  ASSERT_EQ(piano.coordinata[0].tratto_di_doppi().lunghezza(), 2u);
  const std::string intero = bytes_piano(piano_di({punti[1]}));
  const std::string doppio = bytes_piano(piano_di({punti[2]}));
  EXPECT_EQ(bytes_piano(piano), uno_per_uno + doppio + intero);
}

}  // namespace
}  // namespace scenario
