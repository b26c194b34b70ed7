// Every error number the run can record or show, each with a small input
// that triggers it, run through the whole program: the number and position
// recorded, the files left in the folder and the exit status. The edges
// around each number (the last value accepted, the order of the tests, what
// is stored before the error) are in the line and service error tables and
// the code placement tests; the fixtures here use the same small texts.

#include <gtest/gtest.h>

#include "model/errors.h"
#include "support/service_fixtures.h"
#include "support/whole_run.h"

namespace scenario {
namespace {

using test::kPosizioneIntatta;
using test::stazione;
using test::testo_linea;
using test::testo_servizio;
using Righe = std::vector<std::string>;

// A speed-limit board: it occupies the cell of its position.
std::string tabella(int posizione) {
  return "indicatori_vmax, " + std::to_string(posizione) + ", 110, 115, 120, 0, 110, 115, 120, 0";
}
// Boards on the cells `prima` to `ultima`.
Righe tabelle_sulle_celle(int prima, int ultima) {
  Righe r;
  for (int c = prima; c <= ultima; ++c) r.push_back(tabella((c - 1) * 50));
  return r;
}
std::string segnale(int posizione) { return "segnale, " + std::to_string(posizione) + ", 2, 4,0,0, 0, 2, 4,0,0, 0"; }
// A slow-down at x: warning cell (x - 1200) / 50 + 1, start x / 50 + 1, end (x + l) / 50 + 1.
std::string rallentamento(int x, int v, int l, int f_ta, int d_v = 0) {
  return "rallentamento, " + std::to_string(x) + ", " + std::to_string(v) + ", " + std::to_string(l) + ", 0, " +
         std::to_string(f_ta) + ", " + std::to_string(d_v);
}

enum class Servizio { kEliminato, kResta };

struct CasoErrore {
  const char* nome;
  std::optional<std::string> linea;     // nullopt: no line text
  std::optional<std::string> servizio;  // nullopt: no service text
  int32_t errore_n;
  int32_t errore_pos;  // kPosizioneIntatta: the error sets no position
  Servizio resta_servizio;
  int stato;  // 0, 1 (no binary file written), 2 (written from what was read)
  const char* riquadro = nullptr;
};

const std::string kServizioVuoto = testo_servizio({});
// A level route of 5000 m: cells 0 to 240.
std::string linea(const Righe& record) { return testo_linea(5000, record); }
std::string servizio(const Righe& record) { return testo_servizio(record); }

const std::vector<CasoErrore>& casi() {
  static const std::vector<CasoErrore> c = {
      {"E1_RouteLengthAboveOneMillion", test::testo_di({"[generale]", "lunghezza percorso, 1000001", "[fine]"}),
       kServizioVuoto, 1, kPosizioneIntatta, Servizio::kResta, 1, " Errore n. 1"},
      {"E2_KilometrePostOffFifty",
       test::testo_di({"[generale]", "lunghezza percorso, 5000", "progressiva chilometrica uno, 0, 4025, 0", "[fine]"}),
       kServizioVuoto, 2, kPosizioneIntatta, Servizio::kEliminato, 2},
      {"E3_RepetitionStartOffFifty",
       test::testo_di({"[generale]", "lunghezza percorso, 5000", "ripetizione segnali 4 codici, 25, 1000", "[fine]"}),
       kServizioVuoto, 3, kPosizioneIntatta, Servizio::kResta, 2},
      {"E4_RepetitionEndOffFifty",
       test::testo_di({"[generale]", "lunghezza percorso, 5000", "ripetizione segnali 4 codici, 0, 1010", "[fine]"}),
       kServizioVuoto, 4, kPosizioneIntatta, Servizio::kResta, 2},
      {"E5_RepetitionNamesNeither4Nor9",
       test::testo_di({"[generale]", "lunghezza percorso, 5000", "ripetizione segnali codici, 0, 1000", "[fine]"}),
       kServizioVuoto, 5, kPosizioneIntatta, Servizio::kResta, 2},
      {"E6_IndicationBoardOnOccupiedCell", linea({tabella(1000), "cartello_indicatore, 1000, (t)"}), kServizioVuoto, 6,
       1000, Servizio::kResta, 2},
      {"E7_CodeStepOnOccupiedCell", linea({}), servizio({segnale(1000), "abbattimento, 1050, 270"}), 7, 1050,
       Servizio::kEliminato, 2},
      {"E8_StationOffFifty", linea({}), servizio({stazione(1025, 11, 400)}), 8, 1025, Servizio::kEliminato, 2},
      {"E9_StationLengthOffHundred", linea({}), servizio({stazione(1000, 11, 650)}), 9, 1000, Servizio::kEliminato, 2},
      // 79 board texts take entries 80 down to 2: one station fits, and that ends the room.
      {"E10_StationsReachTheBoardTexts", testo_linea(10000, test::cartelli(79)), servizio({stazione(1000, 11, 400)}),
       10, kPosizioneIntatta, Servizio::kEliminato, 2},
      // Signal in cell 41, boards in 39 and 40, slow-down warning in cell 45.
      {"E11_NoRoomInFrontOfSignal", linea(tabelle_sulle_celle(39, 40)),
       servizio({segnale(2000), rallentamento(3400, 120, 500, 0)}), 11, 41 * 50, Servizio::kEliminato, 2},
      // Start in cell 69; its first group, cells 62 to 64, all boards.
      {"E12_NoFreeCellBeforeSlowDownStart", linea(tabelle_sulle_celle(62, 64)),
       servizio({rallentamento(3400, 120, 500, 0)}), 12, 69 * 50, Servizio::kEliminato, 2},
      // Start in cell 69, speed below 110: the eighth step, cell 77, and both neighbours are boards.
      {"E13_NoFreeCellInsideSlowDown", linea(tabelle_sulle_celle(76, 78)), servizio({rallentamento(3400, 60, 1000, 0)}),
       13, 77 * 50, Servizio::kEliminato, 2},
      {"E15_RecordBeyondTheGrid", linea({"pendenza, 11950, 1"}), kServizioVuoto, 15, 11950, Servizio::kEliminato, 2},
      {"E16_SignalOnOccupiedCell", linea({tabella(1000)}), servizio({segnale(1000)}), 16, 1000, Servizio::kEliminato,
       2},
      {"E17_SlowDownWarningOccupied", linea({tabella(2200)}), servizio({rallentamento(3400, 60, 500, 0)}), 17, 3400,
       Servizio::kEliminato, 2},
      {"E18_SlowDownStartOccupied", linea({tabella(3400)}), servizio({rallentamento(3400, 60, 500, 0)}), 18, 3400,
       Servizio::kEliminato, 2},
      {"E19_SlowDownEndOccupied", linea({tabella(3900)}), servizio({rallentamento(3400, 60, 500, 0)}), 19, 3400,
       Servizio::kEliminato, 2},
      // The warning sequence takes cells 44 to 41.
      {"E20_WarningSequenceOccupied", linea({tabella(2100)}), servizio({rallentamento(3400, 60, 500, 1)}), 20, 3400,
       Servizio::kEliminato, 2},
      {"E21_SpeedBoardOnOccupiedCell", linea({tabella(1000), tabella(1000)}), kServizioVuoto, 21, 1000,
       Servizio::kResta, 2},
      // The first area ends at 1200, the second begins at 1300.
      {"E22_StationsCloserThan350m", linea({}), servizio({stazione(1000, 11, 400), stazione(1500, 11, 400)}), 22, 1500,
       Servizio::kEliminato, 2},
      {"E24_StationMarkAtCellOne", linea({}), servizio({stazione(0, 11, 100)}), 24, kPosizioneIntatta,
       Servizio::kEliminato, 2},
      {"E25_ServiceTextMissing", linea({}), std::nullopt, 25, kPosizioneIntatta, Servizio::kEliminato, 2},
      {"E101_LineTextMissing", std::nullopt, kServizioVuoto, 101, kPosizioneIntatta, Servizio::kResta, 1,
       " Errore n. 101"},
      {"E102_NoGeneralSection", test::testo_di({"lunghezza percorso, 5000", "[fine]"}), kServizioVuoto, 102,
       kPosizioneIntatta, Servizio::kResta, 1, " Errore n. 102"},
      {"E103_CurveWithoutClass", linea({"curvad7, 100, 100"}), kServizioVuoto, 103, kPosizioneIntatta, Servizio::kResta,
       2},
      // A code step in cell 1 fills the marker slot; a slow-down starting in
      // cell 1 at speed 0 leaves it empty but fills the code slot.
      {"E1250_MarkerSlotTaken", linea({}), servizio({"abbattimento, 50, 270"}), 0, kPosizioneIntatta,
       Servizio::kEliminato, 1, " Errore n. 1250"},
      {"E1251_CodeSlotTaken", linea({}), servizio({rallentamento(0, 0, 500, 0, 5)}), 0, kPosizioneIntatta,
       Servizio::kEliminato, 1, " Errore n. 1251"},
  };
  return c;
}

void PrintTo(const CasoErrore& c, std::ostream* os) { *os << c.nome; }

class NumeriDiErrore : public ::testing::TestWithParam<CasoErrore> {};

TEST_P(NumeriDiErrore, RecordedWithTheirFilesAndExitStatus) {
  const CasoErrore& c = GetParam();
  test::FolderConSostituti folder;
  folder.sostituisci(test::nome_linea(), c.linea);
  folder.sostituisci(test::nome_servizio(), c.servizio);
  test::EsitoRun r = test::esegui_in(folder, kPosizioneIntatta);

  EXPECT_EQ(r.s.errori.errore_n(), c.errore_n);
  EXPECT_EQ(r.s.errori.errore_pos(), c.errore_pos);
  EXPECT_EQ(r.stato, c.stato) << r.diagnostica;
  if (c.riquadro)
    EXPECT_EQ(r.riquadri, std::vector<std::string>{c.riquadro});
  else
    EXPECT_TRUE(r.riquadri.empty());
  if (c.errore_n != 0) {
    // One diagnostic line names the number.
    EXPECT_NE(r.diagnostica.find("error " + std::to_string(c.errore_n)), std::string::npos) << r.diagnostica;
  }

  EXPECT_FALSE(folder.exists(test::nome_linea()));
  EXPECT_EQ(folder.exists(test::nome_servizio()), c.resta_servizio == Servizio::kResta);
  for (const std::string& d : test::nomi_documenti()) EXPECT_TRUE(folder.exists(d)) << d;
  for (const std::string& b : test::nomi_binari()) EXPECT_EQ(folder.exists(b), c.stato != 1) << b;
}

INSTANTIATE_TEST_SUITE_P(Tutti, NumeriDiErrore, ::testing::ValuesIn(casi()),
                         [](const auto& info) { return std::string(info.param.nome); });

// The table above holds every number of the error catalogue, and no other.
TEST(NumeriDiErrore_Elenco, EveryNumberHasItsCase) {
  std::set<int32_t> visti, catalogo;
  for (const CasoErrore& c : casi()) visti.insert(c.errore_n != 0 ? c.errore_n : std::stoi(c.riquadro + 10));
  for (const RigaErrore& r : catalogo_errori()) catalogo.insert(r.numero());
  EXPECT_EQ(visti, catalogo);
  EXPECT_EQ(catalogo, (std::set<int32_t>{1,  2,  3,  4,  5,  6,  7,  8,  9,  10,  11,  12,  13,   15,
                                         16, 17, 18, 19, 20, 21, 22, 24, 25, 101, 102, 103, 1250, 1251}));
}

}  // namespace
}  // namespace scenario
