#include "model/access.h"

namespace scenario {

void fuori_dalla_griglia(const RunState& s, int64_t i) {
  throw GuastoEsecuzione("cell " + std::to_string(i) + " lies outside the grid (0 to " +
                         std::to_string(int64_t(s.celle.size()) - 1) + ")");
}

Voce& voce(RunState& s, int64_t i) {
  if (i < 0 || i >= kVociServizio) throw GuastoEsecuzione("service entry " + std::to_string(i) + " does not exist");
  return s.servizio[static_cast<size_t>(i)];
}

namespace {
size_t nel_piano(const AssePiano& asse, int64_t posizione) {
  if (posizione < 0 || posizione >= static_cast<int64_t>(asse.size()))
    throw GuastoEsecuzione("plan position " + std::to_string(posizione) + " lies outside the plan");
  return static_cast<size_t>(posizione);
}
}  // namespace

const ValorePiano& punto(const RunState& s, int64_t posizione, int coordinata) {
  const AssePiano& asse = s.planimetria.coordinata[coordinata];
  return asse[nel_piano(asse, posizione)];
}

void metti_punto(RunState& s, int64_t posizione, int coordinata, const ValorePiano& v) {
  AssePiano& asse = s.planimetria.coordinata[coordinata];
  asse.metti(nel_piano(asse, posizione), v);
}

void dimensiona(RunState& s, int64_t lunghezza) {
  int64_t estesa = lunghezza + kOltreLaFine;
  int64_t n = nearest(double(estesa) / 50);
  // A grid needs a cell 1: the format marker and the scenario code go there.
  if (n < 1 || estesa < 0)
    throw GuastoEsecuzione("route length " + std::to_string(lunghezza) + " leaves no grid with a cell 1");
  s.lunghezza_estesa = stretto32(estesa, "extended route length");
  s.n_celle = stretto32(n, "cell count");
  s.celle.assign(static_cast<size_t>(n) + 1, Cella{});
  const size_t posizioni = s.genera_linea ? static_cast<size_t>(estesa) + 1 : 0;
  s.planimetria = piano_vuoto(posizioni);
}

void svuota_servizio(RunState& s) { s.servizio.fill(Voce{}); }

}  // namespace scenario
