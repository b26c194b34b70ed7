#include <gtest/gtest.h>

#include "compiler/service_parser.h"
#include "model/access.h"
#include "support/service_fixtures.h"

namespace scenario {
namespace {

using test::compila;
using test::leggi;
using test::leggi_scenario;
using test::stazione;
using test::testo_linea;
using test::testo_servizio;

// A route of 10000 m: cells 0 to 340.
const std::string kLinea = testo_linea(10000);

struct Tratto {
  int64_t da, a;
  int valore;
};

TEST(ServiceParser, BuiltInContentGivesTheWorkedFigures) {
  auto c = leggi_scenario();
  EXPECT_EQ(c->s.errori.errore_n(), 0);
  EXPECT_TRUE(c->s.errori.vuoto());
  EXPECT_FALSE(c->resta_servizio());
  ASSERT_EQ(c->s.n_celle, 1610);

  for (Tratto t : std::vector<Tratto>{{0, 19, 7}, {20, 49, 25}, {50, 293, 31}, {1350, 1607, 21}, {1608, 1610, 0}})
    for (int64_t i = t.da; i <= t.a; ++i) ASSERT_EQ(c->cella(i).vel_limite, t.valore) << "cell " << i;
  for (Tratto t : std::vector<Tratto>{{0, 419, 90}, {420, 619, 80}, {620, 1607, 100}, {1608, 1610, 0}})
    for (int64_t i = t.da; i <= t.a; ++i) ASSERT_EQ(c->cella(i).aderenza, t.valore) << "cell " << i;

  const Cella& segnale = c->cella(63);
  EXPECT_EQ(segnale.tipo, 1);
  EXPECT_EQ(segnale.valore1, 44);
  EXPECT_EQ(segnale.valore2, 0);
  EXPECT_EQ(segnale.valore3, 0);
  EXPECT_EQ(segnale.valore4, 8);
  EXPECT_EQ(segnale.tempo, 0);
  EXPECT_EQ(c->cella(61).avviso, 81);
  EXPECT_EQ(c->cella(59).avviso, 82);
  EXPECT_EQ(c->cella(57).avviso, 83);
  EXPECT_EQ(c->cella(55).avviso, 84);

  const Voce& prima = c->voce(1);
  EXPECT_EQ(prima.tipo, 8);
  EXPECT_EQ(prima.posizione, 0);
  EXPECT_EQ(prima.inizio, -700);
  EXPECT_EQ(prima.fine, 700);
  EXPECT_EQ(prima.orario, 9540);
  EXPECT_EQ(prima.testo, "Valmora");
  for (int b = 1; b <= 4; ++b) EXPECT_EQ(c->cella(13 - b).avviso, 80 + b) << "mark " << b;
  EXPECT_EQ(c->cella(13).tipo, 10);
  EXPECT_EQ(c->cella(13).valore1, 1);

  EXPECT_EQ(c->cella(0).tipo, 12);
  EXPECT_EQ(c->cella(0).valore1, 270);
  EXPECT_EQ(c->cella(305).tipo, 13);

  EXPECT_EQ(c->voce(84).inizio, 120);
  EXPECT_EQ(c->voce(84).posizione, 10);
  EXPECT_EQ(c->voce(86).campo7, 0);
  EXPECT_EQ(c->voce(86).campo10, 2);
  EXPECT_EQ(c->voce(86).campo11, 37);
  EXPECT_EQ(c->voce(86).campo12, 30);
}

TEST(ServiceParser, StationAreasFollowTheirType) {
  auto c = leggi(kLinea, testo_servizio({
                             stazione(1000, 11, 400, "Prima", 1),  // first: flag lengthens, then cleared
                             stazione(2500, 28, 300, "Bivio"),
                             stazione(4000, 5, 400, "Fermata"),
                             stazione(6000, 7, 300, "Scalo"),
                             "stazione, 8000, 11, 600, 1, 1, 1, 7,8,9, 10,11,12, 13, 1, 2, 3, Ultima",
                         }));
  ASSERT_EQ(c->s.errori.errore_n(), 0);

  // Ordinary type, first station: the sixth value still adds 50 m.
  EXPECT_EQ(c->voce(1).inizio, 800);
  EXPECT_EQ(c->voce(1).fine, 1250);
  EXPECT_EQ(c->voce(1).campo6, 0);
  EXPECT_EQ(c->cella(24).tipo, 10);
  EXPECT_EQ(c->cella(24).valore1, 1);
  EXPECT_EQ(c->cella(23).avviso, 81);
  EXPECT_EQ(c->cella(20).avviso, 84);

  // Type 28: area only, no cell touched.
  EXPECT_EQ(c->voce(2).inizio, 2350);
  EXPECT_EQ(c->voce(2).fine, 2650);
  for (int64_t i = 45; i <= 55; ++i) {
    EXPECT_EQ(c->cella(i).tipo, 0) << "cell " << i;
    EXPECT_EQ(c->cella(i).avviso, 0) << "cell " << i;
  }

  // Type 5: the station mark, no approach marks; its area ends 150 m on.
  EXPECT_EQ(c->voce(3).inizio, 3600);
  EXPECT_EQ(c->voce(3).fine, 4150);
  EXPECT_EQ(c->cella(82).tipo, 10);
  EXPECT_EQ(c->cella(82).valore1, 3);
  for (int64_t i = 76; i <= 81; ++i) EXPECT_EQ(c->cella(i).avviso, 0) << "cell " << i;

  // Type 7: the length on both sides.
  EXPECT_EQ(c->voce(4).inizio, 5700);
  EXPECT_EQ(c->voce(4).fine, 6300);
  EXPECT_EQ(c->cella(125).valore1, 4);

  // Every value carried, the flags kept, the time of day in seconds.
  const Voce& u = c->voce(5);
  EXPECT_EQ(u.inizio, 7700);
  EXPECT_EQ(u.fine, 8350);
  EXPECT_EQ(u.campo4, 1);
  EXPECT_EQ(u.campo5, 1);
  EXPECT_EQ(u.campo6, 1);
  EXPECT_EQ(u.campo7, 7);
  EXPECT_EQ(u.campo8, 8);
  EXPECT_EQ(u.campo9, 9);
  EXPECT_EQ(u.campo10, 10);
  EXPECT_EQ(u.campo11, 11);
  EXPECT_EQ(u.campo12, 12);
  EXPECT_EQ(u.campo13, 13);
  EXPECT_EQ(u.orario, 3723);
  EXPECT_EQ(u.testo, "Ultima");
}

TEST(ServiceParser, ShortStationLosesItsFifthValue) {
  auto c = leggi(kLinea, testo_servizio({
                             stazione(1000, 11, 400),
                             "stazione, 3000, 11, 500, 0, 1, 0, 0,0,0, 0,0,0, 0, 0, 0, 0, Corta",
                             "stazione, 5000, 11, 600, 0, 1, 0, 0,0,0, 0,0,0, 0, 0, 0, 0, Lunga",
                         }));
  ASSERT_EQ(c->s.errori.errore_n(), 0);
  EXPECT_EQ(c->voce(2).campo5, 0);
  EXPECT_EQ(c->voce(3).campo5, 1);
}

TEST(ServiceParser, StationsMustStandAtLeast350MetresApart) {
  // The first area ends at 1200; the next begins 300 or 350 m later.
  auto vicina = leggi(kLinea, testo_servizio({stazione(1000, 11, 400), stazione(1700, 11, 400)}));
  EXPECT_EQ(vicina->s.errori.errore_n(), 22);
  EXPECT_EQ(vicina->s.errori.errore_pos(), 1700);

  auto lontana = leggi(kLinea, testo_servizio({stazione(1000, 11, 400), stazione(1750, 11, 400)}));
  EXPECT_EQ(lontana->s.errori.errore_n(), 0);
  EXPECT_EQ(lontana->voce(2).inizio, 1550);
}

TEST(ServiceParser, EightBoardsLeaveRoomForSeventyStations) {
  std::vector<std::string> record;
  for (int k = 0; k < 71; ++k) record.push_back(stazione(1000 + 500 * k, 30, 100, "S" + std::to_string(k + 1)));
  auto c = leggi(testo_linea(40000, test::cartelli(8)), testo_servizio(record));
  EXPECT_EQ(c->s.errori.errore_n(), 10);
  EXPECT_EQ(c->s.errori.errore_pos(), test::kPosizioneIntatta);
  EXPECT_EQ(c->voce(70).testo, "S70");
  EXPECT_EQ(c->voce(71).testo, "S71");  // written, then refused
  EXPECT_EQ(c->voce(72), Voce{});
  EXPECT_EQ(c->voce(73).testo, "(board 7)");

  record.pop_back();
  auto settanta = leggi(testo_linea(40000, test::cartelli(8)), testo_servizio(record));
  EXPECT_EQ(settanta->s.errori.errore_n(), 0);
}

TEST(ServiceParser, EightyBoardsLeaveNoRoomForAStation) {
  auto c = leggi(testo_linea(10000, test::cartelli(80)), testo_servizio({stazione(9000, 11, 400, "Nuova")}));
  EXPECT_EQ(c->s.errori.errore_n(), 10);
  EXPECT_EQ(c->voce(1).testo, "(board 79)");
  EXPECT_EQ(c->voce(1).posizione, 0);
  EXPECT_EQ(c->cella(183).tipo, 0);
  EXPECT_EQ(c->cella(182).avviso, 0);
}

TEST(ServiceParser, SignalValuesAndTime) {
  struct Caso {
    const char* record;
    int64_t cella;
    int16_t v1, v2, v3, v4;
    uint8_t tempo, avviso;
  };
  const Caso casi[] = {
      {"segnale, 1000, 2, 5, 6, 7, 1, 2, 2, 1, 3, 0", 21, 52, 61, 73, 18, 0, 81},
      {"segnale, 2000, 2, 4, 0, 0, 0, 2, 4, 0, 0, 50", 41, 44, 0, 0, 8, 101, 81},
      {"segnale, 3000, 2, 4, 0, 0, 0, 2, 4, 0, 0, 100", 61, 44, 0, 0, 8, 101, 81},
      {"segnale, 4000, 2, 4, 0, 0, 0, 2, 4, 0, 0, 150", 81, 44, 0, 0, 8, 150, 81},
      {"segnale, 5000, 2, 4, 0, 0, 0, 2, 4, 0, 0, 300", 101, 44, 0, 0, 8, 44, 81},
      {"segnale, 6000, 1, 4, 0, 0, 0, 0, 4, 0, 0, 50", 121, 44, 0, 0, 3, 0, 31},
      {"segnale, 7000, 0, 3, 0, 0, 2, 1, 1, 0, 0, 0", 141, 31, 0, 0, 21, 0, 11},
  };
  std::vector<std::string> record;
  for (const Caso& k : casi) record.push_back(k.record);
  auto c = leggi(kLinea, testo_servizio(record));
  ASSERT_EQ(c->s.errori.errore_n(), 0);
  for (const Caso& k : casi) {
    const Cella& s = c->cella(k.cella);
    EXPECT_EQ(s.tipo, 1) << k.record;
    EXPECT_EQ(s.valore1, k.v1) << k.record;
    EXPECT_EQ(s.valore2, k.v2) << k.record;
    EXPECT_EQ(s.valore3, k.v3) << k.record;
    EXPECT_EQ(s.valore4, k.v4) << k.record;
    EXPECT_EQ(s.tempo, k.tempo) << k.record;
    for (int b = 1; b <= 4; ++b) EXPECT_EQ(c->cella(k.cella - 2 * b).avviso, k.avviso + b - 1) << k.record;
  }
}

TEST(ServiceParser, SignalInCellEightMarksDownToCellZero) {
  auto c = leggi(kLinea, testo_servizio({"segnale, 350, 2, 4, 0, 0, 0, 2, 4, 0, 0, 0"}));
  ASSERT_EQ(c->s.errori.errore_n(), 0);
  EXPECT_EQ(c->cella(8).tipo, 1);
  EXPECT_EQ(c->cella(6).avviso, 81);
  EXPECT_EQ(c->cella(0).avviso, 84);
}

TEST(ServiceParser, SignalOnATunnelMarkerIsStored) {
  // Tunnel type 11 from 0: markers every fourth cell from cell 3, so cell 63 is one.
  auto c = leggi(testo_linea(10000, {"montagna, 0, 5000, 11"}),
                 testo_servizio({"segnale, 3100, 2, 4, 0, 0, 0, 2, 4, 0, 0, 0"}));
  ASSERT_EQ(c->s.errori.errore_n(), 0);
  EXPECT_EQ(c->cella(59).tipo, 11);
  EXPECT_EQ(c->cella(63).tipo, 1);
}

TEST(ServiceParser, SlowDownCellsAndWarningSequence) {
  auto c = leggi(kLinea,
                 testo_servizio({"rallentamento, 1550, 60, 500, 2, 1, 7", "rallentamento, 6000, 30, 1000, 4, 1, 0"}));
  ASSERT_EQ(c->s.errori.errore_n(), 0);
  struct Atteso {
    int64_t cella;
    uint8_t tipo;
    int16_t v1, v2, v3;
  };
  const Atteso attese[] = {
      {8, 4, 60, 7, 0},   {32, 3, 60, 7, 2}, {42, 2, 60, 7, 2}, {7, 5, 1, 1, 0},   {6, 5, 2, 2, 0},
      {5, 5, 3, 3, 0},    {4, 5, 4, 4, 0},   {3, 0, 0, 0, 0},   {97, 4, 30, 0, 0}, {121, 3, 30, 0, 4},
      {141, 2, 30, 0, 4}, {96, 5, 1, 0, 0},  {93, 5, 4, 0, 0},  {92, 0, 0, 0, 0},
  };
  for (const Atteso& a : attese) {
    const Cella& k = c->cella(a.cella);
    EXPECT_EQ(k.tipo, a.tipo) << "cell " << a.cella;
    EXPECT_EQ(k.valore1, a.v1) << "cell " << a.cella;
    EXPECT_EQ(k.valore2, a.v2) << "cell " << a.cella;
    EXPECT_EQ(k.valore3, a.v3) << "cell " << a.cella;
  }
}

// Off the 50 m step the warning cell, the start, the end and the four cells
// of the warning sequence each round on their own, halves to even.
TEST(ServiceParser, SlowDownsOffTheStepRoundEachCell) {
  struct Caso {
    int32_t posizione;
    int64_t avviso, inizio, fine, sequenza;  // sequenza: the first of four, counting down
  };
  const Caso casi[] = {{1610, 9, 33, 43, 8}, {1625, 10, 34, 44, 8}, {2085, 19, 43, 53, 18}};
  for (const Caso& k : casi) {
    SCOPED_TRACE(k.posizione);
    auto c = leggi(kLinea, testo_servizio({"rallentamento, " + std::to_string(k.posizione) + ", 60, 500, 0, 1, 0"}));
    ASSERT_EQ(c->s.errori.errore_n(), 0);
    EXPECT_EQ(c->cella(k.avviso).tipo, 4);
    EXPECT_EQ(c->cella(k.inizio).tipo, 3);
    EXPECT_EQ(c->cella(k.fine).tipo, 2);
    for (int n = 0; n < 4; ++n) {
      EXPECT_EQ(c->cella(k.sequenza - n).tipo, 5) << "sequence cell " << n;
      EXPECT_EQ(c->cella(k.sequenza - n).valore1, n + 1) << "sequence cell " << n;
    }
    EXPECT_EQ(c->cella(k.sequenza - 4).tipo, 0);
  }
}

TEST(ServiceParser, SlowDownAt1500HasNoWarning) {
  auto c = leggi(kLinea, testo_servizio({"rallentamento, 1500, 60, 500, 0, 1, 0"}));
  ASSERT_EQ(c->s.errori.errore_n(), 0);
  EXPECT_EQ(c->cella(31).tipo, 3);
  EXPECT_EQ(c->cella(41).tipo, 2);
  for (int64_t i = 0; i <= 30; ++i) EXPECT_EQ(c->cella(i).tipo, 0) << "cell " << i;
}

TEST(ServiceParser, CodeSteps) {
  auto c = leggi(kLinea, testo_servizio({"abbattimento, 0, 270", "abbattimento, 500, AC", "abbattimento, 1000, -5",
                                         "abbattimento, 1500, 0", "abbattimento, 2000, 70000"}));
  ASSERT_EQ(c->s.errori.errore_n(), 0);
  EXPECT_EQ(c->cella(0).tipo, 12);
  EXPECT_EQ(c->cella(0).valore1, 270);
  EXPECT_EQ(c->cella(10).tipo, 13);
  EXPECT_EQ(c->cella(20).tipo, 13);
  EXPECT_EQ(c->cella(30).tipo, 13);
  EXPECT_EQ(c->cella(40).tipo, 12);
  EXPECT_EQ(c->cella(40).valore1, 4464);  // the low 16 bits of 70000
}

TEST(ServiceParser, SpeedAndAdhesionRuns) {
  auto c = leggi(kLinea, testo_servizio({
                             "velocita, 0, 50",
                             "velocita, 500, 100",
                             "velocita, 500, 150",  // same place: still one cell with 100
                             "aderenza, 0, 300",    // kept as its low byte
                             "aderenza, 1000, 70",
                         }));
  ASSERT_EQ(c->s.errori.errore_n(), 0);
  for (int64_t i = 0; i <= 9; ++i) EXPECT_EQ(c->cella(i).vel_limite, 10) << "cell " << i;
  EXPECT_EQ(c->cella(10).vel_limite, 20);
  EXPECT_EQ(c->cella(11).vel_limite, 30);
  EXPECT_EQ(c->cella(337).vel_limite, 30);
  EXPECT_EQ(c->cella(338).vel_limite, 0);
  EXPECT_EQ(c->cella(19).aderenza, 44);
  EXPECT_EQ(c->cella(20).aderenza, 70);
  EXPECT_EQ(c->cella(337).aderenza, 70);
  EXPECT_EQ(c->cella(338).aderenza, 0);
}

TEST(ServiceParser, FirstRunsBeyondZeroStartFromZero) {
  auto c = leggi(kLinea, testo_servizio({"velocita, 500, 100", "aderenza, 500, 70"}));
  ASSERT_EQ(c->s.errori.errore_n(), 0);
  EXPECT_EQ(c->cella(9).vel_limite, 0);
  EXPECT_EQ(c->cella(9).aderenza, 0);
  EXPECT_EQ(c->cella(10).vel_limite, 20);
  EXPECT_EQ(c->cella(10).aderenza, 70);
}

TEST(ServiceParser, SpeedBeyondTheGridEndsTheParseAndFillsWithThePreviousSpeed) {
  auto c = leggi(kLinea, testo_servizio({"velocita, 0, 50", "velocita, 1000, 100", "velocita, 16950, 150",
                                         "segnale, 3100, 2, 4, 0, 0, 0, 2, 4, 0, 0, 0"}));
  EXPECT_EQ(c->s.errori.errore_n(), 15);
  EXPECT_EQ(c->s.errori.errore_pos(), 16950);
  EXPECT_FALSE(c->resta_servizio());
  EXPECT_EQ(c->cella(19).vel_limite, 10);
  EXPECT_EQ(c->cella(20).vel_limite, 20);
  EXPECT_EQ(c->cella(337).vel_limite, 20);
  EXPECT_EQ(c->cella(63).tipo, 0);

  // 16900 m is the last position in range.
  auto ultima = leggi(kLinea, testo_servizio({"velocita, 0, 50", "velocita, 16900, 100"}));
  EXPECT_EQ(ultima->s.errori.errore_n(), 0);
  EXPECT_EQ(ultima->cella(337).vel_limite, 10);
  EXPECT_EQ(ultima->cella(338).vel_limite, 20);  // the closing fill writes at least one cell
}

TEST(ServiceParser, NoGeneralSectionStoresNothing) {
  auto c = leggi(kLinea, test::testo_di({"velocita, 0, 50", "segnale, 3100, 2, 4, 0, 0, 0, 2, 4, 0, 0, 0",
                                         "stazione, 1000, 11, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X", "[fine]"}));
  EXPECT_EQ(c->s.errori.errore_n(), 0);
  EXPECT_FALSE(c->resta_servizio());
  EXPECT_EQ(c->cella(0).vel_limite, 0);
  EXPECT_EQ(c->cella(63).tipo, 0);
  EXPECT_EQ(c->voce(1), Voce{});
}

TEST(ServiceParser, SkipsAtMostTwoCommentFields) {
  auto due = leggi(kLinea, testo_servizio({"-- nota --", "---", "numero vetture, 7"}));
  EXPECT_EQ(due->voce(84).posizione, 7);

  // The third field in a row is tested as a keyword, hyphen or not.
  auto tre = leggi(kLinea, testo_servizio({"-", "-", "- vetture, 9", "sabbia, 4"}));
  EXPECT_EQ(tre->voce(84).posizione, 9);
  EXPECT_EQ(tre->voce(86).campo7, 4);

  auto una = leggi(kLinea, testo_servizio({"numero-vetture, 5", "sabbia, 4"}));
  EXPECT_EQ(una->voce(84).posizione, 0);
  EXPECT_EQ(una->voce(86).campo7, 4);
}

TEST(ServiceParser, KeywordsAreFoundInsideTheFieldWhateverTheCase) {
  auto c = leggi(kLinea, testo_servizio({"Massa FRENATA in percentuale, 95", "ORA OROLOGIO, 1 2 3"}));
  EXPECT_EQ(c->voce(84).inizio, 95);
  EXPECT_EQ(c->voce(86).campo10, 1);
  EXPECT_EQ(c->voce(86).campo11, 2);
  EXPECT_EQ(c->voce(86).campo12, 3);
}

TEST(ServiceParser, LineErrorFifteenEndsTheServiceAtItsFirstSignal) {
  auto c = leggi(testo_linea(10000, {"pendenza, 20000, 3"}),
                 testo_servizio({"velocita, 0, 50", stazione(1000, 11, 400),
                                 "segnale, 3100, 2, 4, 0, 0, 0, 2, 4, 0, 0, 0", "abbattimento, 4000, 270"}));
  EXPECT_EQ(c->s.errori.errore_n(), 15);
  EXPECT_EQ(c->s.errori.errore_pos(), 3100);
  EXPECT_FALSE(c->resta_servizio());
  EXPECT_EQ(c->voce(1).posizione, 1000);
  EXPECT_EQ(c->cella(63).tipo, 1);  // stored before the parser looked
  EXPECT_EQ(c->cella(80).tipo, 0);
  EXPECT_EQ(c->cella(0).vel_limite, 0);  // no end-of-parse fills
}

TEST(ServiceParser, KilometrePostsOffTheFiftyMetreStepGiveErrorTwoAfterAFifteen) {
  std::string linea = test::testo_di(
      {"[generale]", "lunghezza percorso, 10000", "progressiva chilometrica uno, 0, 75, 0", "[x]", "[fine]"});
  auto c = leggi(linea, testo_servizio({"velocita, 0, 50", "velocita, 20000, 100"}));
  EXPECT_EQ(c->s.errori.errore_n(), 2);
  EXPECT_EQ(c->s.errori.errore_pos(), 20000);
  EXPECT_EQ(c->cella(337).vel_limite, 10);
}

}  // namespace
}  // namespace scenario
