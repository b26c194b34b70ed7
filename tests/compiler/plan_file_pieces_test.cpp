// The plan file of a long route leaves the program in pieces of a few
// megabytes; read back value by value it must be the plan, whole, with
// nothing lost or repeated where one piece ends and the next begins.

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <functional>

#include "compiler/binary_writer.h"
#include "compiler/compile.h"
#include "io/file_names.h"
#include "io/memory_folder.h"
#include "sources/built_in_names.h"
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
    MemoryFolder folder;
    test::metti_testi(folder, test::testo_linea(c.lunghezza, c.curve, "[curve]"));
    RunState s = test::stato_scenario();
    ASSERT_EQ(memorizza_percorso(s, folder, 1).fine, EsitoCompilazione::kScritto);
    EXPECT_EQ(s.errori.errore_n(), c.errore_n);

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
          ASSERT_EQ(le(b, o, 8), std::bit_cast<uint64_t>(v.doppio())) << "coordinate " << a << ", position " << i;
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

// The stretch of doubles a row knows of goes out straight from the plan's
// memory, the rest is packed. Whatever the mix, and wherever the stretch
// starts or ends against a piece, the bytes are those of the plan, no piece is
// larger than kPezzoPiano and a value, and the row knows the stretch it should.
TEST(PlanFilePieces, KnownStretchesOfDoublesAmongOtherValues) {
  const size_t pezzo = kPezzoPiano / sizeof(ValorePiano);
  auto doppio = [](size_t i) { return ValorePiano::di_doppio(double(i) * 0.25 - 3.0); };
  // Room for doubles from `da` to `a` - 1, filled as the plan's steps do.
  auto doppi = [&](AssePiano& r, size_t da, size_t a) {
    ValorePiano* v = r.doppi(da, a - da);
    for (size_t i = da; i < a; ++i) v[i - da] = doppio(i);
  };
  auto ciascuno = [](AssePiano& r, auto valore) {
    for (size_t i = 0; i < r.size(); ++i) r.metti(i, valore(i));
  };
  struct Caso {
    const char* nome;
    size_t n;
    std::function<void(AssePiano&)> fai;
    AssePiano::Tratto noto;
  };
  const std::vector<Caso> casi = {
      {"doubles only, over several pieces",
       3 * pezzo + 7,
       [&](AssePiano& r) { doppi(r, 0, r.size()); },
       {0, 3 * pezzo + 7}},
      {"two integers, then doubles: a compiled plan",
       2 * pezzo,
       [&](AssePiano& r) {
         r.metti(0, ValorePiano::di_intero(0));
         r.metti(1, ValorePiano::di_intero(1));
         doppi(r, 2, 1000);
         doppi(r, 1000, pezzo + 1);
         doppi(r, pezzo + 1, 2 * pezzo);
       },
       {2, 2 * pezzo}},
      {"doubles, then empty values", pezzo + 40000, [&](AssePiano& r) { doppi(r, 0, pezzo - 5); }, {0, pezzo - 5}},
      {"an integer put in the stretch, nearer its end",
       2 * pezzo + 3,
       [&](AssePiano& r) {
         doppi(r, 0, r.size());
         r.metti(pezzo + 1, ValorePiano::di_intero(7));
       },
       {0, pezzo + 1}},
      {"an empty value put in the stretch, nearer its start",
       2 * pezzo + 3,
       [&](AssePiano& r) {
         doppi(r, 0, r.size());
         r.metti(100, ValorePiano{});
       },
       {101, 2 * pezzo + 3}},
      {"two stretches apart: the longer is known, the other is packed",
       3 * pezzo,
       [&](AssePiano& r) {
         doppi(r, 10, 5000);
         doppi(r, 5001, 3 * pezzo);
       },
       {5001, 3 * pezzo}},
      {"doubles put one by one are packed",
       40000,
       [&](AssePiano& r) {
         ciascuno(r, [&](size_t i) { return i % 63 == 0 ? ValorePiano::di_intero(int16_t(i)) : doppio(i); });
       },
       {0, 0}},
      {"nothing", 0, [](AssePiano&) {}, {0, 0}},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    Planimetria piano;
    for (auto& r : piano.coordinata) {
      r = AssePiano(c.n);
      c.fai(r);
      EXPECT_EQ(r.tratto_di_doppi().da, c.noto.da);
      EXPECT_EQ(r.tratto_di_doppi().a, c.noto.a);
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
