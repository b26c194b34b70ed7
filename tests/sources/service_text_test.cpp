#include <gtest/gtest.h>

#include "compiler/field_reader.h"
#include "io/file_names.h"
#include "io/memory_folder.h"
#include "sources/built_in_names.h"
#include "sources/dati_treno.h"

namespace scenario {
namespace {

const std::string kNome = nome_testo_servizio(kPercorsoNome, kTrenoNome);

std::string scrivi(MemoryFolder& folder) {
  RunState s;
  s.percorso_nome = kPercorsoNome;
  s.treno_nome = kTrenoNome;
  dati_treno(s, folder);
  return folder.files().at(kNome);
}

std::vector<std::string> righe_di(const std::string& testo) {
  std::vector<std::string> righe;
  size_t inizio = 0;
  for (size_t fine; (fine = testo.find("\r\n", inizio)) != std::string::npos; inizio = fine + 2)
    righe.push_back(testo.substr(inizio, fine - inizio));
  EXPECT_EQ(inizio, testo.size()) << "text after the last CR LF";
  return righe;
}

TEST(ServiceText, ReplacesAnOlderFileWithExactlyTheSixtySevenLines) {
  MemoryFolder folder;
  folder.files()[kNome] = std::string(20000, 'x');
  std::vector<std::string> righe = righe_di(scrivi(folder));

  ASSERT_EQ(righe.size(), 67u);
  EXPECT_EQ(righe[0], "[generale]");
  EXPECT_EQ(righe[4], "orologio,    2               37            30 ");
  EXPECT_EQ(righe[31], "[rallentamenti]");
  EXPECT_EQ(righe[32], "[segnali]");
  EXPECT_EQ(righe[66], "[fine]");
  for (const std::string& r : righe) {
    EXPECT_EQ(r.find("riferimento fine del file"), std::string::npos);
    EXPECT_EQ(r.find('\n'), std::string::npos);
    EXPECT_EQ(r.find('\r'), std::string::npos);
  }
  EXPECT_EQ(folder.files().size(), 1u);
}

// What a field reader gets back from the written text, record by record.
struct Record {
  std::string chiave;
  std::vector<int32_t> numeri;
  std::string nome;  // the station name, for "stazione"
};

std::vector<Record> rileggi(const std::string& testo) {
  LettoreCampi r(testo);
  std::vector<Record> out;
  auto numeri = [&](int n) {
    std::vector<int32_t> v;
    for (int i = 0; i < n; ++i) v.push_back(r.leggi_long());
    return v;
  };
  while (!r.alla_fine()) {
    Record rec{r.leggi_testo(), {}, {}};
    const std::string& k = rec.chiave;
    if (k == "numero vetture" || k == "percentuale massa frenata" || k == "sabbia") rec.numeri = numeri(1);
    if (k == "orologio") rec.numeri = numeri(3);
    if (k == "aderenza" || k == "velocita" || k == "abbattimento") rec.numeri = numeri(2);
    if (k == "segnale") rec.numeri = numeri(11);
    if (k == "stazione") {
      rec.numeri = numeri(16);
      rec.nome = r.leggi_testo();
    }
    out.push_back(rec);
  }
  return out;
}

TEST(ServiceText, ReadsBackFieldByFieldIntoTheRecordValues) {
  MemoryFolder folder;
  std::vector<Record> rec = rileggi(scrivi(folder));
  ASSERT_EQ(rec.size(), 67u);

  using V = std::vector<int32_t>;
  EXPECT_EQ(rec[1].chiave, "numero vetture");
  EXPECT_EQ(rec[1].numeri, V{10});
  EXPECT_EQ(rec[2].numeri, V{120});
  EXPECT_EQ(rec[3].numeri, V{0});
  EXPECT_EQ(rec[4].chiave, "orologio");
  EXPECT_EQ(rec[4].numeri, (V{2, 37, 30}));
  EXPECT_EQ(rec[5].chiave, "[aderenze]");
  EXPECT_EQ(rec[7].numeri, (V{21000, 80}));
  EXPECT_EQ(rec[19].numeri, (V{67500, 105}));

  EXPECT_EQ(rec[21].numeri, (V{0, 8, 700, 0, 0, 0, 1, 1, 0, 4, 1, 1, 1, 2, 39, 0}));
  EXPECT_EQ(rec[21].nome, "Valmora");
  EXPECT_EQ(rec[22].nome, "Bivio Santa Ferla");
  EXPECT_EQ(rec[26].nome, "Lirna-S. Ottavio");
  EXPECT_EQ(rec[28].numeri, (V{59000, 4, 600, 1, 1, 0, 4, 1, 0, 2, 1, 1, 245, 0, 0, 0}));
  EXPECT_EQ(rec[30].numeri, (V{71400, 2, 700, 1, 1, 1, 1, 1, 0, 2, 1, 1, 0, 3, 30, 0}));
  EXPECT_EQ(rec[30].nome, "Dorvane");

  EXPECT_EQ(rec[33].numeri, (V{3100, 2, 4, 0, 0, 0, 2, 4, 0, 0, 0}));
  EXPECT_EQ(rec[38].numeri, (V{15100, 2, 2, 3, 0, 1, 2, 4, 1, 0, 0}));
  EXPECT_EQ(rec[57].numeri, (V{70100, 2, 2, 3, 1, 0, 2, 2, 1, 1, 0}));

  EXPECT_EQ(rec[59].numeri, (V{0, 270}));
  EXPECT_EQ(rec[60].numeri, (V{15250, 0}));  // "AC" holds no number
  EXPECT_EQ(rec[65].numeri, (V{70250, 0}));
  EXPECT_EQ(rec[66].chiave, "[fine]");

  int stazioni = 0, segnali = 0, velocita = 0, codici = 0;
  for (const Record& r : rec) {
    stazioni += r.chiave == "stazione";
    segnali += r.chiave == "segnale";
    velocita += r.chiave == "velocita";
    codici += r.chiave == "abbattimento";
  }
  EXPECT_EQ(stazioni, 10);
  EXPECT_EQ(segnali, 25);
  EXPECT_EQ(velocita, 10);
  EXPECT_EQ(codici, 7);
}

}  // namespace
}  // namespace scenario
