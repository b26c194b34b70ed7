#pragma once
// Checked access to the structures of a run: an index outside the grid, the
// table, the plan or the tunnel lists is refused as a run-time fault before
// anything is read or written.

#include "model/errors.h"
#include "model/numbers.h"
#include "model/run_state.h"

namespace scenario {

// Inline, as the grid passes call it for every cell they touch; the fault
// itself is out of line.
[[noreturn]] void fuori_dalla_griglia(const RunState& s, int64_t i);
inline Cella& cella(RunState& s, int64_t i) {
  if (i < 0 || i >= static_cast<int64_t>(s.celle.size())) fuori_dalla_griglia(s, i);
  return s.celle[static_cast<size_t>(i)];
}
Voce& voce(RunState& s, int64_t i);
const ValorePiano& punto(const RunState& s, int64_t posizione, int coordinata);
void metti_punto(RunState& s, int64_t posizione, int coordinata, const ValorePiano& v);

// Dimensions the grid (and, with genera_linea, the plan) for a route of
// `lunghezza` metres: every cell and point empty. A length that leaves no
// cell 1 is a run-time fault.
void dimensiona(RunState& s, int64_t lunghezza);

// Clears the 87 entries of the service table.
void svuota_servizio(RunState& s);

}  // namespace scenario
