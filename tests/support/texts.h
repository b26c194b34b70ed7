#pragma once
// Small description texts for tests, and a run state named like the program's.

#include <string>
#include <vector>

#include "io/memory_folder.h"
#include "model/run_state.h"

namespace scenario::test {

// The lines joined as a description text: each ended by CR LF.
std::string testo_di(const std::vector<std::string>& righe);

// A line text: a route of `lunghezza` metres, level, no tunnels, with
// `record` (boards, gradients…) under the section header `sezione` after
// the general section.
std::string testo_linea(int32_t lunghezza, const std::vector<std::string>& record = {},
                        const std::string& sezione = "[cartelli]");

// A service text: "[generale]", the records, "[fine]".
std::string testo_servizio(const std::vector<std::string>& record);

// A run state with the program's route and train names.
RunState stato_scenario();

// A service text with no records: the service half reads it and finds nothing to do.
std::string servizio_vuoto();

// Puts `linea` into the folder under the line-text name, beside an empty service text.
void metti_testi(MemoryFolder& folder, const std::string& linea);

}  // namespace scenario::test
