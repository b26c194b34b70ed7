// The three binary files of the built-in scenario, read back byte by byte.

#include <gtest/gtest.h>

#include <bit>
#include <cstring>

#include "compiler/binary_writer.h"
#include "compiler/compile.h"
#include "io/file_names.h"
#include "io/memory_folder.h"
#include "sources/built_in_names.h"
#include "sources/dati_linea.h"
#include "sources/dati_treno.h"
#include "support/texts.h"

namespace scenario {
namespace {

uint64_t le(const std::string& b, size_t offset, int n) {
  uint64_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b.at(offset + size_t(i)));
  return v;
}
int16_t i16(const std::string& b, size_t o) { return static_cast<int16_t>(le(b, o, 2)); }
int32_t i32(const std::string& b, size_t o) { return static_cast<int32_t>(le(b, o, 4)); }
double f64(const std::string& b, size_t o) { return std::bit_cast<double>(le(b, o, 8)); }

// The built-in scenario compiled in memory; the folder keeps what the run left.
struct Compilato {
  explicit Compilato(int32_t j, std::map<std::string, std::string> vecchi = {}) {
    folder.files() = std::move(vecchi);
    dati_linea(s, folder);
    dati_treno(s, folder);
    esito = memorizza_percorso(s, folder, j);
  }
  std::string file(const std::string& nome) { return folder.read(nome); }

  RunState s = test::stato_scenario();
  MemoryFolder folder;
  EsitoCompilazione esito;
};

const std::string kPiano = nome_piano(kPercorsoNome);
const std::string kTabella = nome_tabella(kPercorsoNome, kTrenoNome);
const std::string kGriglia = nome_griglia(kPercorsoNome, kTrenoNome);

class BuiltInFiles : public ::testing::Test {
protected:
  static void SetUpTestSuite() { c_ = new Compilato(1); }
  static void TearDownTestSuite() { delete c_; }
  static Compilato* c_;
};
Compilato* BuiltInFiles::c_ = nullptr;

TEST_F(BuiltInFiles, PlanFileHalvesOfTaggedValues) {
  const std::string b = c_->file(kPiano);
  ASSERT_EQ(b.size(), 1609964u);
  const size_t meta = b.size() / 2;
  for (int coordinata : {0, 1}) {
    size_t o = coordinata * meta;
    EXPECT_EQ(i16(b, o), 2);
    EXPECT_EQ(i16(b, o + 2), 0);
    EXPECT_EQ(i16(b, o + 4), 2);
    EXPECT_EQ(i16(b, o + 6), coordinata);
    o += 8;
    for (int p = 2; p <= 80498; ++p, o += 10) ASSERT_EQ(i16(b, o), 5) << "position " << p;
    EXPECT_EQ(le(b, o, 4), 0u);  // positions 80499 and 80500: the tag of an empty value alone
    EXPECT_EQ(o + 4, (coordinata + 1) * meta);
  }
  auto doppio = [&](int coordinata, int p) { return f64(b, coordinata * meta + 8 + size_t(p - 2) * 10 + 2); };
  EXPECT_EQ(doppio(0, 2), 0.0);
  EXPECT_EQ(doppio(1, 2), 2.0);
  EXPECT_EQ(doppio(1, 2500), 2500.0);
  EXPECT_NEAR(doppio(0, 3100), -18.02, 0.005);
  EXPECT_NEAR(doppio(1, 80498), 77960.1, 0.05);
}

TEST_F(BuiltInFiles, GridFileRecordsAndMarkers) {
  const std::string b = c_->file(kGriglia);
  ASSERT_EQ(b.size(), 24165u);
  EXPECT_EQ(i16(b, 16), 5121);
  EXPECT_EQ(i16(b, 18), 2229);
  const size_t cartello = 21 * 15;  // the first speed-limit board
  EXPECT_EQ(b[cartello], 6);
  EXPECT_EQ(i16(b, cartello + 1), 2222);
  EXPECT_EQ(i16(b, cartello + 3), 2323);
  EXPECT_EQ(i16(b, cartello + 5), 2424);
  EXPECT_EQ(i16(b, cartello + 7), 0);
  EXPECT_EQ(b[475 * 15], 14);
  EXPECT_EQ(i16(b, 475 * 15 + 1), 80);
  EXPECT_EQ(b[29 * 15], 11);
  EXPECT_EQ(b[26 * 15 + 11], 1);    // montagna
  EXPECT_EQ(b[60 * 15 + 13], 105);  // pendenza
  EXPECT_EQ(b[240 * 15 + 13], 94);
  EXPECT_EQ(b[1610 * 15 + 13], 0);
}

TEST_F(BuiltInFiles, ServiceTableEntryByEntry) {
  const std::string b = c_->file(kTabella);
  EXPECT_EQ(b.substr(0, 34), std::string(34, '\0'));
  std::vector<size_t> inizio;
  size_t o = 0;
  for (int e = 0; e < 87; ++e) {
    inizio.push_back(o);
    o += 34 + size_t(le(b, o + 14, 2));
  }
  ASSERT_EQ(o, b.size());
  auto testo = [&](int e) { return b.substr(inizio[size_t(e)] + 16, size_t(le(b, inizio[size_t(e)] + 14, 2))); };

  EXPECT_EQ(testo(80), "(Bivio alta      )(velocit\xE0        )(Valmora-Fornella)");
  EXPECT_EQ(testo(80).size(), 54u);
  EXPECT_EQ(testo(73), "(Ricongiungimento)(con la linea da )(Belvastro       )");
  EXPECT_EQ(testo(72), "");
  const size_t e81 = inizio[81];
  EXPECT_EQ(i32(b, e81 + 1), 0);
  EXPECT_EQ(i32(b, e81 + 5), 71000);
  EXPECT_EQ(i32(b, inizio[84] + 5), 73500);

  const size_t e85 = inizio[85];
  ASSERT_EQ(testo(85), "Valmora - Dorvane");
  EXPECT_EQ(i32(b, e85 + 1), 25000);
  EXPECT_EQ(i32(b, e85 + 5), 1);
  EXPECT_EQ(i32(b, e85 + 9), 18500);
  EXPECT_EQ(i16(b, e85 + 16 + 17), 610);
  EXPECT_EQ(i32(b, e85 + 30 + 17), 30208);

  const size_t e86 = inizio[86];
  ASSERT_EQ(testo(86), "ICN 853");
  EXPECT_EQ(i32(b, e86 + 5), 71000);
  EXPECT_EQ(i32(b, e86 + 9), 4);
}

TEST(ScenarioCodes, TheFirstTwentyFiveLettersInLowerCase) {
  const struct {
    std::string treno, percorso;
    int16_t og;
    int32_t st;
  } casi[] = {
      {"ICN 853", "Valmora - Dorvane", 2229, 30208},
      {"icn 853", "VALMORA - DORVANE", 2229, 30208},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "x", 2725, 36725},  // the filler does not reach the 25
      {"", "", 2842, 37139},                             // the filler alone
      {"\xC0", "", 2954, 37293},                         // a Windows-1252 capital folds too
  };
  for (const auto& c : casi) {
    RunState s;
    s.servizio[86].testo = c.treno;
    s.servizio[85].testo = c.percorso;
    EXPECT_EQ(codice_gara_og(s), c.og) << c.treno << c.percorso;
    EXPECT_EQ(codice_gara_st(s), c.st) << c.treno << c.percorso;
  }
}

TEST(ScenarioCodes, WithoutThePlanFlagThePlanFileIsLeftAlone) {
  Compilato con(1);
  Compilato senza(0, {{kPiano, "vecchio"}});
  EXPECT_EQ(senza.esito.fine, EsitoCompilazione::kScritto);
  EXPECT_EQ(senza.file(kPiano), "vecchio");
  EXPECT_TRUE(senza.s.planimetria.vuota());
  EXPECT_EQ(senza.file(kGriglia), con.file(kGriglia));
  EXPECT_EQ(senza.file(kTabella), con.file(kTabella));
}

// A board at position 0 stands in cell 1, where the marker and the code go.
TEST(ReservedSlots, AnOccupiedSlotWritesNoFile) {
  const struct {
    const char* cartello;
    int32_t numero;
  } casi[] = {
      {"indicatori_vmax, 0, 1, 0, 0, 0, 0, 0, 0, 0", 1250},  // valore1 = 20
      {"indicatori_vmax, 0, 0, 1, 0, 0, 0, 0, 0, 0", 1251},  // valore2 = 20
  };
  for (const auto& c : casi) {
    MemoryFolder folder;
    test::metti_testi(folder, test::testo_linea(1000, {c.cartello}));
    for (const std::string& b : {kPiano, kTabella, kGriglia}) folder.files()[b] = "vecchio";
    RunState s = test::stato_scenario();
    EsitoCompilazione esito = memorizza_percorso(s, folder, 1);
    EXPECT_EQ(esito.fine, EsitoCompilazione::kSlotOccupato);
    EXPECT_EQ(esito.numero_riquadro, c.numero);
    for (const std::string& b : {kPiano, kTabella, kGriglia}) EXPECT_EQ(folder.read(b), "vecchio") << b;
  }
}

}  // namespace
}  // namespace scenario
