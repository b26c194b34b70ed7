#include "compiler/parse_support.h"

#include "model/access.h"

namespace scenario {

TestoInLettura::TestoInLettura(RunState& s, Folder& folder, std::string nome, const std::string& testo, Fonte fonte,
                               const OpzioniLettura& opzioni)
    : s_(s), folder_(folder), nome_(std::move(nome)), opzioni_(opzioni), lettore_(testo, &s.errori.dove) {
  s_.errori.dove = {fonte, 0, 0};
}

void TestoInLettura::leggi_parola() {
  if (!opzioni_.traccia) {
    parola_ = lettore_.leggi_testo();
    s_.errori.dove.offset_record = s_.errori.dove.offset_campo;
    return;
  }
  std::vector<CampoLetto> chiave;
  lettore_.traccia(&chiave);
  try {
    parola_ = lettore_.leggi_testo();
  } catch (...) {
    lettore_.traccia(nullptr);
    throw;
  }
  s_.errori.dove.offset_record = s_.errori.dove.offset_campo;
  s_.letti.push_back({s_.errori.dove.fonte, "", chiave.at(0), {}});
  lettore_.traccia(&s_.letti.back().campi);
}

void TestoInLettura::riconosciuto(IdRecord id) {
  if (opzioni_.traccia && !s_.letti.empty()) s_.letti.back().tipo = record_testo(id).nome;
}

bool TestoInLettura::leggi_chiave() {
  if (lettore_.alla_fine()) return false;
  leggi_parola();
  if (lettore_.alla_fine()) return false;
  for (int i = 0; i < 2 && contiene(parola_, "-"); ++i) {
    leggi_parola();
    if (lettore_.alla_fine()) return false;
  }
  return true;
}

bool TestoInLettura::fuori_griglia(int64_t p, int margine) {
  if (s_.celle.empty()) throw GuastoEsecuzione("a record comes before the route length: no grid yet");
  if (double(s_.n_celle) >= (double(p) + margine) / 50) return false;
  s_.errori.registra(Errore::OltreLaFineDelPercorso, static_cast<int32_t>(p));
  return true;
}

void TestoInLettura::chiudi_ed_elimina() { folder_.remove(nome_); }

Esito TestoInLettura::abbandona(Errore e) {
  chiudi_ed_elimina();
  s_.errori.registra(e);
  return Esito::kAbbandona;
}

Esito TestoInLettura::abbandona(Errore e, int32_t posizione) {
  chiudi_ed_elimina();
  s_.errori.registra(e, posizione);
  return Esito::kAbbandona;
}

Esito TestoInLettura::abbandona_dopo_memo(const ErroreNuovo& nuovo, int32_t posizione) {
  chiudi_ed_elimina();
  if (nuovo.registrato(s_))
    s_.errori.colloca_ultimo(posizione);
  else
    s_.errori.colloca(posizione);
  return Esito::kAbbandona;
}

}  // namespace scenario
