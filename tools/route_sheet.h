#pragma once
// The route sheet: one self-contained SVG page that shows a compiled
// scenario (map, elevation, line speed and a strip of the track objects),
// drawn from the grid, the service table and the track plan alone.

#include <string>

#include "model/run_state.h"

namespace scenario {

// Draws the sheet of the scenario held in `s` (celle, servizio, planimetria,
// and the names). The plan may be empty; then the map is left out.
std::string disegna_foglio(const RunState& s);

}  // namespace scenario
