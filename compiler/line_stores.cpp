// The store procedures of the line half: kilometre-post ordering, tunnels
// and speed-limit boards.

#include <array>

#include "compiler/line_parser.h"
#include "model/access.h"

namespace scenario {
namespace {

struct Serie {
  int32_t inizio = 0, fine = 0, posizione = 0;
};

Serie serie_di(const Voce& v) { return {v.inizio, v.fine, v.posizione}; }

}  // namespace

void progressive_ordina(RunState& s) {
  const Serie T = serie_di(voce(s, kVoceProgressivaTre)), D = serie_di(voce(s, kVoceProgressivaTre + 1)),
              U = serie_di(voce(s, kVoceProgressivaTre + 2));
  const int64_t t = T.inizio, d = D.inizio, u = U.inizio;
  std::array<Serie, 3> esito{};  // all zero unless a rule below applies
  if (t + d + u != 0) {
    if (t > d && t > u)
      esito = d > u ? std::array{T, D, U} : std::array{T, U, D};
    else if (d > t && d > u)
      esito = t > u ? std::array{D, T, U} : std::array{D, U, T};
    else if (u > t && u > d)
      esito = t > d ? std::array{U, T, D} : std::array{U, D, T};
  } else {
    if (T.fine > 0) esito = {T, D, U};
    if (D.fine > 0) esito = {D, T, U};
    if (U.fine > 0) esito = {U, D, T};
  }
  for (int i = 0; i < 3; ++i) {
    Voce& v = voce(s, kVoceProgressivaTre + i);
    v.inizio = esito[i].inizio;
    v.fine = esito[i].fine;
    v.posizione = esito[i].posizione;
    if (v.posizione == 1) v.fine = stretto32(int64_t(v.fine) + 100, "kilometre-post end");
  }
}

void memo_montagna(RunState& s, int32_t inizio, int32_t fine, int32_t& tipo) {
  bool marcatori = false;
  if (tipo > 10) {
    tipo -= 10;
    marcatori = true;
  }
  if (s.n_montagne >= kMaxMontagne) throw GuastoEsecuzione("more than 80 tunnels");
  ++s.n_montagne;
  s.montagne_inizio[s.n_montagne] = inizio;
  s.montagne_fine[s.n_montagne] = fine;
  if (s.n_montagne > 1 && int64_t(inizio) - s.montagne_fine[s.n_montagne - 1] <= 150) tipo = 3;

  const int64_t prima = nearest(double(inizio) / 50), ultima = nearest(double(fine) / 50 - 1);
  int64_t n = 1;
  for (int64_t c = prima; c <= ultima; ++c, ++n) {
    Cella& x = cella(s, c);
    x.montagna = basso8(tipo);
    if (marcatori && n % 4 == 0 && x.tipo == kBinario) x.tipo = kMarcaMontagna;
  }
}

void memo_indicatori_v_max(RunState& s, const IndicatoriVMax& t) {
  const auto& [posizione, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced] = t;
  Cella& c = cella(s, cella_oggetto(posizione));
  if (!cella_libera(c.tipo)) {
    s.errori.registra(Errore::TabellaSuCellaOccupata);
    return;
  }
  auto velocita = [](int32_t dritta, int32_t sinistra) {
    return a_integer(double(dritta) / 5 + double(int64_t(sinistra) * 20));
  };
  c.tipo = kIndicatoreVMax;
  c.valore1 = velocita(vad, vas);
  c.valore2 = velocita(vbd, vbs);
  c.valore3 = velocita(vcd, vcs);
  c.valore4 = basso16(int64_t(strisces) * 10 + strisced);
}

}  // namespace scenario
