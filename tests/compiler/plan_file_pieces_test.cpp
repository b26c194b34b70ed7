// The plan file of a long route leaves the program in pieces of a few
// megabytes; read back value by value it must be the plan, whole, with
// nothing lost or repeated where one piece ends and the next begins.

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <functional>

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
          ASSERT_EQ(int16_t(le(b, o, 2)), v.intero()) << "coordinate " << a << ", position " << i;
          o += 2;
        } else if (v.tag == ValorePiano::kDoppio) {
          ASSERT_EQ(le(b, o, 8), std::bit_cast<uint64_t>(v.doppio()))
              << "coordinate " << a << ", position " << i;
          o += 8;
        }
      }
    }
    EXPECT_EQ(o, b.size());
    EXPECT_EQ(b, bytes_piano(s.planimetria));
  }
}

// The file written value by value, the slow and obvious way.
std::string valore_per_valore(const Planimetria& piano) {
  std::string b;
  auto metti = [&b](uint64_t v, int n) {
    for (int i = 0; i < n; ++i) b += char((v >> (8 * i)) & 0xFF);
  };
  for (const auto& asse : piano.coordinata)
    for (const ValorePiano& v : asse) {
      metti(v.tag, 2);
      if (v.tag == ValorePiano::kIntero) metti(uint16_t(v.intero()), 2);
      if (v.tag == ValorePiano::kDoppio) metti(std::bit_cast<uint64_t>(v.doppio()), 8);
    }
  return b;
}

// Runs of doubles go out straight from the plan's memory, the rest is packed:
// whatever the mix, and wherever a run starts or ends against a piece, the
// bytes are those of the plan, and no piece is larger than kPezzoPiano and a
// value.
TEST(PlanFilePieces, ShortAndLongRunsOfDoublesAmongOtherValues) {
  const size_t pezzo = kPezzoPiano / sizeof(ValorePiano);
  struct Caso {
    const char* nome;
    size_t n;
    std::function<ValorePiano(size_t)> valore;
  };
  auto doppio = [](size_t i) { return ValorePiano::di_doppio(double(i) * 0.25 - 3.0); };
  const std::vector<Caso> casi = {
      {"doubles only, over several pieces", 3 * pezzo + 7, doppio},
      {"an integer every 63 values", 5000,
       [&](size_t i) { return i % 63 == 0 ? ValorePiano::di_intero(int16_t(-i)) : doppio(i); }},
      {"an integer every 64 and every 65 values", 9000,
       [&](size_t i) { return i % 64 == 0 || i % 65 == 0 ? ValorePiano::di_intero(int16_t(i)) : doppio(i); }},
      {"one empty value just past a piece's worth of doubles", 2 * pezzo + 3,
       [&](size_t i) { return i == pezzo + 1 ? ValorePiano{} : doppio(i); }},
      {"empty values after the doubles", pezzo + 40000,
       [&](size_t i) { return i < pezzo - 5 ? doppio(i) : ValorePiano{}; }},
      {"integers only", 40000, [](size_t i) { return ValorePiano::di_intero(int16_t(i)); }},
      {"nothing", 0, doppio},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    Planimetria piano;
    for (int a = 0; a < 2; ++a) {
      piano.coordinata[a] = AssePiano(c.n);
      for (size_t i = 0; i < c.n; ++i) piano.coordinata[a][i] = c.valore(i + size_t(a));
    }
    std::string b;
    size_t piu_grande = 0;
    scrivi_piano(piano, [&](std::string_view p) {
      EXPECT_FALSE(p.empty());
      piu_grande = std::max(piu_grande, p.size());
      b += p;
    });
    EXPECT_LE(piu_grande, kPezzoPiano + 10);
    EXPECT_EQ(b, valore_per_valore(piano));
  }
}

}  // namespace
}  // namespace scenario
