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

// The line under the sheet's title: route length, stations, signals and the
// scenario codes.
std::string riassunto_foglio(const RunState& s);

// Where the sheet's kilometre axis lies, in the sheet's units: x of 0 m and
// of `lunghezza` m, and the top and bottom of the profiles drawn on it.
// Objects on the line carry their metres as data-m.
struct AsseFoglio {
  double x0 = 0;
  double x1 = 0;
  double lunghezza = 0;
  double y0 = 0;
  double y1 = 0;
};
AsseFoglio asse_foglio(const RunState& s);

}  // namespace scenario
