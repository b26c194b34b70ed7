#pragma once
// Small description texts for tests, and a run state named like the program's.

#include <string>
#include <vector>

#include "io/memory_folder.h"
#include "model/run_state.h"

namespace scenario::test {

// The lines joined as a description text: each ended by CR LF.
std::string testo_di(const std::vector<std::string>& righe);

// A run state with the program's route and train names.
RunState stato_scenario();

// A service text with no records: the service half reads it and finds nothing to do.
std::string servizio_vuoto();

// Puts `linea` into the folder under the line-text name, beside an empty service text.
void metti_testi(MemoryFolder& folder, const std::string& linea);

}  // namespace scenario::test
