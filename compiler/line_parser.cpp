#include "compiler/line_parser.h"

#include <algorithm>
#include <array>

#include "compiler/field_reader.h"
#include "compiler/parse_support.h"
#include "compiler/text_records.h"
#include "io/file_names.h"
#include "model/access.h"

namespace scenario {
namespace {

// How each cell keeps the gradient: one byte, gradient + 100.
void scrivi_pendenza(Cella& c, int32_t g) { c.pendenza = basso8(int64_t(g) + 100); }

// A general-section record: after that section it is taken for nothing.
bool e_generale(const std::string& l) {
  for (const RecordTesto& r : record_testi())
    if (r.generale && !riconosci(r, l).vuoto()) return true;
  return false;
}

class ParserLinea {
public:
  ParserLinea(RunState& s, Folder& folder, std::string nome, const std::string& testo, const OpzioniLettura& opzioni)
      : s_(s), testo_(s, folder, std::move(nome), testo, Fonte::kLinea, opzioni) {}

  EsitoLinea esegui();

private:
  bool cerca_generale();
  Esito sezione_generale();
  Esito record_generale();
  Esito ripetizione_segnali();
  void prepara_record();
  Esito ciclo_record();
  Esito record();
  Esito pendenza();
  Esito curva();
  Esito montagna();
  Esito indicatori();
  Esito cartello();
  void fine_linea();

  RunState& s_;
  TestoInLettura testo_;
  int32_t prossima_voce_ = kVoceUltimoTesto;
  ValoreACelle pendenza_;
  int64_t cursore_piano_ = 2;
};

EsitoLinea ParserLinea::esegui() {
  if (!cerca_generale()) return {};
  if (sezione_generale() == Esito::kAbbandona) return {};
  progressive_ordina(s_);
  prepara_record();
  if (ciclo_record() == Esito::kAbbandona) return {};
  fine_linea();
  return {true, prossima_voce_};
}

bool ParserLinea::cerca_generale() {
  do {
    testo_.leggi_parola();
    if (testo_.lettore().alla_fine()) {
      testo_.abbandona(Errore::SenzaSezioneGenerale);
      return false;
    }
  } while (!contiene(testo_.parola(), "[generale]"));
  return true;
}

Esito ParserLinea::sezione_generale() {
  auto& r = testo_.lettore();
  for (;;) {
    if (r.alla_fine()) return Esito::kAvanti;
    testo_.leggi_parola();
    if (r.alla_fine()) return Esito::kAvanti;
    // Up to ten comment fields in a row; reading past the end here is a fault.
    for (int i = 0; i < 10; ++i)
      if (contiene(testo_.parola(), "-")) testo_.leggi_parola();
    if (record_generale() == Esito::kAbbandona) return Esito::kAbbandona;
    const std::string& l = testo_.parola();
    bool intestazione = (l.empty() || l[0] != '-') && contiene(l, "[") && contiene(l, "]");
    if (intestazione) return Esito::kAvanti;
  }
}

Esito ParserLinea::record_generale() {
  auto& r = testo_.lettore();
  const std::string& l = testo_.parola();
  if (riconosce(IdRecord::kLunghezzaPercorso, l)) {
    testo_.riconosciuto(IdRecord::kLunghezzaPercorso);
    int32_t lunghezza = r.leggi_long();
    voce(s_, kVocePercorso).fine = lunghezza;
    if (lunghezza > testo_.opzioni().lunghezza_massima) return testo_.abbandona(Errore::LunghezzaOltreIlMassimo);
    dimensiona(s_, lunghezza);
  }
  // The series named "tre", "due" and "uno", in the order the table lists them.
  static constexpr std::array<int, 3> kVoceSerie = {kVoceProgressivaTre, kVoceProgressivaTre + 1,
                                                    kVoceProgressivaTre + 2};
  for (uint8_t i : riconosci(record_testo(IdRecord::kProgressiva), l)) {
    testo_.riconosciuto(IdRecord::kProgressiva);
    Voce& v = voce(s_, kVoceSerie[i]);
    v.inizio = r.leggi_long();
    v.fine = r.leggi_long();
    v.posizione = r.leggi_long();
  }
  // The backgrounds "uno", "due" and "tre" go to these members of the general entry.
  static constexpr std::array<int32_t Voce::*, 3> kSfondo = {&Voce::inizio, &Voce::posizione, &Voce::fine};
  for (uint8_t i : riconosci(record_testo(IdRecord::kSfondo), l)) {
    testo_.riconosciuto(IdRecord::kSfondo);
    voce(s_, kVoceGenerale).*kSfondo[i] = r.leggi_long();
  }
  if (riconosce(IdRecord::kRipetizioneSegnali, l)) {
    testo_.riconosciuto(IdRecord::kRipetizioneSegnali);
    return ripetizione_segnali();
  }
  return Esito::kAvanti;
}

Esito ParserLinea::ripetizione_segnali() {
  auto& r = testo_.lettore();
  Voce& v = voce(s_, kVoceTreno);
  v.inizio = r.leggi_long();
  v.fine = r.leggi_long();
  if (v.inizio % 50 != 0) return testo_.abbandona(Errore::RipetizioneIniziaFuoriPasso);
  if (v.fine % 50 != 0) return testo_.abbandona(Errore::RipetizioneFinisceFuoriPasso);
  const CodiciRipetizione* codici = nullptr;
  for (const CodiciRipetizione& c : kCodiciRipetizione) {
    if (contiene(testo_.parola(), c.cifra)) {
      codici = &c;
      break;
    }
  }
  if (!codici) return testo_.abbandona(Errore::RipetizioneSenzaCodici);
  v.posizione = codici->codici;
  if (v.fine == 0) v.posizione = 0;
  return Esito::kAvanti;
}

void ParserLinea::prepara_record() {
  s_.n_montagne = 0;
  prossima_voce_ = kVoceUltimoTesto;
  pendenza_ = ValoreACelle{};
  cursore_piano_ = 2;
  if (s_.genera_linea) {
    metti_punto(s_, 0, 0, ValorePiano::di_intero(0));
    metti_punto(s_, 0, 1, ValorePiano::di_intero(0));
    metti_punto(s_, 1, 0, ValorePiano::di_intero(0));
    metti_punto(s_, 1, 1, ValorePiano::di_intero(1));
  }
}

Esito ParserLinea::ciclo_record() {
  for (;;) {
    if (!testo_.leggi_chiave()) return Esito::kFine;
    Esito e = record();
    if (e != Esito::kAvanti) return e;
  }
}

Esito ParserLinea::record() {
  const std::string l = testo_.parola();
  Esito e = Esito::kAvanti;
  auto prova = [&](IdRecord id, bool ammesso, Esito (ParserLinea::*azione)()) {
    if (e != Esito::kAvanti || !ammesso || !riconosce(id, l)) return;
    testo_.riconosciuto(id);
    e = (this->*azione)();
  };
  prova(IdRecord::kPendenza, true, &ParserLinea::pendenza);
  prova(IdRecord::kCurva, s_.genera_linea, &ParserLinea::curva);
  prova(IdRecord::kMontagna, true, &ParserLinea::montagna);
  prova(IdRecord::kIndicatoriVMax, true, &ParserLinea::indicatori);
  prova(IdRecord::kCartelloIndicatore, true, &ParserLinea::cartello);
  // Too late for the general section: taken for nothing, noted for the tools.
  if (testo_.opzioni().traccia && !s_.letti.empty() && *s_.letti.back().tipo == '\0' && e_generale(l))
    s_.letti.back().tipo = kGeneraleInRitardo;
  return e;
}

Esito ParserLinea::pendenza() {
  auto& r = testo_.lettore();
  int32_t p = r.leggi_long();
  int32_t g = r.leggi_long();
  const Contesto dove_g = s_.errori.dove;
  if (testo_.fuori_griglia(p, 100)) return Esito::kFine;
  pendenza_.riempi_fino(s_, cella_corsa(p), false, scrivi_pendenza);
  pendenza_.nuovo(g, dove_g);
  return Esito::kAvanti;
}

Esito ParserLinea::curva() {
  auto& r = testo_.lettore();
  int32_t inizio = r.leggi_long();
  int32_t lunghezza = r.leggi_long();
  if (testo_.fuori_griglia(inizio, 100)) return Esito::kFine;
  double curvatura = 0;
  bool trovata = false;
  for (auto [cifra, valore] : kClassiCurva) {
    if (contiene(testo_.parola(), cifra)) {
      curvatura = valore;
      trovata = true;
      break;
    }
  }
  if (!trovata) return testo_.abbandona(Errore::CurvaSenzaClasse);
  if (contiene(testo_.parola(), kCurvaSinistra)) curvatura = -curvatura;

  // Straight up to the curve's start, then curved to its end. Each run of
  // steps stops once it has computed position kMaxPuntiPiano (or the
  // position it started at, when already past it): the plan has grown too far.
  int64_t& k = cursore_piano_;
  auto ultimo_passo = [&k](int64_t fino) { return std::max(std::min(fino, kMaxPuntiPiano), k); };
  if (k <= inizio) {
    passi_rettilinei(s_, k, ultimo_passo(inizio));
    if (k > kMaxPuntiPiano) return testo_.abbandona(Errore::CurvaSenzaClasse);
  }
  const int64_t fine = int64_t(inizio) + lunghezza;
  if (k <= fine) {
    passi_in_curva(s_, k, ultimo_passo(fine), curvatura);
    if (k > kMaxPuntiPiano) return testo_.abbandona(Errore::CurvaSenzaClasse);
  }
  return Esito::kAvanti;
}

Esito ParserLinea::montagna() {
  auto& r = testo_.lettore();
  int32_t inizio = r.leggi_long();
  int32_t fine = r.leggi_long();
  int32_t tipo = r.leggi_long();
  if (testo_.fuori_griglia(inizio, 100)) return Esito::kFine;
  ErroreNuovo nuovo(s_);
  memo_montagna(s_, inizio, fine, tipo);
  if (s_.errori.errore_n() > 0) return testo_.abbandona_dopo_memo(nuovo, inizio);
  return Esito::kAvanti;
}

Esito ParserLinea::indicatori() {
  auto& r = testo_.lettore();
  IndicatoriVMax t;
  t.posizione = r.leggi_long();
  t.vas = r.leggi_long(), t.vbs = r.leggi_long(), t.vcs = r.leggi_long();
  t.strisces = r.leggi_integer();
  t.vad = r.leggi_long(), t.vbd = r.leggi_long(), t.vcd = r.leggi_long();
  t.strisced = r.leggi_integer();
  if (testo_.fuori_griglia(t.posizione, 100)) return Esito::kFine;
  ErroreNuovo nuovo(s_);
  memo_indicatori_v_max(s_, t);
  if (s_.errori.errore_n() > 0) return testo_.abbandona_dopo_memo(nuovo, t.posizione);
  return Esito::kAvanti;
}

Esito ParserLinea::cartello() {
  auto& r = testo_.lettore();
  int32_t p = r.leggi_long();
  const std::string testo = r.leggi_testo();
  if (testo_.fuori_griglia(p, 100)) return Esito::kFine;
  Cella& c = cella(s_, cella_oggetto(p));
  if (!cella_libera(c.tipo)) return testo_.abbandona(Errore::CartelloSuCellaOccupata, p);
  if (prossima_voce_ < 1) throw GuastoEsecuzione("more than 80 indication boards: no service entry left for the text");
  // The table file gives a text a 16-bit length.
  if (testo.size() > 0xFFFF) throw GuastoEsecuzione("board text longer than 65,535 bytes");
  c.tipo = kCartelloIndicatore;
  c.valore1 = basso16(prossima_voce_);
  voce(s_, prossima_voce_).testo = testo;
  --prossima_voce_;
  return Esito::kAvanti;
}

void ParserLinea::fine_linea() {
  testo_.chiudi_ed_elimina();
  pendenza_.riempi_alla_fine(s_, scrivi_pendenza);
  if (s_.genera_linea) passi_rettilinei(s_, cursore_piano_, int64_t(s_.lunghezza_estesa) - 2);
}

}  // namespace

EsitoLinea leggi_linea(RunState& s, Folder& folder, const OpzioniLettura& opzioni) {
  std::string nome = nome_testo_linea(s.percorso_nome);
  if (!folder.exists(nome)) {
    s.errori.registra(Errore::LineaMancante);
    return {};
  }
  s.errori.dove = {Fonte::kLinea, 0, 0};
  std::string testo = folder.read(nome);
  ParserLinea parser(s, folder, nome, testo, opzioni);
  return parser.esegui();
}

}  // namespace scenario
