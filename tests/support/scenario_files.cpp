#include "support/scenario_files.h"

#include <stdexcept>

#include "tools/binary_readers.h"

namespace scenario::test {

// The tool's readers, which walk the records' field lists (model/records.h);
// the tests' own check of the bytes is the golden hashes and the worked
// figures, not a second reader.
std::vector<Voce> leggi_tabella(const std::string& bytes) {
  try {
    auto voci = tools::read_table_file(bytes);
    return {voci.begin(), voci.end()};
  } catch (const tools::DecodeError& e) {
    throw std::runtime_error(e.what());
  }
}

std::vector<Cella> leggi_griglia(const std::string& bytes) {
  try {
    return tools::read_grid_file(bytes);
  } catch (const tools::DecodeError& e) {
    throw std::runtime_error(e.what());
  }
}

}  // namespace scenario::test
