#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/run.h"
#include "documents/writers.h"
#include "io/disk_folder.h"
#include "io/file_names.h"
#include "io/memory_folder.h"
#include "io/text_writer.h"
#include "sources/built_in_names.h"
#include "support/temp_folder.h"

namespace scenario {
namespace {

std::string leggi_riferimento(const std::string& nome) {
  std::ifstream in(std::string(SCENARIO_TEST_DATA) + "/documents/" + nome, std::ios::binary);
  if (!in) throw std::runtime_error("missing reference file " + nome);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// The lines of a CR LF text. Fails the test on a bare CR or LF or on a last
// line without its line end.
std::vector<std::string> testo_di(const std::string& bytes) {
  std::vector<std::string> righe;
  size_t inizio = 0;
  while (inizio < bytes.size()) {
    size_t fine = bytes.find("\r\n", inizio);
    if (fine == std::string::npos) {
      ADD_FAILURE() << "text does not end with CR LF";
      break;
    }
    righe.push_back(bytes.substr(inizio, fine - inizio));
    inizio = fine + 2;
  }
  for (const std::string& r : righe) EXPECT_EQ(r.find_first_of("\r\n"), std::string::npos) << "bare CR or LF in: " << r;
  return righe;
}

RunState stato_del_percorso() {
  RunState s;
  s.percorso_nome = kPercorsoNome;
  s.treno_nome = kTrenoNome;
  return s;
}

using Scrittore = std::function<void(const RunState&, Folder&)>;
using NomeFile = std::function<std::string(const std::string&, const std::string&)>;

struct DocumentoFisso {
  const char* riferimento;
  Scrittore scrivi;
  NomeFile nome;
  size_t righe;
};

const std::vector<DocumentoFisso>& documenti_fissi() {
  static const std::vector<DocumentoFisso> documenti = {
      {"scheda_treno.golden", dati_scheda, nome_scheda, 49},
      {"rallentamenti.golden", dati_rallentamenti, nome_rallentamenti, 46},
  };
  return documenti;
}

TEST(CrewDocuments, ReferenceFilesHaveTheFixedShape) {
  for (const DocumentoFisso& d : documenti_fissi()) {
    std::vector<std::string> righe = testo_di(leggi_riferimento(d.riferimento));
    ASSERT_EQ(righe.size(), d.righe) << d.riferimento;
    for (const std::string& r : righe) EXPECT_EQ(r.find(kFineTesto), std::string::npos) << d.riferimento;
  }
  std::vector<std::string> scheda = testo_di(leggi_riferimento("scheda_treno.golden"));
  EXPECT_EQ(scheda[8], " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ");
  EXPECT_EQ(scheda[8].size(), 64u);
  for (size_t i : {0u, 1u, 11u, 48u}) EXPECT_EQ(scheda[i], "") << "card line " << i + 1;
  EXPECT_EQ(scheda[47], scheda[15]);

  std::vector<std::string> ordine = testo_di(leggi_riferimento("rallentamenti.golden"));
  for (size_t i : {0u, 5u, 39u}) EXPECT_EQ(ordine[i], "") << "order line " << i + 1;
  EXPECT_EQ(ordine[12], " |   |         NESSUN RALLENTAMENTO");
  EXPECT_EQ(ordine[38], ordine[11]);
  std::string chiave;
  for (size_t i = 41; i <= 44; ++i) chiave += ordine[i].substr(0, 4);
  EXPECT_EQ(chiave, " A - B - D - C -");
}

TEST(CrewDocuments, FixedDocumentsMatchTheReferenceByteForByte) {
  for (const DocumentoFisso& d : documenti_fissi()) {
    test::TempFolder dir;
    DiskFolder folder(dir.path());
    RunState s = stato_del_percorso();
    d.scrivi(s, folder);
    const std::string nome = d.nome(s.percorso_nome, s.treno_nome);
    EXPECT_EQ(dir.names(), std::vector<std::string>{nome}) << d.riferimento;
    EXPECT_EQ(dir.read(nome), leggi_riferimento(d.riferimento)) << d.riferimento;
  }
}

TEST(CrewDocuments, FileNamesCarryRouteAndTrain) {
  MemoryFolder folder;
  RunState s = stato_del_percorso();
  dati_note(s, folder);
  dati_rallentamenti(s, folder);
  dati_scheda(s, folder);
  std::vector<std::string> attesi = {"Valmora - Dorvane_ICN 853_note.txt",
                                     "Valmora - Dorvane_ICN 853_rallentamenti.txt",
                                     "Valmora - Dorvane_ICN 853_scheda_treno.txt"};
  EXPECT_EQ(test::nomi(folder), attesi);
}

// True when the bytes hold a lead byte followed by the continuation bytes it
// announces, i.e. something a UTF-8 reader would take as one character.
bool contiene_sequenza_utf8(const std::string& bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    size_t seguito = c >= 0xC2 && c <= 0xDF ? 1 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : 0;
    if (seguito == 0 || i + seguito >= bytes.size()) continue;
    bool completa = true;
    for (size_t k = 1; k <= seguito; ++k) {
      unsigned char n = static_cast<unsigned char>(bytes[i + k]);
      completa = completa && n >= 0x80 && n <= 0xBF;
    }
    if (completa) return true;
  }
  return false;
}

TEST(CrewDocuments, Utf8DetectorFindsMultiByteCharacters) {
  EXPECT_TRUE(contiene_sequenza_utf8("realt\xC3\xA0"));
  EXPECT_TRUE(contiene_sequenza_utf8("\xE2\x80\x93"));
  EXPECT_FALSE(contiene_sequenza_utf8("realt\xE0, per\xF2 \xE8"));
  EXPECT_FALSE(contiene_sequenza_utf8("plain ascii"));
}

TEST(CrewDocuments, NotesAreTenSingleByteLines) {
  test::TempFolder dir;
  DiskFolder folder(dir.path());
  RunState s = stato_del_percorso();
  dati_note(s, folder);
  const std::string bytes = dir.read(nome_note(s.percorso_nome, s.treno_nome));

  EXPECT_FALSE(contiene_sequenza_utf8(bytes));
  std::vector<std::string> righe = testo_di(bytes);
  ASSERT_EQ(righe.size(), 10u);
  EXPECT_EQ(righe[7], "");
  for (size_t i = 0; i < righe.size(); ++i) {
    const std::string& r = righe[i];
    EXPECT_EQ(r.find(kFineTesto), std::string::npos);
    if (i == 3 || i == 5) {
      for (char accentata : {'\xE0', '\xE8', '\xF2'}) {
        EXPECT_NE(r.find(accentata), std::string::npos) << "line " << i + 1 << " lacks byte " << int(accentata & 0xFF);
      }
    }
    if (i != 7) {
      EXPECT_FALSE(r.empty()) << "line " << i + 1;
    }
    if (i < 7) {
      EXPECT_GE(r.size(), 60u) << "line " << i + 1;
      EXPECT_LE(r.size(), 95u) << "line " << i + 1;
    }
  }
  // Outside lines 4 and 6 the notes are plain ASCII.
  for (size_t i = 0; i < righe.size(); ++i) {
    if (i == 3 || i == 5) continue;
    for (char c : righe[i]) {
      EXPECT_EQ(c & 0x80, 0) << "line " << i + 1;
    }
  }
  EXPECT_EQ(righe[2].back(), ' ') << "line 3 breaks after a blank";
  EXPECT_NE(righe[6].find("@example.invalid"), std::string::npos);
}

TEST(CrewDocuments, OlderLongerFileIsReplacedWhole) {
  struct Caso {
    Scrittore scrivi;
    NomeFile nome;
  };
  const std::vector<Caso> casi = {
      {dati_note, nome_note}, {dati_rallentamenti, nome_rallentamenti}, {dati_scheda, nome_scheda}};
  for (const Caso& c : casi) {
    RunState s = stato_del_percorso();
    const std::string nome = c.nome(s.percorso_nome, s.treno_nome);
    test::TempFolder fresca;
    DiskFolder folder_fresca(fresca.path());
    c.scrivi(s, folder_fresca);
    const std::string atteso = fresca.read(nome);

    test::TempFolder dir;
    dir.write(nome, std::string(atteso.size() * 3, 'Z') + "riferimento fine del file\r\n");
    DiskFolder folder(dir.path());
    c.scrivi(s, folder);
    EXPECT_EQ(dir.read(nome), atteso) << nome;
    EXPECT_EQ(dir.names(), std::vector<std::string>{nome}) << nome;
  }
}

class FinestraMuta : public Finestra {
public:
  void mostra_attesa() override {}
  void mostra_errore(const std::string& testo) override { ADD_FAILURE() << "error box: " << testo; }
  [[noreturn]] void termina(int) override { std::abort(); }
};

TEST(CrewDocuments, DocumentsRemainAfterTheWholeRun) {
  MemoryFolder folder;
  RunState s;
  FinestraMuta finestra;
  std::ostringstream diagnostica;
  esegui(s, folder, finestra, diagnostica);

  MemoryFolder soli_documenti;
  dati_note(stato_del_percorso(), soli_documenti);
  const std::string nota = nome_note(kPercorsoNome, kTrenoNome);
  EXPECT_EQ(folder.files()[nota], soli_documenti.files()[nota]);
  EXPECT_EQ(folder.files()[nome_rallentamenti(kPercorsoNome, kTrenoNome)], leggi_riferimento("rallentamenti.golden"));
  EXPECT_EQ(folder.files()[nome_scheda(kPercorsoNome, kTrenoNome)], leggi_riferimento("scheda_treno.golden"));
}

}  // namespace
}  // namespace scenario
