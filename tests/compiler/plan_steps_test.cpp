// The per-metre track plan, value by value, against the plain rule applied
// one point at a time: each point repeats the step between the two before
// it, turned by the curvature inside a curve; the plan stops growing after
// position 1,000,000 (error 103), and a step past its last position faults
// (error 25) with every earlier point kept.

#include <gtest/gtest.h>

#include <bit>
#include <string>
#include <vector>

#include "compiler/compile.h"
#include "io/memory_folder.h"
#include "support/texts.h"

namespace scenario {
namespace {

struct Curva {
  int64_t inizio, lunghezza;
  double curvatura;  // turn per metre, negative to the left
};

// The plan of a route of `lunghezza` metres with these curves, stepped one
// point at a time by the rule alone.
Planimetria piano_atteso(int64_t lunghezza, const std::vector<Curva>& curve) {
  const int64_t estesa = lunghezza + 7000;
  Planimetria p;
  for (auto& asse : p.coordinata) asse = AssePiano(size_t(estesa) + 1);
  auto& x = p.coordinata[0];
  auto& y = p.coordinata[1];
  x.metti(0, ValorePiano::di_intero(0));
  x.metti(1, ValorePiano::di_intero(0));
  y.metti(0, ValorePiano::di_intero(0));
  y.metti(1, ValorePiano::di_intero(1));
  int64_t k = 2;
  auto passo = [&](double c) {
    if (k > estesa) return false;  // the fault
    const size_t i = size_t(k);
    double x1 = x[i - 1].come_doppio(), y1 = y[i - 1].come_doppio();
    double dx = x1 - x[i - 2].come_doppio(), dy = y1 - y[i - 2].come_doppio();
    x.metti(i, ValorePiano::di_doppio(x1 + (dx + c * dy)));
    y.metti(i, ValorePiano::di_doppio(y1 + (dy - c * dx)));
    ++k;
    return true;
  };
  for (const Curva& c : curve) {
    while (k <= c.inizio) {
      if (!passo(0.0)) return p;
      if (k > 1000000) return p;
    }
    while (k <= c.inizio + c.lunghezza) {
      if (!passo(c.curvatura)) return p;
      if (k > 1000000) return p;
    }
  }
  while (k <= estesa - 2) passo(0.0);
  return p;
}

struct Caso {
  const char* nome;
  int64_t lunghezza;
  std::vector<std::string> record;
  std::vector<Curva> curve;
  int32_t errore_n;
};

TEST(PlanSteps, EveryValueFollowsTheRuleOnePointAtATime) {
  const std::vector<Caso> casi = {
      {"straight track only", 10000, {}, {}, 0},
      {"curves of every class, both ways, one right after another",
       10000,
       {"curvas1, 500, 300", "curvad6, 1000, 50", "curvas3, 1050, 0", "curvad4, 3000, 2000", "curvas5, 6000, 10",
        "curvad2, 6010, 1"},
       {{500, 300, -0.0001},
        {1000, 50, 0.003},
        {1050, 0, -0.0004},
        {3000, 2000, 0.001},
        {6000, 10, -0.002},
        {6010, 1, 0.0002}},
       0},
      {"a curve that starts behind the points already stepped",
       10000,
       {"curvad2, 5000, 100", "curvas1, 2000, 4000"},
       {{5000, 100, 0.0002}, {2000, 4000, -0.0001}},
       0},
      {"a curve running past the last position", 10000, {"curvad1, 100, 20000"}, {{100, 20000, 0.0001}}, 25},
      {"a curve reaching position 1,000,000", 1000000, {"curvad1, 999950, 100"}, {{999950, 100, 0.0001}}, 103},
      {"straight track reaching position 1,000,000 before a curve",
       1000000,
       {"curvas2, 1000010, 5"},
       {{1000010, 5, -0.0002}},
       103},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    MemoryFolder folder;
    test::metti_testi(folder, test::testo_linea(c.lunghezza, c.record, "[curve]"));
    RunState s = test::stato_scenario();
    s.genera_linea = true;
    memorizza_dati(s, folder);
    EXPECT_EQ(s.errori.errore_n(), c.errore_n);

    const Planimetria atteso = piano_atteso(c.lunghezza, c.curve);
    for (int a = 0; a < 2; ++a) {
      const auto& v = s.planimetria.coordinata[a];
      const auto& w = atteso.coordinata[a];
      ASSERT_EQ(v.size(), w.size());
      size_t diversi = 0, primo = 0;
      for (size_t i = 0; i < v.size(); ++i) {
        bool uguale = v[i].tag == w[i].tag && v[i].intero() == w[i].intero() &&
                      std::bit_cast<uint64_t>(v[i].doppio()) == std::bit_cast<uint64_t>(w[i].doppio());
        if (!uguale && diversi++ == 0) primo = i;
      }
      EXPECT_EQ(diversi, 0u) << "coordinate " << a << ", first difference at position " << primo;
    }
  }
}

}  // namespace
}  // namespace scenario
