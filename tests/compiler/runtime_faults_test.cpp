// Values that do not fit, reads past the end and a missing text: each is a
// run-time fault of the parse, recorded as error 25, with both description
// texts deleted and the run going on to the binary files when there is a grid.

#include <gtest/gtest.h>

#include "support/whole_run.h"

namespace scenario {
namespace {

using test::testo_crlf;

struct GuastoCaso {
  const char* nome;
  std::vector<std::string> linea;               // the line text
  std::optional<std::vector<std::string>> servizio;  // nullopt: no service text
  const char* causa;                            // part of the recorded detail
  int stato;                                    // 2: binary files written; 1: no grid
};

void PrintTo(const GuastoCaso& c, std::ostream* os) { *os << c.nome; }

const std::vector<std::string> kLineaMinima = {"[generale]", "lunghezza percorso, 5000", "[fine]"};

std::vector<std::string> servizio_con(std::vector<std::string> righe) {
  righe.insert(righe.begin(), "[generale]");
  righe.push_back("[fine]");
  return righe;
}

class GuastiDiEsecuzione : public ::testing::TestWithParam<GuastoCaso> {};

TEST_P(GuastiDiEsecuzione, BecomeError25WithBothTextsDeleted) {
  const GuastoCaso& c = GetParam();
  test::FolderConSostituti folder;
  folder.sostituisci(test::nome_linea(), testo_crlf(c.linea));
  folder.sostituisci(test::nome_servizio(),
                     c.servizio ? std::optional<std::string>(testo_crlf(*c.servizio)) : std::nullopt);
  test::EsitoRun r = test::esegui_in(folder);

  EXPECT_EQ(r.s.errore_n, 25);
  ASSERT_FALSE(r.s.registro.empty());
  EXPECT_NE(r.s.registro.back().dettaglio.find(c.causa), std::string::npos) << r.s.registro.back().dettaglio;
  EXPECT_FALSE(folder.exists(test::nome_linea()));
  EXPECT_FALSE(folder.exists(test::nome_servizio()));
  EXPECT_EQ(r.stato, c.stato) << r.diagnostica;
  for (const std::string& b : test::nomi_binari()) EXPECT_EQ(folder.exists(b), c.stato == 2) << b;
}

INSTANTIATE_TEST_SUITE_P(
    Casi, GuastiDiEsecuzione,
    ::testing::Values(
        // Before the grid exists: nothing to write.
        GuastoCaso{"NumberBeyond32Bits", {"[generale]", "lunghezza percorso, 4294972296", "[fine]"},
                   servizio_con({}), "32 bits", 1},
        GuastoCaso{"NumberJustBeyond32Bits", kLineaMinima, servizio_con({"numero vetture, 2147483648"}),
                   "32 bits", 2},
        GuastoCaso{"ByteFieldAbove255", kLineaMinima,
                   servizio_con({"stazione, 1000, 256, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, Uno"}), "byte", 2},
        GuastoCaso{"ByteFieldBelow0", kLineaMinima,
                   servizio_con({"stazione, 1000, 11, 400, -1,0,0, 0,0,0, 0,0,0, 0, 0,0,0, Uno"}), "byte", 2},
        GuastoCaso{"SixteenBitFieldAbove", kLineaMinima, servizio_con({"orologio, 32768, 0, 0"}), "16 bits", 2},
        GuastoCaso{"SixteenBitFieldBelow", kLineaMinima, servizio_con({"sabbia, -32769"}), "16 bits", 2},
        // 1280 / 5 = 256 and -3 / 5 rounds to -1: neither fits a byte; 1277 and -2 do (see below).
        GuastoCaso{"SpeedFifthAboveAByte", kLineaMinima, servizio_con({"velocita, 0, 1280"}), "byte", 2},
        GuastoCaso{"SpeedFifthBelowAByte", kLineaMinima, servizio_con({"velocita, 0, -3"}), "byte", 2},
        GuastoCaso{"BoardValueBeyond16Bits",
                   {"[generale]", "lunghezza percorso, 5000", "[cartelli]",
                    "indicatori_vmax, 1000, 1639, 0, 0, 0, 0, 0, 0, 0"},
                   servizio_con({}), "16 bits", 2},
        GuastoCaso{"ReadPastTheEndSkippingComments", {"[generale]", "lunghezza percorso, 5000", "-,-"},
                   servizio_con({}), "end of the text", 2},
        GuastoCaso{"MissingServiceText", kLineaMinima, std::nullopt, "cannot read", 2}),
    [](const auto& info) { return std::string(info.param.nome); });

// The edges that still fit are not faults.
TEST(GuastiAiMargini, ValuesAtTheEdgesFit) {
  for (const char* velocita : {"velocita, 0, 1277", "velocita, 0, -2"}) {
    test::FolderConSostituti folder;
    folder.sostituisci(test::nome_linea(), testo_crlf(kLineaMinima));
    folder.sostituisci(test::nome_servizio(),
                       testo_crlf(servizio_con({velocita, "orologio, 32767, -32768, 0", "numero vetture, 2147483647"})));
    test::EsitoRun r = test::esegui_in(folder);
    EXPECT_EQ(r.s.errore_n, 0) << velocita << "\n" << r.diagnostica;
    EXPECT_EQ(r.stato, 0) << velocita;
  }
}

}  // namespace
}  // namespace scenario
