#pragma once
// The first half of the parse: the line description text becomes the grid's
// gradients, tunnels and boards, the board texts and header entries of the
// service table, and the per-metre track plan.

#include <cstdint>

#include "compiler/read_options.h"
#include "io/folder.h"
#include "model/run_state.h"

namespace scenario {

struct EsitoLinea {
  bool prosegui = false;                // false: memorizza_dati returns at once
  int32_t prossima_voce_cartello = 80;  // first service entry not used by a board text
};

// Reads, compiles and deletes the line text. Run-time faults are thrown
// (GuastoEsecuzione, FolderError) for memorizza_dati to clean up.
EsitoLinea leggi_linea(RunState& s, Folder& folder, const OpzioniLettura& opzioni = {});

void progressive_ordina(RunState& s);
void memo_montagna(RunState& s, int32_t inizio, int32_t fine, int32_t& tipo);
// A speed-limit board's values, as read: three speeds and the stripes for
// the left side (s) and for the right (d).
struct IndicatoriVMax {
  int32_t posizione = 0;
  int32_t vas = 0, vbs = 0, vcs = 0;
  int16_t strisces = 0;
  int32_t vad = 0, vbd = 0, vcd = 0;
  int16_t strisced = 0;
};
void memo_indicatori_v_max(RunState& s, const IndicatoriVMax& t);

// The plan may not grow past this position while curves are applied.
inline constexpr int64_t kMaxPuntiPiano = 1000000;

// Straight steps of the plan from cursor k while k <= fino: each point
// repeats the step between the two before it.
void passi_rettilinei(RunState& s, int64_t& k, int64_t fino);
// Curved steps: the step between the two points before, turned by `curvatura`
// (x + (dx + c dy), y + (dy - c dx)).
void passi_in_curva(RunState& s, int64_t& k, int64_t fino, double curvatura);

}  // namespace scenario
