#include "support/whole_run.h"

#include <cstdlib>
#include <sstream>

#include "io/file_names.h"
#include "sources/built_in_names.h"

namespace scenario::test {

void FinestraProva::termina(int) { std::abort(); }

void FolderConSostituti::rename(const std::string& from, const std::string& to) {
  MemoryFolder::rename(from, to);
  auto it = sostituti_.find(to);
  if (it == sostituti_.end()) return;
  if (it->second)
    files()[to] = *it->second;
  else
    files().erase(to);
}

EsitoRun esegui_in(Folder& folder, int32_t errore_pos) {
  EsitoRun esito;
  esito.s.errori = ErrorLog(errore_pos);
  FinestraProva finestra;
  std::ostringstream diagnostica;
  esito.stato = esegui(esito.s, folder, finestra, diagnostica);
  esito.diagnostica = diagnostica.str();
  esito.riquadri = finestra.riquadri;
  return esito;
}

std::string nome_linea() { return nome_testo_linea(kPercorsoNome); }
std::string nome_servizio() { return nome_testo_servizio(kPercorsoNome, kTrenoNome); }
std::vector<std::string> nomi_documenti() {
  return {nome_note(kPercorsoNome, kTrenoNome), nome_rallentamenti(kPercorsoNome, kTrenoNome),
          nome_scheda(kPercorsoNome, kTrenoNome)};
}
std::vector<std::string> nomi_binari() {
  return {nome_piano(kPercorsoNome), nome_tabella(kPercorsoNome, kTrenoNome), nome_griglia(kPercorsoNome, kTrenoNome)};
}

}  // namespace scenario::test
