#pragma once
// The second half of the parse: the service description text becomes the
// run data, signals, slow-downs, code steps and stations of the grid and the
// service table.

#include <cstdint>

#include "io/folder.h"
#include "model/run_state.h"

namespace scenario {

// Reads, compiles and deletes the service text. `prossima_voce_cartello` is
// the first service entry below the board texts. Run-time faults are thrown.
void leggi_servizio(RunState& s, Folder& folder, int32_t prossima_voce_cartello);

void memo_segnale(RunState& s, int32_t posizione, int32_t& sx, int32_t& s1, int32_t& s2, int32_t& s3,
                  int32_t& rapp, int32_t& dx, int32_t& d1, int32_t& d2, int32_t& d3, int32_t& tempo);
void memo_rallentamento(RunState& s, int32_t x, int32_t& v, int32_t& l, int32_t& f_tt, int32_t f_ta,
                        int32_t& d_v);

}  // namespace scenario
