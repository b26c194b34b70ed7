#include "model/numbers.h"

#include <gtest/gtest.h>

#include "model/access.h"

namespace scenario {
namespace {

TEST(Nearest, HalvesGoToTheEvenNeighbour) {
  const struct {
    double x;
    int64_t atteso;
  } casi[] = {{0.5, 0},   {1.5, 2},  {2.5, 2},  {3.5, 4},    {-0.5, 0},     {-1.5, -2},
              {-2.5, -2}, {0.49, 0}, {0.51, 1}, {-0.51, -1}, {1610.0, 1610}};
  for (const auto& c : casi) EXPECT_EQ(nearest(c.x), c.atteso) << c.x;
}

TEST(Nearest, ObjectAndRunCellsOfAPosition) {
  const struct {
    int64_t posizione, oggetto, corsa;
  } casi[] = {{0, 1, 0}, {25, 2, 0}, {75, 2, 2}, {125, 4, 2}, {500, 11, 10}, {1000, 21, 20}};
  for (const auto& c : casi) {
    EXPECT_EQ(cella_oggetto(c.posizione), c.oggetto) << c.posizione;
    EXPECT_EQ(cella_corsa(c.posizione), c.corsa) << c.posizione;
  }
}

TEST(NarrowStores, IntegersKeepTheirLowBits) {
  EXPECT_EQ(basso16(70000), 4464);
  EXPECT_EQ(basso16(32768), -32768);
  EXPECT_EQ(basso16(-1), -1);
  EXPECT_EQ(basso8(356), 100);  // gradient 256 stored as 256 + 100
  EXPECT_EQ(basso8(94), 94);    // gradient -6
  EXPECT_EQ(basso8(-1), 255);   // gradient -101
}

TEST(NarrowStores, RoundedDoublesOutOfTheMemberAreAFault) {
  EXPECT_EQ(a_integer(32767.4), 32767);
  EXPECT_EQ(a_integer(-32768.5), -32768);
  EXPECT_THROW(a_integer(32767.5), GuastoEsecuzione);  // rounds to 32768
  EXPECT_EQ(a_byte(-0.5), 0);
  EXPECT_EQ(a_byte(255.4), 255);
  EXPECT_THROW(a_byte(255.5), GuastoEsecuzione);
  EXPECT_THROW(a_byte(-0.6), GuastoEsecuzione);
  EXPECT_THROW(a_long(2147483648.0), GuastoEsecuzione);
}

TEST(FreeCell, OnlyPlainTrackAndTunnelMarkers) {
  for (int tipo = 0; tipo <= 14; ++tipo) EXPECT_EQ(cella_libera(uint8_t(tipo)), tipo == 0 || tipo == 11) << tipo;
}

TEST(Dimensioning, RouteLengthGivesGridAndPlan) {
  RunState s;
  s.genera_linea = true;
  dimensiona(s, 73500);
  EXPECT_EQ(s.lunghezza_estesa, 80500);
  EXPECT_EQ(s.n_celle, 1610);
  ASSERT_EQ(s.celle.size(), 1611u);
  for (const Cella& c : s.celle) ASSERT_EQ(c, Cella{});
  for (const auto& asse : s.planimetria.coordinata) {
    ASSERT_EQ(asse.size(), 80501u);
    for (const ValorePiano& v : asse) ASSERT_TRUE(v.vuoto());
  }
}

TEST(Dimensioning, WithoutThePlanFlagThereIsNoPlan) {
  RunState s;
  s.genera_linea = false;
  dimensiona(s, 1000);
  EXPECT_EQ(s.celle.size(), 161u);
  EXPECT_TRUE(s.planimetria.vuota());
}

TEST(Dimensioning, AGridWithoutCellOneIsRefused) {
  for (int64_t lunghezza : {int64_t(-6990), int64_t(-7000), int64_t(-8000), int64_t(INT32_MIN)}) {
    RunState s;
    s.genera_linea = true;
    EXPECT_THROW(dimensiona(s, lunghezza), GuastoEsecuzione) << lunghezza;
    EXPECT_TRUE(s.celle.empty()) << lunghezza;
  }
  RunState s;
  dimensiona(s, -6950);  // 50 m: cells 0 and 1
  EXPECT_EQ(s.n_celle, 1);
}

TEST(CheckedAccess, IndicesOutsideTheStructuresAreRefused) {
  RunState s;
  s.genera_linea = true;
  dimensiona(s, 1000);  // cells 0 to 160, plan 0 to 8000
  EXPECT_NO_THROW(cella(s, 160));
  EXPECT_THROW(cella(s, 161), GuastoEsecuzione);
  EXPECT_THROW(cella(s, -1), GuastoEsecuzione);
  EXPECT_NO_THROW(voce(s, 86));
  EXPECT_THROW(voce(s, 87), GuastoEsecuzione);
  EXPECT_NO_THROW(punto(s, 8000, 1));
  EXPECT_THROW(punto(s, 8001, 0), GuastoEsecuzione);
}

}  // namespace
}  // namespace scenario
