#include "compiler/service_parser.h"

#include <string>

#include "compiler/parse_support.h"
#include "compiler/text_records.h"
#include "io/file_names.h"
#include "model/access.h"

namespace scenario {
namespace {

// How each cell keeps the timetable speed (in 5 km/h steps, one byte) and
// the adhesion (its low byte).
void scrivi_velocita(Cella& c, int32_t v) { c.vel_limite = a_byte(double(v) / 5); }
void scrivi_aderenza(Cella& c, int32_t a) { c.aderenza = basso8(a); }

class ParserServizio {
public:
  ParserServizio(RunState& s, Folder& folder, std::string nome, const std::string& testo, int32_t limite,
                 const OpzioniLettura& opzioni)
      : s_(s), testo_(s, folder, std::move(nome), testo, Fonte::kServizio, opzioni), limite_stazioni_(limite) {}

  void esegui();

private:
  bool cerca_generale();
  Esito record();
  Esito velocita();
  Esito aderenza();
  Esito segnale();
  Esito rallentamento();
  Esito abbattimento();
  Esito stazione();
  Esito area_e_segni(Voce& e, int32_t lunghezza);
  void fine_servizio();

  RunState& s_;
  TestoInLettura testo_;
  int32_t limite_stazioni_;
  int32_t contatore_ = 1;
  ValoreACelle velocita_;
  ValoreACelle aderenza_;
};

void ParserServizio::esegui() {
  if (cerca_generale()) {
    for (;;) {
      if (!testo_.leggi_chiave()) break;
      Esito e = record();
      if (e == Esito::kAbbandona) return;
      if (e == Esito::kFine) break;
    }
  }
  fine_servizio();
}

bool ParserServizio::cerca_generale() {
  do {
    testo_.leggi_parola();
    if (contiene(testo_.parola(), "[generale]")) return true;
  } while (!testo_.lettore().alla_fine());
  return false;
}

Esito ParserServizio::record() {
  auto& r = testo_.lettore();
  const std::string l = testo_.parola();
  Esito e = Esito::kAvanti;
  auto prova = [&](IdRecord id, auto azione) {
    if (e != Esito::kAvanti || !riconosce(id, l)) return;
    testo_.riconosciuto(id);
    e = azione();
  };
  prova(IdRecord::kMassaFrenata, [&] {
    voce(s_, kVocePercorso).inizio = r.leggi_long();
    return Esito::kAvanti;
  });
  prova(IdRecord::kVetture, [&] {
    voce(s_, kVocePercorso).posizione = r.leggi_long();
    return Esito::kAvanti;
  });
  prova(IdRecord::kVelocita, [&] { return velocita(); });
  prova(IdRecord::kAderenza, [&] { return aderenza(); });
  prova(IdRecord::kOrologio, [&] {
    Voce& v = voce(s_, kVoceTreno);
    v.campo10 = r.leggi_integer();
    v.campo11 = r.leggi_integer();
    v.campo12 = r.leggi_integer();
    return Esito::kAvanti;
  });
  prova(IdRecord::kSabbia, [&] {
    voce(s_, kVoceTreno).campo7 = r.leggi_integer();
    return Esito::kAvanti;
  });
  prova(IdRecord::kSegnale, [&] { return segnale(); });
  prova(IdRecord::kRallentamento, [&] { return rallentamento(); });
  prova(IdRecord::kAbbattimento, [&] { return abbattimento(); });
  prova(IdRecord::kStazione, [&] { return stazione(); });
  return e;
}

Esito ParserServizio::velocita() {
  auto& r = testo_.lettore();
  int32_t p = r.leggi_long();
  int32_t v = r.leggi_long();
  const Contesto dove_v = s_.errori.dove;
  if (testo_.fuori_griglia(p, 100)) return Esito::kFine;
  velocita_.riempi_fino(s_, cella_corsa(p), true, scrivi_velocita);
  velocita_.nuovo(v, dove_v);
  return Esito::kAvanti;
}

Esito ParserServizio::aderenza() {
  auto& r = testo_.lettore();
  int32_t p = r.leggi_long();
  int32_t a = r.leggi_long();
  const Contesto dove_a = s_.errori.dove;
  if (testo_.fuori_griglia(p, 100)) return Esito::kFine;
  aderenza_.riempi_fino(s_, cella_corsa(p), false, scrivi_aderenza);
  aderenza_.nuovo(a, dove_a);
  return Esito::kAvanti;
}

Esito ParserServizio::segnale() {
  auto& r = testo_.lettore();
  Segnale g;
  // The fields in the order they are written.
  for (int32_t* campo : {&g.posizione, &g.sx, &g.s1, &g.s2, &g.s3, &g.rapp, &g.dx, &g.d1, &g.d2, &g.d3, &g.tempo})
    *campo = r.leggi_long();
  if (testo_.fuori_griglia(g.posizione, 100)) return Esito::kFine;
  ErroreNuovo nuovo(s_);
  memo_segnale(s_, g);
  if (s_.errori.errore_n() > 0) return testo_.abbandona_dopo_memo(nuovo, g.posizione);
  return Esito::kAvanti;
}

Esito ParserServizio::rallentamento() {
  auto& r = testo_.lettore();
  Rallentamento g;
  for (int32_t* campo : {&g.x, &g.v, &g.l, &g.f_tt, &g.f_ta, &g.d_v}) *campo = r.leggi_long();
  if (testo_.fuori_griglia(g.x, 100)) return Esito::kFine;
  ErroreNuovo nuovo(s_);
  memo_rallentamento(s_, g);
  if (s_.errori.errore_n() > 0) return testo_.abbandona_dopo_memo(nuovo, g.x);
  return Esito::kAvanti;
}

Esito ParserServizio::abbattimento() {
  auto& r = testo_.lettore();
  int32_t p = r.leggi_long();
  int32_t w = r.leggi_long();
  if (testo_.fuori_griglia(p, 100)) return Esito::kFine;
  Cella& c = cella(s_, cella_corsa(p));
  if (!cella_libera(c.tipo)) return testo_.abbandona(Errore::AbbattimentoSuCellaOccupata, p);
  if (w > 0) {
    c.tipo = kCodice;
    c.valore1 = basso16(w);
  } else {
    c.tipo = kCodiceSenzaValore;
  }
  return Esito::kAvanti;
}

void ParserServizio::fine_servizio() {
  testo_.chiudi_ed_elimina();
  velocita_.riempi_alla_fine(s_, scrivi_velocita);
  aderenza_.riempi_alla_fine(s_, scrivi_aderenza);
  bool fuori_passo = false;
  for (int i = kVoceProgressivaTre; i < kVoceProgressivaTre + 3; ++i) {
    const Voce& v = voce(s_, i);
    if (v.inizio % 50 != 0 || v.fine % 50 != 0) fuori_passo = true;
  }
  if (fuori_passo) s_.errori.registra(Errore::ProgressivaFuoriPasso);
}

Esito ParserServizio::stazione() {
  auto& r = testo_.lettore();
  // With every entry up to the next free one taken by board texts there is
  // no room even for the first station.
  if (contatore_ > limite_stazioni_) return testo_.abbandona(Errore::TroppeStazioni);
  Voce& e = voce(s_, contatore_);
  e.posizione = r.leggi_long();
  if (testo_.fuori_griglia(e.posizione, 800)) return Esito::kFine;
  if (e.posizione % 50 != 0) return testo_.abbandona(Errore::StazioneFuoriPasso, e.posizione);
  e.tipo = r.leggi_byte();
  int32_t lunghezza = r.leggi_long();
  if (lunghezza % 100 != 0) return testo_.abbandona(Errore::LunghezzaStazioneFuoriPasso, e.posizione);
  e.campo4 = r.leggi_byte();
  e.campo5 = r.leggi_byte();
  e.campo6 = r.leggi_byte();
  e.campo7 = r.leggi_integer();
  e.campo8 = r.leggi_integer();
  e.campo9 = r.leggi_byte();
  e.campo10 = r.leggi_integer();
  e.campo11 = r.leggi_integer();
  e.campo12 = r.leggi_integer();
  e.campo13 = r.leggi_byte();
  int64_t ore = r.leggi_long(), minuti = r.leggi_long(), secondi = r.leggi_long();
  e.orario = stretto32((ore * 60 + minuti) * 60 + secondi, "timetable time");
  // The table file gives a name a 16-bit length: a longer one is refused
  // before it reaches the entry, so the table can still be written.
  std::string nome = r.leggi_testo();
  if (nome.size() > 0xFFFF) throw GuastoEsecuzione("station name longer than 65,535 bytes");
  e.testo = std::move(nome);
  return area_e_segni(e, lunghezza);
}

Esito ParserServizio::area_e_segni(Voce& e, int32_t lunghezza) {
  const int64_t p = e.posizione;
  if (e.tipo == 5 || e.tipo == 6) {
    e.fine = stretto32(p + 150, "station end");
    e.inizio = stretto32(p - lunghezza, "station start");
    e.campo6 = 0;
  } else if (e.tipo == 7 || e.tipo == 8) {
    e.inizio = stretto32(p - lunghezza, "station start");
    e.fine = stretto32(p + lunghezza, "station end");
    e.campo6 = 0;
  } else {
    e.inizio = a_long(double(p) - double(lunghezza) / 2);
    e.fine = a_long(double(p) + double(lunghezza) / 2 + (e.campo6 != 0 ? 50 : 0));
  }
  if (lunghezza < 600) e.campo5 = 0;
  if (contatore_ == 1) e.campo5 = e.campo6 = 0;

  if (e.tipo < 25 && e.tipo != 5 && e.tipo != 6) {
    for (int b = 1; b <= 4; ++b) {
      double q = double(e.fine) / 50 - b - 1;
      if (q > 1) cella(s_, nearest(q)).avviso = basso8(80 + b);
    }
  }
  if (e.tipo < 25) {
    double segno = double(e.fine) / 50 - 1;
    if (segno <= 1) return testo_.abbandona(Errore::SegnoStazioneInCellaUno);
    Cella& c = cella(s_, nearest(segno));
    c.tipo = kFineStazione;
    c.valore1 = basso16(contatore_);
  }
  if (contatore_ > 1 && int64_t(e.inizio) - 350 < voce(s_, contatore_ - 1).fine)
    return testo_.abbandona(Errore::StazioniTroppoVicine, e.posizione);
  ++contatore_;
  if (contatore_ >= limite_stazioni_) return testo_.abbandona(Errore::TroppeStazioni);
  return Esito::kAvanti;
}

}  // namespace

void leggi_servizio(RunState& s, Folder& folder, int32_t prossima_voce_cartello, const OpzioniLettura& opzioni) {
  std::string nome = nome_testo_servizio(s.percorso_nome, s.treno_nome);
  s.errori.dove = {Fonte::kServizio, 0, 0};
  std::string testo = folder.read(nome);
  ParserServizio parser(s, folder, nome, testo, prossima_voce_cartello, opzioni);
  parser.esegui();
}

}  // namespace scenario
