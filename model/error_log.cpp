#include "model/error_log.h"

namespace scenario {

void ErrorLog::registra(Errore e, const DatiErrore& dati) {
  errore_n_ = numero(e);
  if (dati.ha_posizione) errore_pos_ = dati.posizione;
  ErroreRegistrato r;
  r.numero = errore_n_;
  r.ha_posizione = dati.ha_posizione;
  r.posizione = errore_pos_;
  r.fonte = dove.fonte;
  r.offset_campo = dove.offset_campo;
  r.offset_record = dove.offset_record;
  r.offset_letto = dove.offset_letto;
  r.cella = dati.cella;
  r.dettaglio = dati.dettaglio;
  voci_.push_back(std::move(r));
}

void ErrorLog::colloca_ultimo(int32_t posizione) {
  errore_pos_ = posizione;
  if (voci_.empty()) return;
  voci_.back().ha_posizione = true;
  voci_.back().posizione = posizione;
}

void ErrorLog::azzera() {
  errore_n_ = 0;
  voci_.clear();
}

}  // namespace scenario
