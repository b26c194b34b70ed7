#pragma once
// Running the whole program sequence in a folder of the test's choosing, with
// a window that records instead of showing, and a folder that hands the
// compiler other description texts than the built-in ones.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/run.h"
#include "app/window.h"
#include "io/memory_folder.h"
#include "model/run_state.h"

namespace scenario::test {

// Records what the program asks of the window.
class FinestraProva : public Finestra {
public:
  void mostra_attesa() override { ++attese; }
  void mostra_errore(const std::string& testo) override { riquadri.push_back(testo); }
  [[noreturn]] void termina(int stato) override;

  int attese = 0;
  std::vector<std::string> riquadri;
};

// A folder in memory in which a file, once the program has written it whole,
// is swapped for the test's own content, or removed when that is nullopt.
// This is how a fixture reaches the parser through the real run sequence.
class FolderConSostituti : public MemoryFolder {
public:
  void sostituisci(const std::string& nome, std::optional<std::string> contenuto) {
    sostituti_[nome] = std::move(contenuto);
  }
  void rename(const std::string& from, const std::string& to) override;

private:
  std::map<std::string, std::optional<std::string>> sostituti_;
};

struct EsitoRun {
  int stato = -1;
  std::string diagnostica;
  std::vector<std::string> riquadri;
  RunState s;
};

// The program once in `folder`: esegui() with a recording window. The run
// state starts with `errore_pos`, so that an error that sets none shows.
EsitoRun esegui_in(Folder& folder, int32_t errore_pos = 0);

// The names of the files of a run with the built-in names.
std::string nome_linea();
std::string nome_servizio();
std::vector<std::string> nomi_documenti();
std::vector<std::string> nomi_binari();

}  // namespace scenario::test
