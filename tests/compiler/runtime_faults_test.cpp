// Values that do not fit: each is a run-time fault of the parse, recorded as
// error 25, with both description texts deleted and the run going on to the
// binary files when there is a grid. The line and service error tables hold
// the other causes (a gradient beyond 32 bits, a station type of 256, stripes
// beyond 16 bits, a speed of 1278, comments running past the end, a missing
// service text); these are the ones they leave out, run through the whole
// program for the exit status.

#include <gtest/gtest.h>

#include "support/service_fixtures.h"
#include "support/whole_run.h"

namespace scenario {
namespace {

using test::stazione;
using test::testo_linea;
using test::testo_servizio;

struct GuastoCaso {
  const char* nome;
  std::string linea;
  std::string servizio;
  const char* causa;  // part of the recorded detail
  int stato;          // 2: binary files written; 1: no grid
};

void PrintTo(const GuastoCaso& c, std::ostream* os) { *os << c.nome; }

const std::string kLineaMinima = testo_linea(5000);

class GuastiDiEsecuzione : public ::testing::TestWithParam<GuastoCaso> {};

TEST_P(GuastiDiEsecuzione, BecomeError25WithBothTextsDeleted) {
  const GuastoCaso& c = GetParam();
  test::FolderConSostituti folder;
  folder.sostituisci(test::nome_linea(), c.linea);
  folder.sostituisci(test::nome_servizio(), c.servizio);
  test::EsitoRun r = test::esegui_in(folder);

  EXPECT_EQ(r.s.errori.errore_n(), 25);
  ASSERT_FALSE(r.s.errori.vuoto());
  EXPECT_NE(r.s.errori.voci().back().dettaglio.find(c.causa), std::string::npos) << r.s.errori.voci().back().dettaglio;
  EXPECT_FALSE(folder.exists(test::nome_linea()));
  EXPECT_FALSE(folder.exists(test::nome_servizio()));
  EXPECT_EQ(r.stato, c.stato) << r.diagnostica;
  for (const std::string& b : test::nomi_binari()) EXPECT_EQ(folder.exists(b), c.stato == 2) << b;
}

INSTANTIATE_TEST_SUITE_P(
    Casi, GuastiDiEsecuzione,
    ::testing::Values(
        // The route length itself: no grid yet, so nothing is written.
        GuastoCaso{"RouteLengthBeyond32Bits", test::testo_di({"[generale]", "lunghezza percorso, 4294972296"}),
                   testo_servizio({}), "32 bits", 1},
        GuastoCaso{"ByteFieldBelow0", kLineaMinima,
                   testo_servizio({"stazione, 1000, -1, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, S"}), "byte", 2},
        GuastoCaso{"SixteenBitFieldAbove", kLineaMinima, testo_servizio({"orologio, 32768, 0, 0"}), "16 bits", 2},
        GuastoCaso{"SixteenBitFieldBelow", kLineaMinima, testo_servizio({"sabbia, -32769"}), "16 bits", 2},
        // -3 / 5 rounds to -1, below a byte.
        GuastoCaso{"SpeedFifthBelowAByte", kLineaMinima, testo_servizio({"velocita, 0, -3"}), "byte", 2},
        // 0 / 5 + 1639 * 20 = 32780 does not fit the board's 16-bit value.
        GuastoCaso{"BoardValueBeyond16Bits", testo_linea(5000, {"indicatori_vmax, 1000, 1639, 0, 0, 0, 0, 0, 0, 0"}),
                   testo_servizio({}), "16 bits", 2},
        GuastoCaso{"BoardValueBelow16Bits", testo_linea(5000, {"indicatori_vmax, 1000, 0, 0, -1639, 0, 0, 0, 0, 0"}),
                   testo_servizio({}), "16 bits", 2}),
    [](const auto& info) { return std::string(info.param.nome); });

// The values at the edges still fit and are no fault.
TEST(GuastiAiMargini, ValuesAtTheEdgesFit) {
  for (const char* velocita : {"velocita, 0, 1277", "velocita, 0, -2"}) {
    test::FolderConSostituti folder;
    folder.sostituisci(test::nome_linea(), testo_linea(5000, {"indicatori_vmax, 1000, 1638, 0, -1638, 0, 0, 0, 0, 0"}));
    folder.sostituisci(test::nome_servizio(), testo_servizio({velocita, "orologio, 32767, -32768, 0",
                                                              "numero vetture, 2147483647", stazione(1000, 255, 400)}));
    test::EsitoRun r = test::esegui_in(folder);
    EXPECT_EQ(r.s.errori.errore_n(), 0) << velocita << "\n" << r.diagnostica;
    EXPECT_EQ(r.stato, 0) << velocita;
  }
}

}  // namespace
}  // namespace scenario
