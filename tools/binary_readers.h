#pragma once
// Readers of the three binary scenario files, back into the model's records.
// Every file is checked from end to end: a file that is cut short, has bytes
// left over or holds an unknown element tag is refused with the offset where
// it stopped making sense.

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "model/run_state.h"

namespace scenario::tools {

class DecodeError : public std::runtime_error {
public:
  DecodeError(size_t offset, const std::string& reason);
  size_t offset() const { return offset_; }

private:
  size_t offset_;
};

inline constexpr size_t kCellBytes = 15;

// `<route>_<train>.dat`: cells 0 to n_celle, 15 bytes each.
std::vector<Cella> read_grid_file(std::string_view bytes);
// `<route>_<train>.sim`: the 87 entries of the service table.
std::array<Voce, kVociServizio> read_table_file(std::string_view bytes);
// `<route>_linea.dat`: the plan, coordinate 0 of every position, then coordinate 1.
Planimetria read_plan_file(std::string_view bytes);

}  // namespace scenario::tools
