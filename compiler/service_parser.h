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

}  // namespace scenario
