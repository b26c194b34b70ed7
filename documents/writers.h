#pragma once
// The three crew documents: fixed texts for the driver, left beside the
// scenario files after the run. Each writer replaces an older file of the
// same name whole.

#include <string_view>
#include <vector>

#include "io/folder.h"
#include "model/run_state.h"

namespace scenario {

// The lines of each document as the program holds them (UTF-8).
const std::vector<std::string_view>& righe_note();
const std::vector<std::string_view>& righe_rallentamenti();
const std::vector<std::string_view>& righe_scheda();

// The author's notes on the scenario.
void dati_note(const RunState& s, Folder& folder);
// The slow-down order form.
void dati_rallentamenti(const RunState& s, Folder& folder);
// The driver's timetable card.
void dati_scheda(const RunState& s, Folder& folder);

}  // namespace scenario
