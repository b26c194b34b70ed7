// The built-in line description compiled by the line half alone: the grid,
// the service entries and the track plan it leaves for the service half.

#include "compiler/line_parser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "io/file_names.h"
#include "io/memory_folder.h"
#include "sources/built_in_names.h"
#include "sources/dati_linea.h"
#include "support/texts.h"

namespace scenario {
namespace {

class BuiltInLine : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    stato_ = new RunState(test::stato_scenario());
    stato_->genera_linea = true;
    MemoryFolder folder;
    dati_linea(*stato_, folder);
    esito_ = leggi_linea(*stato_, folder);
    testo_rimasto_ = folder.exists(nome_testo_linea(kPercorsoNome));
  }
  static void TearDownTestSuite() { delete stato_; }

  const RunState& s() const { return *stato_; }
  const Cella& c(int i) const { return s().celle.at(size_t(i)); }

  static RunState* stato_;
  static EsitoLinea esito_;
  static bool testo_rimasto_;
};

RunState* BuiltInLine::stato_ = nullptr;
EsitoLinea BuiltInLine::esito_;
bool BuiltInLine::testo_rimasto_ = true;

TEST_F(BuiltInLine, ParsesWithoutErrorAndDeletesTheText) {
  EXPECT_EQ(s().errori.errore_n(), 0);
  EXPECT_TRUE(s().errori.vuoto());
  EXPECT_TRUE(esito_.prosegui);
  EXPECT_FALSE(testo_rimasto_);
}

TEST_F(BuiltInLine, GridSize) {
  EXPECT_EQ(s().lunghezza_estesa, 80500);
  EXPECT_EQ(s().n_celle, 1610);
  EXPECT_EQ(s().celle.size(), 1611u);
}

TEST_F(BuiltInLine, HeaderEntries) {
  auto triple = [&](int e) {
    const Voce& v = s().servizio[size_t(e)];
    return std::array<int32_t, 3>{v.inizio, v.fine, v.posizione};
  };
  EXPECT_EQ(triple(81), (std::array<int32_t, 3>{0, 71000, 0}));
  EXPECT_EQ(triple(82), (std::array<int32_t, 3>{0, 0, 0}));
  EXPECT_EQ(triple(83), (std::array<int32_t, 3>{0, 0, 0}));
  EXPECT_EQ(s().servizio[84].fine, 73500);
  EXPECT_EQ(triple(85), (std::array<int32_t, 3>{25000, 1, 18500}));
  EXPECT_EQ(triple(86), (std::array<int32_t, 3>{0, 71000, 4}));
}

TEST_F(BuiltInLine, GradientByCell) {
  const struct {
    int da, a, pendenza;
  } tratti[] = {{0, 59, 100},    {60, 105, 105},  {106, 135, 100},  {136, 145, 106}, {146, 239, 100}, {240, 283, 94},
                {284, 371, 100}, {372, 415, 105}, {416, 447, 100},  {448, 478, 105}, {479, 569, 100}, {570, 609, 95},
                {610, 659, 100}, {660, 709, 96},  {710, 1607, 100}, {1608, 1610, 0}};
  for (const auto& t : tratti)
    for (int i = t.da; i <= t.a; ++i) ASSERT_EQ(c(i).pendenza, t.pendenza) << "cell " << i;
}

TEST_F(BuiltInLine, Tunnels) {
  EXPECT_EQ(s().n_montagne, 3);
  EXPECT_EQ(s().montagne_inizio[1], 1300);
  EXPECT_EQ(s().montagne_fine[3], 23100);
  for (int i = 0; i <= 1610; ++i) {
    int atteso = (i >= 26 && i <= 321) ? 1 : (i >= 335 && i <= 372) || (i >= 444 && i <= 461) ? 2 : 0;
    ASSERT_EQ(c(i).montagna, atteso) << "cell " << i;
  }
}

TEST_F(BuiltInLine, KindOfEveryCell) {
  std::map<int, int> tipi;
  for (int i = 29; i <= 321; i += 4) tipi[i] = 11;
  for (int i : {447, 451, 455, 459}) tipi[i] = 11;
  for (int i :
       {21, 51, 171, 283, 289, 295, 433, 439, 445, 561, 641, 781, 911, 1031, 1137, 1143, 1149, 1257, 1339, 1345, 1351})
    tipi[i] = 6;  // the board at 14400 m replaces the marker of cell 289
  for (int i : {475, 487, 597, 1107, 1125, 1191, 1251, 1411}) tipi[i] = 14;
  int marcatori = 0;
  for (int i = 0; i <= 1610; ++i) {
    int atteso = tipi.count(i) ? tipi[i] : 0;
    ASSERT_EQ(c(i).tipo, atteso) << "cell " << i;
    marcatori += c(i).tipo == 11;
  }
  EXPECT_EQ(marcatori, 73 + 4);
}

TEST_F(BuiltInLine, SpeedLimitBoardValues) {
  const struct {
    int cella;
    int16_t v1, v2, v3, v4;
  } tabelle[] = {
      {21, 2222, 2323, 2424, 0}, {283, 2222, 2424, 2626, 22}, {289, 2222, 2424, 2626, 11}, {1351, 1818, 1919, 2020, 0}};
  for (const auto& t : tabelle) {
    EXPECT_EQ(c(t.cella).valore1, t.v1) << t.cella;
    EXPECT_EQ(c(t.cella).valore2, t.v2) << t.cella;
    EXPECT_EQ(c(t.cella).valore3, t.v3) << t.cella;
    EXPECT_EQ(c(t.cella).valore4, t.v4) << t.cella;
  }
}

TEST_F(BuiltInLine, IndicationBoardsTakeEntriesFromEightyDown) {
  const struct {
    int cella;
    const char* testo;
  } cartelli[] = {
      {475, "(Bivio alta      )(velocit\xE0        )(Valmora-Fornella)"},
      {487, "(Viadotto di 20 m)(di altezza fino )(a Pelto         )"},
      {597, "(Ricongiungimento)(con la linea da )(Ravola          )"},
      {1107, "(Ricongiungimento)(con linea da    )(Torre Calvinetta)"},
      {1125, "(Ricongiungimento)(con la linea da )(Lerano Centrale )"},
      {1191, "(Bivio        )(Valle Brumina)(Belvastro    )"},
      {1251, "(Bivio      )(scalo merci)(Felcianico )"},
      {1411, "(Ricongiungimento)(con la linea da )(Belvastro       )"},
  };
  int voce = 80;
  for (const auto& k : cartelli) {
    EXPECT_EQ(c(k.cella).valore1, voce) << k.cella;
    EXPECT_EQ(s().servizio[size_t(voce)].testo, k.testo) << voce;
    --voce;
  }
  EXPECT_EQ(esito_.prossima_voce_cartello, 72);
  EXPECT_EQ(s().servizio[72].testo, "");
}

TEST_F(BuiltInLine, TrackPlan) {
  const auto& x = s().planimetria.coordinata[0];
  const auto& y = s().planimetria.coordinata[1];
  ASSERT_EQ(x.size(), 80501u);
  ASSERT_EQ(y.size(), 80501u);
  for (int p : {0, 1}) {
    EXPECT_EQ(x[size_t(p)].tag, ValorePiano::kIntero);
    EXPECT_EQ(x[size_t(p)].intero(), 0);
    EXPECT_EQ(y[size_t(p)].tag, ValorePiano::kIntero);
    EXPECT_EQ(y[size_t(p)].intero(), p);
  }
  for (size_t p = 2; p <= 80498; ++p) {
    ASSERT_EQ(x[p].tag, ValorePiano::kDoppio) << p;
    ASSERT_EQ(y[p].tag, ValorePiano::kDoppio) << p;
  }
  for (size_t p : {80499u, 80500u}) {
    EXPECT_TRUE(x[p].vuoto()) << p;
    EXPECT_TRUE(y[p].vuoto()) << p;
  }
  EXPECT_EQ(x[2500].doppio(), 0.0);
  EXPECT_EQ(y[2500].doppio(), 2500.0);
  EXPECT_NEAR(x[3100].doppio(), -18.02, 0.005);
  EXPECT_NEAR(y[3100].doppio(), 3099.64, 0.005);
  EXPECT_NEAR(x[80498].doppio(), 1471.3, 0.05);
  EXPECT_NEAR(y[80498].doppio(), 77960.1, 0.05);
  double passo = std::hypot(x[80498].doppio() - x[80497].doppio(), y[80498].doppio() - y[80497].doppio());
  EXPECT_NEAR(passo, 1.0006, 0.00005);
}

}  // namespace
}  // namespace scenario
