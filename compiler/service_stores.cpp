// The store procedures of the service half: signals and slow-downs.

#include "compiler/service_parser.h"
#include "model/access.h"

namespace scenario {

void memo_segnale(RunState& s, const Segnale& g) {
  const auto& [posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo_letto] = g;
  const int64_t i = cella_oggetto(posizione);
  Cella& c = cella(s, i);
  if (!cella_libera(c.tipo)) {
    s.errori.registra(Errore::SegnaleSuCellaOccupata);
    return;
  }
  // The four approach marks stand 100 to 400 m before the signal.
  if (i - 8 < 0)
    throw GuastoEsecuzione("signal at " + std::to_string(posizione) +
                           " m: its approach marks would fall before the start of the route");
  c.tipo = kSegnale;
  c.valore4 = basso16(int64_t(rapp) * 10 + int64_t(sx) * 3 + dx);
  c.valore1 = basso16(int64_t(s1) * 10 + d1);
  c.valore2 = basso16(int64_t(s2) * 10 + d2);
  c.valore3 = basso16(int64_t(s3) * 10 + d3);
  const int32_t tempo = tempo_letto >= 1 && tempo_letto <= 100 ? 101 : tempo_letto;
  c.tempo = sx == 2 ? basso8(tempo) : 0;
  for (int b = 1; b <= 4; ++b) cella(s, i - 2 * b).avviso = basso8((int64_t(sx) * 3 + dx) * 10 + b);
}

namespace {

void segna_rallentamento(Cella& c, TipoCella tipo, int32_t d_v) {
  c.tipo = tipo;
  if (d_v != 0) c.valore2 = basso16(d_v);
}

}  // namespace

void memo_rallentamento(RunState& s, const Rallentamento& r) {
  const auto& [x, v, l, f_tt, f_ta_letto, d_v] = r;
  const int64_t avviso = nearest((double(x) - 1200) / 50 + 1);
  const int64_t inizio = cella_oggetto(x);
  const int64_t fine = cella_oggetto(int64_t(x) + l);
  const int64_t sequenza = nearest((double(x) - 1200) / 50);
  const bool con_avviso = x > 1500;
  const int32_t f_ta = con_avviso ? f_ta_letto : 0;

  if (con_avviso && !cella_libera(cella(s, avviso).tipo)) return s.errori.registra(Errore::AvvisoRallentamentoOccupato);
  if (!cella_libera(cella(s, inizio).tipo)) return s.errori.registra(Errore::InizioRallentamentoOccupato);
  if (!cella_libera(cella(s, fine).tipo)) return s.errori.registra(Errore::FineRallentamentoOccupata);

  segna_rallentamento(cella(s, fine), kFineRallentamento, d_v);
  segna_rallentamento(cella(s, inizio), kInizioRallentamento, d_v);
  if (con_avviso) {
    segna_rallentamento(cella(s, avviso), kAvvisoRallentamento, d_v);
    cella(s, avviso).valore1 = basso16(v);
  }
  for (int64_t c : {inizio, fine}) {
    cella(s, c).valore1 = basso16(v);
    cella(s, c).valore3 = basso16(f_tt);
  }
  if (f_ta == 0) return;
  for (int n = 0; n < 4; ++n)
    if (!cella_libera(cella(s, sequenza - n).tipo)) return s.errori.registra(Errore::SequenzaAvvisoOccupata);
  for (int n = 0; n < 4; ++n) {
    Cella& c = cella(s, sequenza - n);
    c.tipo = kSequenzaAvviso;
    c.valore1 = basso16(n + 1);
    if (d_v != 0) c.valore2 = basso16(n + 1);
  }
}

}  // namespace scenario
