// The whole program sequence against a folder that fails one operation, or
// every operation from one on, for each operation of a run in turn.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "compiler/binary_writer.h"
#include "io/faulty_folder.h"
#include "io/file_names.h"
#include "io/memory_folder.h"
#include "support/whole_run.h"

namespace scenario {
namespace {

using test::esegui_in;
using test::EsitoRun;

// Passes every operation on and notes which one it was.
class FolderRegistrato : public MemoryFolder {
public:
  struct Operazione {
    std::string tipo, nome;
  };
  std::string read(const std::string& n) override { return nota("read", n), MemoryFolder::read(n); }
  void remove(const std::string& n) override { nota("delete", n), MemoryFolder::remove(n); }
  void create(const std::string& n) override { nota("create", n), MemoryFolder::create(n); }
  void write(const std::string& n, std::string_view b) override { nota("write", n), MemoryFolder::write(n, b); }
  void flush(const std::string& n) override { nota("flush", n), MemoryFolder::flush(n); }
  void rename(const std::string& f, const std::string& t) override { nota("rename", t), MemoryFolder::rename(f, t); }
  void keep_copy(const std::string& n, const std::string& c) override {
    nota("keep", n), MemoryFolder::keep_copy(n, c);
  }
  std::vector<Operazione> operazioni;

private:
  void nota(const char* tipo, const std::string& nome) { operazioni.push_back({tipo, nome}); }
};

bool testo_descrizione(const std::string& nome) { return nome == test::nome_linea() || nome == test::nome_servizio(); }

// The final name that an operation on a scratch file stands for.
std::string nome_finale(const std::string& nome) {
  for (const std::string& f : test::nomi_documenti())
    if (nome == f || is_scratch_name(nome, f)) return f;
  for (const std::string& f : test::nomi_binari())
    if (nome == f || is_scratch_name(nome, f)) return f;
  for (const std::string& f : {test::nome_linea(), test::nome_servizio()})
    if (nome == f || is_scratch_name(nome, f)) return f;
  return nome;
}

std::vector<std::string> nomi_uscita() {
  std::vector<std::string> n = test::nomi_documenti();
  for (const std::string& b : test::nomi_binari()) n.push_back(b);
  return n;
}

class IniezioneGuasti : public ::testing::Test {
protected:
  // A fault in the clean reference runs must fail every test of the suite:
  // gtest reports an assertion failing here as a skip, so it is kept and
  // raised again by each test's own set-up.
  static void SetUpTestSuite() {
    MemoryFolder vuota;
    EsitoRun pulita = esegui_in(vuota);
    if (pulita.stato != 0) {
      guasto_riferimento_ = "the clean reference run failed: " + pulita.diagnostica;
      return;
    }
    for (const std::string& n : nomi_uscita()) {
      const std::string& nuovo = vuota.files().at(n);
      // An older set: other bytes, and shorter, so that a stale tail would show.
      precedenti_[n] = "older " + nuovo.substr(0, nuovo.size() / 2);
      nuovi_[n] = nuovo;
    }
    FolderRegistrato registro;
    EsitoRun registrata = esegui_in(registro);
    if (registrata.stato != 0) {
      guasto_riferimento_ = "the recorded reference run failed: " + registrata.diagnostica;
      return;
    }
    operazioni_ = registro.operazioni;
  }

  void SetUp() override {
    if (!guasto_riferimento_.empty()) FAIL() << guasto_riferimento_;
  }

  // Runs the program with operation n failing, from a folder holding `iniziali`.
  void prova(long n, bool persistente, const std::map<std::string, std::string>& iniziali) {
    const auto& op = operazioni_.at(size_t(n - 1));
    const std::string caso = "operation " + std::to_string(n) + " (" + op.tipo + " '" + op.nome + "')" +
                             (persistente ? " and all after it" : "") +
                             (iniziali.empty() ? ", empty folder" : ", folder with an older set");
    SCOPED_TRACE(caso);
    MemoryFolder memoria;
    memoria.files() = iniziali;
    FaultyFolder guasta(memoria);
    guasta.fail_at(n, persistente);
    EsitoRun r = esegui_in(guasta);

    EXPECT_NE(r.stato, 0);
    const bool dentro_la_lettura = testo_descrizione(op.nome) && (op.tipo == "read" || op.tipo == "delete");
    bool ha_25 = false;
    for (const ErroreRegistrato& e : r.s.errori.voci())
      if (e.numero == 25) {
        ha_25 = true;
        EXPECT_NE(e.dettaglio.find(op.nome), std::string::npos) << e.dettaglio;
      }
    if (dentro_la_lettura) {
      // The run-time fault of the parse: error 25, binary files written when
      // the grid was already made.
      EXPECT_TRUE(ha_25);
      EXPECT_TRUE(r.riquadri.empty() || r.riquadri == std::vector<std::string>{" Errore n. 25"});
      if (!persistente) {
        EXPECT_EQ(r.stato, r.s.griglia_pronta() ? 2 : 1) << r.diagnostica;
      }
    } else {
      EXPECT_FALSE(ha_25);
      EXPECT_EQ(r.stato, 1);
      EXPECT_NE(r.diagnostica.find("'" + nome_finale(op.nome) + "'"), std::string::npos) << r.diagnostica;
      EXPECT_TRUE(r.riquadri.empty());
    }

    // Every output file: the older whole file, or the whole file of this run.
    std::map<std::string, std::string> di_questa_run = nuovi_;
    di_questa_run[nomi_uscita()[3]] = bytes_piano(r.s.planimetria);
    di_questa_run[nomi_uscita()[4]] = bytes_tabella(r.s);
    di_questa_run[nomi_uscita()[5]] = bytes_griglia(r.s);
    for (const std::string& nome : nomi_uscita()) {
      auto it = memoria.files().find(nome);
      if (it == memoria.files().end()) {
        EXPECT_EQ(iniziali.count(nome), 0u) << nome << " vanished";
        continue;
      }
      bool vecchio = iniziali.count(nome) && it->second == iniziali.at(nome);
      EXPECT_TRUE(vecchio || it->second == di_questa_run[nome]) << nome << " is neither the older nor a whole new file";
    }

    // The three binary files replace the older set together: they are all
    // older or all new, unless every operation from a rename on fails, so
    // that the renames done cannot be undone either.
    if (!iniziali.empty() && !(persistente && op.tipo == "rename")) {
      int vecchi = 0;
      for (size_t i = 3; i < 6; ++i) vecchi += memoria.files().at(nomi_uscita()[i]) == iniziali.at(nomi_uscita()[i]);
      EXPECT_TRUE(vecchi == 0 || vecchi == 3) << vecchi << " of the three binary files are the older ones";
    }

    // Nothing of the run's own is left: no scratch file, no description text.
    // When every later operation fails, deletes fail too, so at most the
    // scratch and kept older files of the set in hand and the texts can stay.
    int scratch = 0;
    for (const auto& [nome, contenuto] : memoria.files()) {
      bool proprio = nome[0] == '.' || testo_descrizione(nome);
      if (!proprio) continue;
      // A delete that fails leaves its file: an older binary file kept while the set was renamed.
      const bool cancellazione_fallita = op.tipo == "delete" && op.nome == nome;
      if (!persistente && !cancellazione_fallita) ADD_FAILURE() << nome << " remains";
      if (nome[0] == '.') ++scratch;
    }
    EXPECT_LE(scratch, 6);  // the set's three scratch files and three kept older files
  }

  static inline std::string guasto_riferimento_;
  static inline std::map<std::string, std::string> vuoto_;
  static inline std::map<std::string, std::string> precedenti_, nuovi_;
  static inline std::vector<FolderRegistrato::Operazione> operazioni_;
};

TEST_F(IniezioneGuasti, TheCountingRunSeesEveryKindOfOperation) {
  std::set<std::string> tipi;
  for (const auto& op : operazioni_) tipi.insert(op.tipo);
  EXPECT_EQ(tipi, (std::set<std::string>{"create", "delete", "flush", "read", "rename", "write"}));
  MemoryFolder memoria;
  FaultyFolder conta(memoria);
  esegui_in(conta);
  EXPECT_EQ(conta.operations(), long(operazioni_.size()));
}

// Every kept file is flushed before it takes its name; the description
// texts, deleted as soon as they are read, never are.
TEST_F(IniezioneGuasti, KeptFilesAreFlushedAndTheDescriptionTextsAreNot) {
  std::set<std::string> flushed;
  for (const auto& op : operazioni_)
    if (op.tipo == "flush") flushed.insert(nome_finale(op.nome));
  const std::vector<std::string> uscite = nomi_uscita();
  const std::set<std::string> kept(uscite.begin(), uscite.end());
  EXPECT_EQ(flushed, kept);
  for (const auto& op : operazioni_)
    EXPECT_FALSE(op.tipo == "flush" && testo_descrizione(nome_finale(op.nome))) << op.nome;
}

TEST_F(IniezioneGuasti, OneFailingOperation) {
  for (const auto* iniziali : {&vuoto_, &precedenti_})
    for (long n = 1; n <= long(operazioni_.size()); ++n) prova(n, false, *iniziali);
}

TEST_F(IniezioneGuasti, EveryOperationFailingFromOneOn) {
  for (const auto* iniziali : {&vuoto_, &precedenti_})
    for (long n = 1; n <= long(operazioni_.size()); ++n) prova(n, true, *iniziali);
}

}  // namespace
}  // namespace scenario
