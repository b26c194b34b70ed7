#include <gtest/gtest.h>

#include <map>

#include "compiler/code_placement.h"
#include "compiler/service_parser.h"
#include "model/access.h"
#include "support/service_fixtures.h"

namespace scenario {
namespace {

// A grid of cells 0 to 540, all plain track.
class Placement : public ::testing::Test {
protected:
  void SetUp() override { dimensiona(s, 20000); }

  void metti(int64_t i, uint8_t tipo, int16_t valore1 = 0) {
    cella(s, i).tipo = tipo;
    cella(s, i).valore1 = valore1;
  }
  // Start cell with its speed and end cell, as the parser leaves them.
  void rallentamento(int64_t inizio, int64_t fine, int16_t velocita) {
    metti(fine, kFineRallentamento, velocita);
    metti(inizio, kInizioRallentamento, velocita);
  }
  // Every code cell of the grid with its value.
  std::map<int64_t, int16_t> codici() {
    std::map<int64_t, int16_t> out;
    for (int64_t i = 0; i <= s.n_celle; ++i)
      if (s.celle[size_t(i)].tipo == kCodice) out[i] = s.celle[size_t(i)].valore1;
    return out;
  }
  static std::map<int64_t, int16_t> a_180(std::initializer_list<int64_t> celle) {
    std::map<int64_t, int16_t> out;
    for (int64_t i : celle) out[i] = 180;
    return out;
  }

  RunState s;
};

TEST_F(Placement, WorkedSlowDownAt22200) {
  dimensiona(s, 73500);
  memo_rallentamento(s, {.x = 22200, .v = 60, .l = 1000, .f_tt = 0, .f_ta = 0, .d_v = 0});
  ASSERT_EQ(cella(s, 421).tipo, kAvvisoRallentamento);
  ASSERT_EQ(cella(s, 445).tipo, kInizioRallentamento);
  ASSERT_EQ(cella(s, 465).tipo, kFineRallentamento);

  piazza_codici(s);
  EXPECT_EQ(s.errori.errore_n(), 0);
  EXPECT_EQ(codici(), a_180({427, 434, 440, 453, 461}));
}

TEST_F(Placement, CodeInFrontOfTheFirstSignalWithinTwelveCellsOfTheEnd) {
  struct Caso {
    int64_t segnale;
    std::vector<int64_t> occupate;
    int64_t codice;  // -1: none
  };
  const Caso casi[] = {
      {470, {}, 469},
      {477, {}, 476},
      {478, {}, -1},
      {470, {469}, 468},
  };
  for (const Caso& k : casi) {
    RunState fresco;
    s = fresco;
    dimensiona(s, 73500);
    rallentamento(445, 465, 60);
    metti(k.segnale, kSegnale);
    for (int64_t o : k.occupate) metti(o, kIndicatoreVMax);
    piazza_codici(s);
    auto attesi = a_180({440, 434, 427, 453, 461});
    if (k.codice >= 0) attesi[k.codice] = 180;
    EXPECT_EQ(codici(), attesi) << "signal in " << k.segnale;
    EXPECT_EQ(s.errori.errore_n(), 0) << "signal in " << k.segnale;
  }
}

TEST_F(Placement, StepDNeverLowersAnExistingCode) {
  rallentamento(100, 110, 60);
  metti(115, kSegnale);
  metti(114, kCodice, 270);
  metti(113, kIndicatoreVMax);
  piazza_codici(s);
  EXPECT_EQ(cella(s, 114).valore1, 270);
  EXPECT_EQ(s.errori.errore_n(), 13);
  EXPECT_EQ(s.errori.errore_pos(), 110 * 50);
}

TEST_F(Placement, SignalsWithinTwentyCellsBehindAWarning) {
  struct Caso {
    int64_t avviso, segnale, codice;  // codice -1: none
  };
  const Caso casi[] = {{100, 80, 79}, {100, 79, -1}, {100, 99, 98}, {23, 3, 2}, {22, 2, -1}};
  for (const Caso& k : casi) {
    dimensiona(s, 20000);
    metti(k.avviso, kAvvisoRallentamento);
    metti(k.segnale, kSegnale);
    piazza_codici(s);
    EXPECT_EQ(codici(), k.codice < 0 ? a_180({}) : a_180({k.codice}))
        << "warning " << k.avviso << ", signal " << k.segnale;
  }
}

TEST_F(Placement, InFrontOfASignalFreeCellsComeBeforeExistingCodes) {
  struct Caso {
    uint8_t tipo1;  // cell s - 1
    int16_t valore1;
    uint8_t tipo2;  // cell s - 2
    int16_t valore2;
    std::map<int64_t, int16_t> codici;
  };
  const Caso casi[] = {
      {kCodice, 270, kIndicatoreVMax, 0, {{89, 180}}}, {kCodice, 120, kIndicatoreVMax, 0, {{89, 120}}},
      {kIndicatoreVMax, 0, kCodice, 270, {{88, 180}}}, {kCodice, 270, kBinario, 0, {{89, 270}, {88, 180}}},
      {kMarcaMontagna, 0, kBinario, 0, {{89, 180}}},
  };
  for (const Caso& k : casi) {
    dimensiona(s, 20000);
    metti(100, kAvvisoRallentamento);
    metti(90, kSegnale);
    metti(89, k.tipo1, k.valore1);
    metti(88, k.tipo2, k.valore2);
    piazza_codici(s);
    EXPECT_EQ(codici(), k.codici) << "cells 89/88 of kinds " << int(k.tipo1) << "/" << int(k.tipo2);
    EXPECT_EQ(s.errori.errore_n(), 0);
  }
}

TEST_F(Placement, ThreeWarningsReachingOneSignal) {
  metti(50, kSegnale);
  metti(60, kAvvisoRallentamento);
  metti(61, kAvvisoRallentamento);
  metti(62, kAvvisoRallentamento);
  piazza_codici(s);
  EXPECT_EQ(codici(), a_180({48, 49}));
  EXPECT_EQ(s.errori.errore_n(), 0);
}

TEST_F(Placement, NoRoomInFrontOfASignal) {
  metti(100, kAvvisoRallentamento);
  metti(90, kSegnale);
  metti(89, kSegnale);
  metti(88, kIndicatoreVMax);
  piazza_codici(s);
  // Signal 90 has no room; signal 89 still gets its code.
  EXPECT_EQ(codici(), a_180({87}));
  EXPECT_EQ(s.errori.errore_n(), 11);
  EXPECT_EQ(s.errori.errore_pos(), 90 * 50);
}

TEST_F(Placement, CodePointsBeforeAStartCell) {
  struct Caso {
    int64_t inizio;
    std::initializer_list<int64_t> codici;
  };
  const Caso casi[] = {{7, {}}, {8, {3}}, {13, {8}}, {14, {9, 3}}, {20, {15, 9}}, {21, {16, 10, 3}}};
  for (const Caso& k : casi) {
    dimensiona(s, 20000);
    metti(k.inizio, kInizioRallentamento, 110);
    piazza_codici(s);
    EXPECT_EQ(codici(), a_180(k.codici)) << "start cell " << k.inizio;
    EXPECT_EQ(s.errori.errore_n(), 0) << "start cell " << k.inizio;
  }
}

TEST_F(Placement, EachGroupTakesItsFirstFreeCandidate) {
  metti(100, kInizioRallentamento, 110);
  metti(95, kSegnale);
  metti(89, kIndicatoreVMax);
  metti(88, kCodice, 270);
  metti(82, kMarcaMontagna);
  piazza_codici(s);
  EXPECT_EQ(codici(), (std::map<int64_t, int16_t>{{94, 180}, {88, 270}, {87, 180}, {82, 180}}));
  EXPECT_EQ(s.errori.errore_n(), 0);
}

TEST_F(Placement, NoFreeCandidateInAGroup) {
  metti(100, kInizioRallentamento, 110);
  for (int64_t i : {87, 88, 89}) metti(i, kSegnale);
  piazza_codici(s);
  EXPECT_EQ(codici(), a_180({95, 82}));
  EXPECT_EQ(s.errori.errore_n(), 12);
  EXPECT_EQ(s.errori.errore_pos(), 100 * 50);
}

TEST_F(Placement, CodesInsideOnlyBelow110AndStepDOnlyAfterThem) {
  for (int16_t velocita : {109, 110}) {
    dimensiona(s, 20000);
    rallentamento(100, 120, velocita);
    metti(125, kSegnale);
    piazza_codici(s);
    auto attesi = a_180({95, 89, 82});
    if (velocita < 110) attesi.merge(a_180({108, 116, 124}));
    EXPECT_EQ(codici(), attesi) << "speed " << velocita;
  }
}

TEST_F(Placement, EighthCellTakenShiftsTheCodeAndTheCountWithIt) {
  rallentamento(100, 130, 60);
  metti(108, kSegnale);  // eighth cell: the code goes back one, to 107
  metti(114, kSegnale);
  metti(115, kSegnale);  // 8 after 107, and the cell before it: forward one, to 116
  piazza_codici(s);
  EXPECT_EQ(codici(), a_180({95, 89, 82, 107, 116, 124}));
  EXPECT_EQ(s.errori.errore_n(), 0);
}

TEST_F(Placement, EndCellAsTheEighthOrEarlier) {
  struct Caso {
    int64_t fine;
    std::initializer_list<int64_t> codici;
  };
  // A signal 5 cells after the end in each case.
  const Caso casi[] = {{108, {107, 112}}, {105, {109}}};
  for (const Caso& k : casi) {
    dimensiona(s, 20000);
    rallentamento(100, k.fine, 60);
    metti(k.fine + 5, kSegnale);
    piazza_codici(s);
    auto attesi = a_180({95, 89, 82});
    attesi.merge(a_180(k.codici));
    EXPECT_EQ(codici(), attesi) << "end cell " << k.fine;
  }
}

TEST_F(Placement, NoRoomAtAnEighthCellStopsTheCodesOfThatSlowDown) {
  rallentamento(100, 140, 60);
  for (int64_t i : {107, 108, 109}) metti(i, kSegnale);
  piazza_codici(s);
  EXPECT_EQ(codici(), a_180({95, 89, 82}));
  EXPECT_EQ(s.errori.errore_n(), 13);
  EXPECT_EQ(s.errori.errore_pos(), 108 * 50);
}

TEST_F(Placement, OnlyTheLaterOfTwoFailuresRemains) {
  metti(100, kInizioRallentamento, 110);
  for (int64_t i : {93, 94, 95}) metti(i, kSegnale);  // error 12 at 100
  metti(300, kAvvisoRallentamento);
  metti(290, kSegnale);
  metti(289, kIndicatoreVMax);
  metti(288, kIndicatoreVMax);  // error 11 at 290
  piazza_codici(s);
  EXPECT_EQ(s.errori.errore_n(), 11);
  EXPECT_EQ(s.errori.errore_pos(), 290 * 50);
  ASSERT_EQ(s.errori.voci().size(), 2u);
  EXPECT_EQ(s.errori.voci()[0].numero, 12);
}

TEST_F(Placement, NothingBeyondTheLastCell) {
  const int64_t u = s.n_celle;  // 540
  // A walk without an end cell stops at the last cell; a signal there is found.
  rallentamento(u - 10, u - 10, 60);
  metti(u, kSegnale);
  EXPECT_NO_THROW(piazza_codici(s));
  EXPECT_EQ(cella(s, u - 2).tipo, kCodice);
  EXPECT_EQ(cella(s, u - 1).tipo, kCodice);  // in front of the signal in the last cell

  // At an eighth step on the last cell the cell after it does not count.
  dimensiona(s, 20000);
  s.errori.azzera();
  metti(u - 8, kInizioRallentamento, 60);
  metti(u, kIndicatoreVMax);
  metti(u - 1, kIndicatoreVMax);
  EXPECT_NO_THROW(piazza_codici(s));
  EXPECT_EQ(s.errori.errore_n(), 13);
  EXPECT_EQ(s.errori.errore_pos(), u * 50);
}

TEST(PlacementOnTheScenario, BuiltInGridWithoutSlowDownsIsLeftAsItIs) {
  auto c = test::leggi_scenario();
  ASSERT_EQ(c->s.errori.errore_n(), 0);
  std::vector<Cella> prima = c->s.celle;
  piazza_codici(c->s);
  EXPECT_EQ(c->s.celle, prima);
  EXPECT_EQ(c->s.errori.errore_n(), 0);
}

}  // namespace
}  // namespace scenario
