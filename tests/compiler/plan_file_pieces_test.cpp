// The plan file of a long route leaves the program in pieces of a few
// megabytes; read back value by value it must be the plan, whole, with
// nothing lost or repeated where one piece ends and the next begins.

#include <gtest/gtest.h>

#include <bit>
#include <cstring>

#include "compiler/binary_writer.h"
#include "compiler/compile.h"
#include "io/memory_folder.h"
#include "sources/file_names.h"
#include "support/texts.h"

namespace scenario {
namespace {

uint64_t le(const std::string& b, size_t o, int n) {
  uint64_t v = 0;
  for (int i = 0; i < n; ++i) v |= uint64_t(static_cast<unsigned char>(b[o + size_t(i)])) << (8 * i);
  return v;
}

TEST(PlanFilePieces, ReadBackValueByValueTheFileIsThePlan) {
  struct Caso {
    const char* nome;
    int lunghezza;
    std::vector<std::string> curve;
    int32_t errore_n;
  };
  const std::vector<Caso> casi = {
      {"a 300 km route", 300000, {"curvas2, 1000, 5000", "curvad4, 150000, 300"}, 0},
      // The plan stops after position 1,000,000: empty values, 2 bytes each,
      // follow 20 MB of doubles.
      {"a 1000 km route stopped at the plan's limit", 1000000, {"curvad1, 999950, 100"}, 103},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    std::vector<std::string> righe = {"[generale]", "lunghezza percorso, " + std::to_string(c.lunghezza), "[curve]"};
    righe.insert(righe.end(), c.curve.begin(), c.curve.end());
    righe.push_back("[fine]");
    MemoryFolder folder;
    test::metti_testi(folder, test::testo_di(righe));
    RunState s = test::stato_scenario();
    ASSERT_EQ(memorizza_percorso(s, folder, 1).fine, EsitoCompilazione::kScritto);
    EXPECT_EQ(s.errore_n, c.errore_n);

    const std::string& b = folder.files().at(nome_piano(kPercorsoNome));
    ASSERT_GT(b.size(), 2 * kPezzoPiano);
    size_t o = 0;
    for (int a = 0; a < 2; ++a) {
      const auto& asse = s.planimetria.coordinata[a];
      for (size_t i = 0; i < asse.size(); ++i) {
        const ValorePiano& v = asse[i];
        ASSERT_LE(o + 2, b.size()) << "coordinate " << a << ", position " << i;
        ASSERT_EQ(le(b, o, 2), v.tag) << "coordinate " << a << ", position " << i;
        o += 2;
        if (v.tag == ValorePiano::kIntero) {
          ASSERT_EQ(int16_t(le(b, o, 2)), v.intero) << "coordinate " << a << ", position " << i;
          o += 2;
        } else if (v.tag == ValorePiano::kDoppio) {
          ASSERT_EQ(le(b, o, 8), std::bit_cast<uint64_t>(double(v.doppio)))
              << "coordinate " << a << ", position " << i;
          o += 8;
        }
      }
    }
    EXPECT_EQ(o, b.size());
    EXPECT_EQ(b, bytes_piano(s.planimetria));
  }
}

}  // namespace
}  // namespace scenario
