#pragma once
// The pass over the grid that places cab-signal code cells around slow-downs.

#include <cstdint>

#include "model/run_state.h"

namespace scenario {

void piazza_codici(RunState& s);

}  // namespace scenario
