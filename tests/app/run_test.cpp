// The whole run sequence in memory: what the window shows, what goes to
// standard error, the exit status, and what a failing file leaves behind.

#include "app/run.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "io/faulty_folder.h"
#include "io/file_names.h"
#include "io/memory_folder.h"
#include "io/text_writer.h"
#include "sources/built_in_names.h"
#include "sources/dati_linea.h"
#include "sources/dati_treno.h"
#include "support/temp_folder.h"
#include "support/texts.h"

namespace scenario {
namespace {

const std::string kLinea = nome_testo_linea(kPercorsoNome);
const std::string kServizio = nome_testo_servizio(kPercorsoNome, kTrenoNome);
const std::vector<std::string> kBinari = {nome_piano(kPercorsoNome), nome_tabella(kPercorsoNome, kTrenoNome),
                                          nome_griglia(kPercorsoNome, kTrenoNome)};

// Records what the run asks of the window.
class FinestraFinta : public Finestra {
public:
  explicit FinestraFinta(const MemoryFolder& folder) : file_all_inizio(folder.files().size()), folder_(folder) {}
  void mostra_attesa() override {
    ++attese;
    file_all_attesa = folder_.files().size();
  }
  void mostra_errore(const std::string& testo) override { riquadri.push_back(testo); }
  [[noreturn]] void termina(int) override { throw std::logic_error("the run must not end the process"); }

  int attese = 0;
  size_t file_all_inizio;
  size_t file_all_attesa = 0;
  std::vector<std::string> riquadri;

private:
  const MemoryFolder& folder_;
};

// A folder in which the line text, once written, holds `sostituto` instead
// of the built-in content (beside a service text with no records), or
// vanishes when there is no substitute.
class LineaSostituita : public MemoryFolder {
public:
  explicit LineaSostituita(std::optional<std::string> sostituto) : sostituto_(std::move(sostituto)) {}
  void rename(const std::string& from, const std::string& to) override {
    MemoryFolder::rename(from, to);
    if (to == kLinea && !sostituto_) files().erase(to);
    if (to == kLinea && sostituto_) files()[to] = *sostituto_;
    if (to == kServizio && sostituto_) files()[to] = test::servizio_vuoto();
  }

private:
  std::optional<std::string> sostituto_;
};

struct Esito {
  int stato;
  std::string diagnostica;
  std::vector<std::string> riquadri;
};

// A run writing through `folder` into `contenuto`.
Esito esegui_in(Folder& folder, const MemoryFolder& contenuto) {
  RunState s;
  FinestraFinta finestra(contenuto);
  std::ostringstream diagnostica;
  int stato = esegui(s, folder, finestra, diagnostica);
  EXPECT_EQ(finestra.attese, 1);
  EXPECT_EQ(finestra.file_all_attesa, finestra.file_all_inizio) << "the wait window comes before any file";
  return {stato, diagnostica.str(), finestra.riquadri};
}

Esito esegui_in(MemoryFolder& folder) { return esegui_in(folder, folder); }

bool scratch(const std::string& nome) { return nome.size() > 5 && nome.substr(nome.size() - 5) == ".part"; }

TEST(Run, BuiltInScenarioEndsCleanly) {
  MemoryFolder folder;
  Esito e = esegui_in(folder);
  EXPECT_EQ(e.stato, 0);
  EXPECT_EQ(e.diagnostica, "");
  EXPECT_TRUE(e.riquadri.empty());
  EXPECT_FALSE(folder.exists(kLinea));
  for (const std::string& b : kBinari) EXPECT_TRUE(folder.exists(b)) << b;
}

const std::string kSenzaGriglia = "scenario: the line description left no track grid; no binary file written\n";
const std::string kGuasto = "scenario: error 25: run-time fault while reading a description text ";

TEST(Run, ExitStatusWindowAndDiagnostics) {
  const std::string kRotta = "[generale]\r\nlunghezza percorso, 10000\r\n[curve]\r\n";
  std::string dopo_il_limite;  // the gradient cursor ends on cell 341, one past the grid
  for (int i = 0; i < 340; ++i) dopo_il_limite += "pendenza, 100, 1\r\n";
  const std::string kVmax = "indicatori_vmax, 1000, 110, 115, 120, 0, 110, 115, 120, 0\r\n";
  const std::string kCartello = "cartello_indicatore, 1000, (a)(b)(c)\r\n";
  const struct {
    const char* nome;
    std::optional<std::string> linea;
    int stato;
    std::string diagnostica;
    std::vector<std::string> riquadri;
  } casi[] = {
      {"line text lost",
       std::nullopt,
       1,
       "scenario: error 101: line description text missing\n" + kSenzaGriglia,
       {" Errore n. 101"}},
      {"no [generale]",
       "lunghezza percorso, 1000\r\n[fine]\r\n",
       1,
       "scenario: error 102: line description text has no [generale] section\n" + kSenzaGriglia,
       {" Errore n. 102"}},
      {"route too long",
       "[generale]\r\nlunghezza percorso, 1000001\r\n[fine]\r\n",
       1,
       "scenario: error 1: route length above 1,000,000 m\n" + kSenzaGriglia,
       {" Errore n. 1"}},
      {"negative route length",
       "[generale]\r\nlunghezza percorso, -8000\r\n[fine]\r\n",
       1,
       kGuasto + "(route length -8000 leaves no grid with a cell 1)\n" + kSenzaGriglia,
       {" Errore n. 25"}},
      {"record beyond the grid",
       kRotta + "pendenza, 20000, 5\r\n[fine]\r\n",
       2,
       "scenario: error 15 at 20000 m: record position beyond the end of the route\n",
       {}},
      {"indication board on an occupied cell",
       kRotta + kVmax + kCartello + "[fine]\r\n",
       2,
       "scenario: error 6 at 1000 m: indication board on an occupied cell\n",
       {}},
      {"speed-limit board on an occupied cell",
       kRotta + kCartello + kVmax + "[fine]\r\n",
       2,
       "scenario: error 21 at 1000 m: speed-limit board on an occupied cell\n",
       {}},
      {"one line per recorded error",
       kRotta + dopo_il_limite + "pendenza, 90000, 0\r\n[fine]\r\n",
       2,
       "scenario: error 15 at 90000 m: record position beyond the end of the route\n" + kGuasto +
           "(cell 341 lies outside the grid (0 to 340))\n",
       {}},
      {"occupied reserved slot",
       kRotta + "indicatori_vmax, 0, 1, 0, 0, 0, 0, 0, 0, 0\r\n[fine]\r\n",
       1,
       "",
       {" Errore n. 1250"}},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    LineaSostituita folder(c.linea);
    for (const std::string& b : kBinari) folder.files()[b] = "vecchio";
    Esito e = esegui_in(folder);
    EXPECT_EQ(e.stato, c.stato);
    EXPECT_EQ(e.diagnostica, c.diagnostica);
    EXPECT_EQ(e.riquadri, c.riquadri);
    for (const std::string& b : kBinari) EXPECT_EQ(folder.read(b) == "vecchio", c.stato == 1) << b;
  }
}

TEST(Run, ALineTextThatCannotBeWrittenEndsTheRun) {
  MemoryFolder memoria;
  memoria.files()[kBinari[2]] = "vecchio";
  FaultyFolder folder(memoria);
  folder.fail_at(1);  // creating the line text
  Esito e = esegui_in(folder, memoria);
  EXPECT_EQ(e.stato, 1);
  EXPECT_EQ(e.diagnostica, "scenario: cannot write 'Valmora - Dorvane_linea.txt': Input/output error (injected)\n");
  EXPECT_TRUE(e.riquadri.empty());
  EXPECT_EQ(folder.operations(), 1);  // nothing else is attempted
  EXPECT_EQ(test::nomi(memoria), std::vector<std::string>{kBinari[2]});
}

// Each file operation of a run fails in turn. A failing write ends the run at
// once, naming the file; a failing read or delete inside the compile is a
// run-time fault. Either way no file is left in part and no scratch file stays.
TEST(Run, EveryFailingOperationLeavesWholeFiles) {
  std::map<std::string, std::string> vecchi;
  for (const std::string& b : kBinari) vecchi[b] = std::string(2000000, 'v');
  MemoryFolder pulita;
  pulita.files() = vecchi;
  FaultyFolder contatore(pulita);
  ASSERT_EQ(esegui_in(contatore, pulita).stato, 0);
  const long operazioni = contatore.operations();
  ASSERT_GT(operazioni, 10);
  // What a clean run writes, the two texts it deletes included.
  std::map<std::string, std::string> nuovi = pulita.files();
  nuovi[kLinea] = componi_testo(righe_linea());
  nuovi[kServizio] = componi_testo(righe_treno());

  for (long n = 1; n <= operazioni; ++n) {
    SCOPED_TRACE("operation " + std::to_string(n));
    MemoryFolder memoria;
    memoria.files() = vecchi;
    FaultyFolder folder(memoria);
    folder.fail_at(n);
    Esito e = esegui_in(folder, memoria);
    for (const auto& [nome, contenuto] : memoria.files()) EXPECT_FALSE(scratch(nome)) << nome;
    auto binari_vecchi = [&] {
      for (const std::string& b : kBinari) EXPECT_EQ(memoria.files()[b], vecchi[b]) << b;
    };
    if (e.stato == 2) {
      EXPECT_EQ(e.diagnostica.rfind("scenario: error 25: run-time fault while reading a description text (cannot ", 0),
                0u)
          << e.diagnostica;
      EXPECT_EQ(memoria.files()[kBinari[2]].size(), 24165u);
      continue;
    }
    ASSERT_EQ(e.stato, 1) << e.diagnostica;
    for (const auto& [nome, contenuto] : memoria.files()) {
      bool vecchio = vecchi.count(nome) && vecchi[nome] == contenuto;
      // An older binary file kept while the set was renamed, left when its removal failed.
      for (const std::string& b : kBinari) vecchio = vecchio || (is_scratch_name(nome, b) && contenuto == vecchi[b]);
      EXPECT_TRUE(vecchio || nuovi[nome] == contenuto) << nome << " is neither old nor new";
    }
    if (!e.riquadri.empty()) {
      EXPECT_EQ(e.riquadri, std::vector<std::string>{" Errore n. 25"});
      binari_vecchi();
      continue;
    }
    const std::string prefisso = "scenario: cannot write '";
    size_t at = e.diagnostica.rfind(prefisso);
    ASSERT_NE(at, std::string::npos) << e.diagnostica;
    std::string resto = e.diagnostica.substr(at + prefisso.size());
    std::string nome = resto.substr(0, resto.find('\''));
    EXPECT_EQ(resto, nome + "': Input/output error (injected)\n");
    EXPECT_TRUE(nuovi.count(nome)) << nome << " is not a file of the run";
    if (nome.ends_with(".txt")) binari_vecchi();  // no compile after a text that was not written whole
  }
}

TEST(Run, TheConsoleErrorBoxIsOneLineOnStandardError) {
  FinestraConsole console;
  testing::internal::CaptureStderr();
  errore(console, "1250");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), " Errore n. 1250\n");
  testing::internal::CaptureStdout();
  console.mostra_attesa();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Attendere\n");
}

}  // namespace
}  // namespace scenario
