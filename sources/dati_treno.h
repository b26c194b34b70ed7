#pragma once
#include <string_view>
#include <vector>

#include "io/folder.h"
#include "model/run_state.h"

namespace scenario {

// The lines of the built-in service description text, as the program holds them (UTF-8).
const std::vector<std::string_view>& righe_treno();

// Writes the built-in service description text into the folder.
void dati_treno(const RunState& s, Folder& folder);

}  // namespace scenario
