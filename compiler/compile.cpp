#include "compiler/compile.h"

#include "compiler/binary_writer.h"
#include "compiler/code_placement.h"
#include "compiler/line_parser.h"
#include "compiler/service_parser.h"
#include "io/file_names.h"
#include "model/access.h"

namespace scenario {
namespace {

// Closes the way out of a fault: whichever description text still exists
// is deleted and the fault recorded.
void pulizia_guasto(RunState& s, Folder& folder, const std::string& dettaglio) {
  elimina_testi_descrizione(folder, s.percorso_nome, s.treno_nome);
  DatiErrore dati;
  dati.dettaglio = dettaglio;
  s.errori.registra(Errore::GuastoInLettura, dati);
}

}  // namespace

void memorizza_dati(RunState& s, Folder& folder, const OpzioniLettura& opzioni) {
  try {
    voce(s, kVoceGenerale).testo = s.percorso_nome;
    voce(s, kVoceTreno).testo = s.treno_nome;
    EsitoLinea linea = leggi_linea(s, folder, opzioni);
    if (!linea.prosegui) return;
    leggi_servizio(s, folder, linea.prossima_voce_cartello, opzioni);
  } catch (const GuastoEsecuzione& e) {
    pulizia_guasto(s, folder, e.what());
  } catch (const FolderError& e) {
    pulizia_guasto(s, folder, e.what());
  }
}

EsitoCompilazione compila_percorso(RunState& s, Folder& folder, int32_t j, const OpzioniLettura& opzioni) {
  s.genera_linea = j != 0;
  s.errori.azzera();
  s.letti.clear();
  svuota_servizio(s);
  memorizza_dati(s, folder, opzioni);
  if (!s.griglia_pronta()) return {EsitoCompilazione::kSenzaGriglia, s.errori.errore_n()};
  s.errori.dove = {Fonte::kPiazzamento, 0, 0};
  piazza_codici(s);
  s.errori.dove = {Fonte::kScrittura, 0, 0};
  if (int32_t n = memorizza_marcatori(s); n != 0) return {EsitoCompilazione::kSlotOccupato, n};
  return {};
}

EsitoCompilazione memorizza_percorso(RunState& s, Folder& folder, int32_t j, const OpzioniLettura& opzioni) {
  EsitoCompilazione esito = compila_percorso(s, folder, j, opzioni);
  if (esito.fine == EsitoCompilazione::kScritto) scrivi_file_binari(s, folder);
  return esito;
}

}  // namespace scenario
