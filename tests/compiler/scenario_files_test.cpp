#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdlib>
#include <filesystem>

#include "support/scenario_files.h"
#include "support/temp_folder.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

// The built program, run once in a folder of its own; every test reads what
// it left there.
class ScenarioFiles : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    dir_ = new test::TempFolder();
    fs::copy_file(SCENARIO_EXE, dir_->path() / "scenario");
    std::string comando = "\"" + (dir_->path() / "scenario").string() + "\" >/dev/null 2>&1";
    int stato = std::system(comando.c_str());
    uscita_ = WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }

  static std::string leggi(const std::string& nome) { return dir_->read(nome); }
  static std::vector<Voce> tabella() { return test::leggi_tabella(leggi("Valmora - Dorvane_ICN 853.sim")); }
  static std::vector<Cella> griglia() { return test::leggi_griglia(leggi("Valmora - Dorvane_ICN 853.dat")); }

  static inline test::TempFolder* dir_ = nullptr;
  static inline int uscita_ = -1;
};

TEST_F(ScenarioFiles, RunEndsCleanlyLeavingTheBinaryFilesAndNoText) {
  EXPECT_EQ(uscita_, 0);
  EXPECT_FALSE(dir_->exists("Valmora - Dorvane_linea.txt"));
  EXPECT_FALSE(dir_->exists("Valmora - Dorvane_ICN 853-.txt"));
  EXPECT_EQ(fs::file_size(dir_->path() / "Valmora - Dorvane_ICN 853.dat"), 24165u);
  EXPECT_EQ(fs::file_size(dir_->path() / "Valmora - Dorvane_linea.dat"), 1609964u);
}

Voce stazione(uint8_t tipo, int32_t inizio, int32_t fine, int32_t posizione, uint8_t campo4, const char* nome,
              std::array<int16_t, 5> c7_8_10_11_12, uint8_t campo9, uint8_t campo13, uint8_t campo6, uint8_t campo5,
              int32_t orario) {
  Voce v;
  v.tipo = tipo;
  v.inizio = inizio;
  v.fine = fine;
  v.posizione = posizione;
  v.campo4 = campo4;
  v.testo = nome;
  v.campo7 = c7_8_10_11_12[0];
  v.campo8 = c7_8_10_11_12[1];
  v.campo10 = c7_8_10_11_12[2];
  v.campo11 = c7_8_10_11_12[3];
  v.campo12 = c7_8_10_11_12[4];
  v.campo9 = campo9;
  v.campo13 = campo13;
  v.campo6 = campo6;
  v.campo5 = campo5;
  v.orario = orario;
  return v;
}

Voce intestazione(int32_t inizio, int32_t fine, int32_t posizione, const char* testo = "") {
  Voce v;
  v.inizio = inizio;
  v.fine = fine;
  v.posizione = posizione;
  v.testo = testo;
  return v;
}

TEST_F(ScenarioFiles, TableHoldsTheStationsBoardTextsAndHeaderEntries) {
  std::vector<Voce> voci = tabella();
  ASSERT_EQ(voci.size(), 87u);

  EXPECT_EQ(voci[0], Voce{});
  const Voce stazioni[] = {
      stazione(8, -700, 700, 0, 0, "Valmora", {1, 1, 4, 1, 1}, 0, 1, 0, 0, 9540),
      stazione(11, 16250, 16650, 16450, 1, "Bivio Santa Ferla", {4, 1, 2, 1, 1}, 1, 0, 0, 0, 0),
      stazione(11, 19700, 20100, 19900, 0, "P.M. Merlacchio", {1, 1, 4, 1, 1}, 0, 0, 0, 0, 0),
      stazione(28, 23200, 23500, 23350, 0, "P.M. San Dorio", {0, 0, 0, 0, 0}, 0, 0, 0, 0, 0),
      stazione(12, 30800, 31200, 31000, 0, "Pelto", {1, 1, 4, 1, 1}, 0, 0, 0, 0, 0),
      stazione(22, 39800, 40200, 40000, 0, "Lirna-S. Ottavio", {0, 0, 4, 1, 1}, 0, 0, 0, 0, 0),
      stazione(12, 46750, 47250, 47000, 0, "Brisa", {1, 1, 4, 1, 1}, 0, 0, 0, 0, 0),
      stazione(4, 58700, 59300, 59000, 1, "Corvello", {4, 1, 2, 1, 1}, 0, 245, 0, 1, 0),
      stazione(11, 64800, 65200, 65000, 0, "Gessoni Inferiore", {1, 1, 4, 1, 1}, 0, 0, 0, 0, 0),
      stazione(2, 71050, 71800, 71400, 1, "Dorvane", {1, 1, 2, 1, 1}, 0, 0, 1, 1, 12600),
  };
  for (int k = 0; k < 10; ++k) EXPECT_EQ(voci[size_t(k) + 1], stazioni[k]) << "station " << k + 1;
  for (size_t e = 11; e <= 72; ++e) EXPECT_EQ(voci[e], Voce{}) << "entry " << e;

  const char* cartelli[] = {
      "(Bivio alta      )(velocit\xE0"
      "        )(Valmora-Fornella)",
      "(Viadotto di 20 m)(di altezza fino )(a Pelto         )",
      "(Ricongiungimento)(con la linea da )(Ravola          )",
      "(Ricongiungimento)(con linea da    )(Torre Calvinetta)",
      "(Ricongiungimento)(con la linea da )(Lerano Centrale )",
      "(Bivio        )(Valle Brumina)(Belvastro    )",
      "(Bivio      )(scalo merci)(Felcianico )",
      "(Ricongiungimento)(con la linea da )(Belvastro       )",
  };
  for (int k = 0; k < 8; ++k) {
    Voce atteso;
    atteso.testo = cartelli[k];
    EXPECT_EQ(voci[size_t(80 - k)], atteso) << "entry " << 80 - k;
  }
  EXPECT_EQ(voci[80].testo.size(), 54u);  // "à" is one byte

  EXPECT_EQ(voci[81], intestazione(0, 71000, 0));
  EXPECT_EQ(voci[82], Voce{});
  EXPECT_EQ(voci[83], Voce{});
  EXPECT_EQ(voci[84], intestazione(120, 73500, 10));
  Voce e85 = intestazione(25000, 1, 18500, "Valmora - Dorvane");
  e85.campo7 = 610;
  e85.orario = 30208;
  EXPECT_EQ(voci[85], e85);
  Voce e86 = intestazione(0, 71000, 4, "ICN 853");
  e86.campo10 = 2;
  e86.campo11 = 37;
  e86.campo12 = 30;
  EXPECT_EQ(voci[86], e86);
}

struct Tratto {
  int64_t da, a;
  uint8_t valore;
};

void riempi(std::vector<Cella>& g, uint8_t Cella::*membro, std::initializer_list<Tratto> tratti) {
  for (const Tratto& t : tratti)
    for (int64_t i = t.da; i <= t.a; ++i) g[size_t(i)].*membro = t.valore;
}

void metti(std::vector<Cella>& g, int64_t i, uint8_t tipo, int16_t v1 = 0, int16_t v2 = 0, int16_t v3 = 0,
           int16_t v4 = 0) {
  Cella& c = g[size_t(i)];
  c.tipo = tipo;
  c.valore1 = v1;
  c.valore2 = v2;
  c.valore3 = v3;
  c.valore4 = v4;
}

// The grid the built-in texts compile to, built from the worked figures of
// the line and the service and from the records of the two texts.
std::vector<Cella> griglia_attesa() {
  std::vector<Cella> g(1611);
  riempi(g, &Cella::pendenza,
         {{0, 59, 100},
          {60, 105, 105},
          {106, 135, 100},
          {136, 145, 106},
          {146, 239, 100},
          {240, 283, 94},
          {284, 371, 100},
          {372, 415, 105},
          {416, 447, 100},
          {448, 478, 105},
          {479, 569, 100},
          {570, 609, 95},
          {610, 659, 100},
          {660, 709, 96},
          {710, 1607, 100}});
  riempi(g, &Cella::montagna, {{26, 321, 1}, {335, 372, 2}, {444, 461, 2}});
  riempi(g, &Cella::vel_limite,
         {{0, 19, 7},
          {20, 49, 25},
          {50, 293, 31},
          {294, 443, 27},
          {444, 639, 21},
          {640, 779, 29},
          {780, 1147, 33},
          {1148, 1255, 23},
          {1256, 1349, 29},
          {1350, 1607, 21}});
  riempi(g, &Cella::aderenza, {{0, 419, 90}, {420, 619, 80}, {620, 1607, 100}});

  for (int64_t i = 29; i <= 321; i += 4) metti(g, i, 11);
  for (int64_t i : {447, 451, 455, 459}) metti(g, i, 11);
  for (int64_t i :
       {21, 51, 171, 283, 289, 295, 433, 439, 445, 561, 641, 781, 911, 1031, 1137, 1143, 1149, 1257, 1339, 1345, 1351})
    metti(g, i, 6);
  int16_t voce_cartello = 80;
  for (int64_t i : {475, 487, 597, 1107, 1125, 1191, 1251, 1411}) metti(g, i, 14, voce_cartello--);

  // Station marks with their approach marks 100 to 250 m before them (no
  // approach marks for the station of type 28, no mark at all for it).
  int16_t numero = 1;
  for (int64_t i : {13, 332, 401, -1, 623, 803, 944, 1185, 1303, 1435}) {
    if (i >= 0) {
      metti(g, i, 10, numero);
      for (int b = 1; b <= 4; ++b) g[size_t(i - b)].avviso = uint8_t(80 + b);
    }
    ++numero;
  }
  // Signals: cell, the three aspect values and the fourth; approach marks
  // every 100 m up to 400 m before them.
  const std::array<int16_t, 5> segnali[] = {
      {63, 44, 0, 0, 8},     {111, 44, 0, 0, 8},    {159, 44, 0, 0, 8},    {207, 43, 0, 0, 8},    {255, 52, 61, 0, 8},
      {303, 24, 31, 0, 18},  {351, 44, 0, 0, 8},    {381, 44, 11, 11, 8},  {453, 44, 0, 0, 8},    {501, 44, 11, 11, 8},
      {549, 44, 11, 11, 8},  {598, 44, 11, 11, 8},  {675, 44, 11, 11, 8},  {723, 44, 11, 11, 8},  {771, 44, 11, 11, 8},
      {855, 44, 11, 11, 8},  {903, 44, 11, 11, 8},  {997, 44, 11, 11, 8},  {1045, 43, 11, 11, 8}, {1093, 32, 41, 11, 8},
      {1157, 24, 31, 11, 8}, {1237, 44, 11, 11, 8}, {1285, 44, 11, 11, 8}, {1357, 33, 41, 11, 8}, {1403, 22, 31, 11, 8},
  };
  for (const auto& s : segnali) {
    metti(g, s[0], 1, s[1], s[2], s[3], s[4]);
    for (int b = 1; b <= 4; ++b) g[size_t(s[0] - 2 * b)].avviso = uint8_t(80 + b);
  }
  metti(g, 0, 12, 270);
  metti(g, 305, 13);
  metti(g, 346, 12, 270);
  metti(g, 1159, 13);
  metti(g, 1192, 12, 270);
  metti(g, 1360, 12, 180);
  metti(g, 1405, 13);
  g[1].valore1 = 5121;
  g[1].valore2 = 2229;
  return g;
}

std::string descrivi(const Cella& c) {
  return "tipo " + std::to_string(c.tipo) + " valori " + std::to_string(c.valore1) + "/" + std::to_string(c.valore2) +
         "/" + std::to_string(c.valore3) + "/" + std::to_string(c.valore4) + " tempo " + std::to_string(c.tempo) +
         " avviso " + std::to_string(c.avviso) + " montagna " + std::to_string(c.montagna) + " velocita " +
         std::to_string(c.vel_limite) + " pendenza " + std::to_string(c.pendenza) + " aderenza " +
         std::to_string(c.aderenza);
}

TEST_F(ScenarioFiles, GridHoldsEveryCellOfTheWorkedFigures) {
  std::vector<Cella> celle = griglia();
  std::vector<Cella> attese = griglia_attesa();
  ASSERT_EQ(celle.size(), attese.size());
  // The speed boards' values belong to the line; two of them are checked
  // here, the others only by their kind.
  EXPECT_EQ(celle[21].valore1, 2222);
  EXPECT_EQ(celle[21].valore2, 2323);
  EXPECT_EQ(celle[21].valore3, 2424);
  EXPECT_EQ(celle[21].valore4, 0);
  EXPECT_EQ(celle[283].valore1, 2222);
  EXPECT_EQ(celle[283].valore2, 2424);
  EXPECT_EQ(celle[283].valore3, 2626);
  EXPECT_EQ(celle[283].valore4, 22);
  int diverse = 0;
  for (size_t i = 0; i < celle.size(); ++i) {
    Cella c = celle[i];
    if (c.tipo == 6) c.valore1 = c.valore2 = c.valore3 = c.valore4 = 0;
    const Cella& a = attese[i];
    if (c != a && ++diverse <= 20)
      ADD_FAILURE() << "cell " << i << "\n  read     " << descrivi(c) << "\n  expected " << descrivi(a);
  }
  EXPECT_EQ(diverse, 0);
}

}  // namespace
}  // namespace scenario
