#pragma once
// The three crew documents: fixed texts for the driver, left beside the
// scenario files after the run.

#include "io/folder.h"
#include "model/run_state.h"

namespace scenario {

void dati_note(const RunState& s, Folder& folder);
void dati_rallentamenti(const RunState& s, Folder& folder);
void dati_scheda(const RunState& s, Folder& folder);

}  // namespace scenario
