#include <gtest/gtest.h>

#include "io/file_names.h"
#include "sources/built_in_names.h"
#include "support/service_fixtures.h"

namespace scenario {
namespace {

using test::kPosizioneIntatta;
using test::stazione;
using test::testo_linea;
using test::testo_servizio;

struct Caso {
  std::string nome;
  std::string linea;
  std::optional<std::string> servizio;
  int32_t errore_n;
  int32_t errore_pos;
};

std::string segnale(int32_t posizione) {
  return "segnale, " + std::to_string(posizione) + ", 2, 4, 0, 0, 0, 2, 4, 0, 0, 0";
}

// A slow-down at 5000 m, 1000 m long, speed 60: warning cell 77, start 101,
// end 121; its codes go to 96, 90, 83 before the start and 109, 117 inside.
const std::string kRallentamento = "rallentamento, 5000, 60, 1000, 0, 0, 0";

std::vector<Caso> casi() {
  // Cells 0 to 340.
  const std::string linea = testo_linea(10000);
  const std::string linea_oltre = testo_linea(10000, {"pendenza, 20000, 3"});  // error 15 in the line
  std::vector<std::string> aderenze = {"aderenza, 0, 90"};
  for (int k = 0; k < 5; ++k) aderenze.push_back("aderenza, 16900, 80");

  return {
      {"km posts off the 50 m step",
       test::testo_di(
           {"[generale]", "lunghezza percorso, 10000", "progressiva chilometrica uno, 0, 75, 0", "[x]", "[fine]"}),
       testo_servizio({"velocita, 0, 50"}), 2, kPosizioneIntatta},
      {"code step on a signal", linea, testo_servizio({segnale(500), "abbattimento, 550, 270"}), 7, 550},
      {"station off the 50 m step, before its bad length", linea, testo_servizio({stazione(125, 11, 650)}), 8, 125},
      {"station length off the 100 m step", linea, testo_servizio({stazione(1000, 11, 650)}), 9, 1000},
      {"eighty boards leave no station entry", testo_linea(10000, test::cartelli(80)),
       testo_servizio({stazione(9000, 11, 400)}), 10, kPosizioneIntatta},
      {"station within 800 m of the grid end", linea, testo_servizio({stazione(16250, 11, 400)}), 15, 16250},
      {"line error 15, then a signal", linea_oltre, testo_servizio({"velocita, 0, 50", segnale(3100)}), 15, 3100},
      {"line error 15, then a slow-down", linea_oltre, testo_servizio({stazione(1000, 11, 400), kRallentamento}), 15,
       5000},
      {"signal on a speed board", testo_linea(10000, {"indicatori_vmax, 3100, 100, 100, 100, 0, 100, 100, 100, 0"}),
       testo_servizio({segnale(3100)}), 16, 3100},
      {"warning cell taken", linea, testo_servizio({segnale(1800), "rallentamento, 3000, 60, 500, 0, 0, 0"}), 17, 3000},
      {"start cell taken", linea, testo_servizio({segnale(3000), "rallentamento, 3000, 60, 500, 0, 0, 0"}), 18, 3000},
      {"end cell taken", linea, testo_servizio({segnale(3500), "rallentamento, 3000, 60, 500, 0, 0, 0"}), 19, 3000},
      {"warning sequence cell taken", linea, testo_servizio({segnale(1700), "rallentamento, 3000, 60, 500, 0, 1, 0"}),
       20, 3000},
      {"warning cell and warning sequence round to one cell", linea,
       testo_servizio({"rallentamento, 1575, 60, 500, 0, 1, 0"}), 20, 1575},
      {"stations 300 m apart", linea, testo_servizio({stazione(1000, 11, 400), stazione(1700, 11, 400)}), 22, 1700},
      {"station mark at cell 0", linea, testo_servizio({stazione(0, 11, 100)}), 24, kPosizioneIntatta},
      {"no service text", linea, std::nullopt, 25, kPosizioneIntatta},
      {"empty service text", linea, std::string(), 25, kPosizioneIntatta},
      {"signal in cell 7", linea, testo_servizio({segnale(300)}), 25, kPosizioneIntatta},
      {"slow-down end past the grid", linea, testo_servizio({"rallentamento, 16000, 60, 2000, 0, 0, 0"}), 25,
       kPosizioneIntatta},
      {"station mark past the grid", linea, testo_servizio({stazione(16000, 8, 1100)}), 25, kPosizioneIntatta},
      {"adhesion cursor past the grid", linea, testo_servizio(aderenze), 25, kPosizioneIntatta},
      {"station name too long for the table file", linea,
       testo_servizio({stazione(1000, 11, 400, std::string(70000, 'n'))}), 25, kPosizioneIntatta},
      {"board text too long for the table file",
       testo_linea(10000, {"cartello_indicatore, 2000, " + std::string(70000, 'b')}), testo_servizio({}), 25,
       kPosizioneIntatta},
      {"speed above 1277 km/h", linea, testo_servizio({"velocita, 0, 1278", "velocita, 500, 100"}), 25,
       kPosizioneIntatta},
      {"station type above 255", linea, testo_servizio({stazione(1000, 256, 400)}), 25, kPosizioneIntatta},
      {"signal with both cells in front taken", linea,
       testo_servizio({kRallentamento, segnale(3450), segnale(3400), segnale(3350)}), 11, 3500},
      {"no free cell before the start", linea,
       testo_servizio({kRallentamento, segnale(4650), segnale(4700), segnale(4750)}), 12, 5050},
      {"no free cell inside the slow-down", linea,
       testo_servizio({kRallentamento, segnale(5350), segnale(5400), segnale(5450)}), 13, 5450},
      {"no free cell in front of the signal after the end", linea,
       testo_servizio({kRallentamento, segnale(6100), "abbattimento, 6100, AC"}), 13, 6050},
  };
}

TEST(ServiceErrors, EachErrorWithItsPositionAndBothTextsGone) {
  for (const Caso& k : casi()) {
    SCOPED_TRACE(k.nome);
    auto c = test::compila(k.linea, k.servizio);
    EXPECT_EQ(c->s.errori.errore_n(), k.errore_n);
    EXPECT_EQ(c->s.errori.errore_pos(), k.errore_pos);
    EXPECT_FALSE(c->resta_linea());
    EXPECT_FALSE(c->resta_servizio());
    EXPECT_TRUE(c->folder.exists(nome_griglia(kPercorsoNome, kTrenoNome)));
  }
}

}  // namespace
}  // namespace scenario
