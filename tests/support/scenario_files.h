#pragma once
// Reads the service table and cell grid files back, record by record, with
// the tool's readers.

#include <string>
#include <vector>

#include "model/run_state.h"

namespace scenario::test {

// The 87 entries of a table file; throws std::runtime_error on a malformed file.
std::vector<Voce> leggi_tabella(const std::string& bytes);

// Every cell of a grid file; throws std::runtime_error on a malformed file.
std::vector<Cella> leggi_griglia(const std::string& bytes);

}  // namespace scenario::test
