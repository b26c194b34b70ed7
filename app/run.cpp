#include "app/run.h"

#include "compiler/compile.h"
#include "documents/writers.h"
#include "io/file_names.h"
#include "model/errors.h"
#include "sources/built_in_names.h"
#include "sources/dati_linea.h"
#include "sources/dati_treno.h"

namespace scenario {
namespace {

void scrivi_testi(RunState& s, Folder& folder) {
  dati_linea(s, folder);
  dati_treno(s, folder);
  dati_note(s, folder);
  dati_rallentamenti(s, folder);
  dati_scheda(s, folder);
}

}  // namespace

void errore(Finestra& finestra, const std::string& a) { finestra.mostra_errore(" Errore n. " + a); }

void riporta_errori(const RunState& s, std::ostream& out) {
  for (const ErroreRegistrato& e : s.errori.voci()) {
    out << "scenario: error " << e.numero;
    if (e.ha_posizione) out << " at " << e.posizione << " m";
    out << ": " << significato_errore(e.numero);
    if (!e.dettaglio.empty()) out << " (" << e.dettaglio << ")";
    out << "\n";
  }
}

int esegui(RunState& s, Folder& folder, Finestra& finestra, std::ostream& diagnostica) {
  s.percorso_nome = kPercorsoNome;
  s.treno_nome = kTrenoNome;
  finestra.mostra_attesa();
  EsitoCompilazione esito;
  try {
    scrivi_testi(s, folder);
    esito = memorizza_percorso(s, folder, 1);
  } catch (const FolderError& e) {
    elimina_testi_descrizione(folder, s.percorso_nome, s.treno_nome);
    riporta_errori(s, diagnostica);
    diagnostica << "scenario: " << e.what() << "\n";
    return kUscitaFatale;
  }
  riporta_errori(s, diagnostica);
  if (esito.fine == EsitoCompilazione::kSenzaGriglia)
    diagnostica << "scenario: the line description left no track grid; no binary file written\n";
  if (esito.fine != EsitoCompilazione::kScritto) {
    errore(finestra, std::to_string(esito.numero_riquadro));
    return kUscitaFatale;
  }
  return s.errori.vuoto() ? kUscitaPulita : kUscitaErrori;
}

}  // namespace scenario
