#pragma once
// Reads the service table and cell grid files back, record by record, from
// their little-endian layouts.

#include <string>
#include <vector>

#include "model/run_state.h"

namespace scenario::test {

// Every entry of a table file; throws std::runtime_error on a cut record.
std::vector<Voce> leggi_tabella(const std::string& bytes);

// Every cell of a grid file; throws std::runtime_error when the size is not
// a whole number of 15-byte records.
std::vector<Cella> leggi_griglia(const std::string& bytes);

}  // namespace scenario::test
