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

// The largest file the compiler writes: the plan of the longest route, both
// coordinates of every position a double (a 2-byte tag and 8 bytes). The
// grid and the table of any route are smaller.
inline constexpr uint64_t kLargestScenarioFile = uint64_t(2) * (kLunghezzaMassima + kOltreLaFine + 1) * 10;

// `<route>_<train>.dat`: cells 0 to n_celle, 15 bytes each.
std::vector<Cella> read_grid_file(std::string_view bytes);
// `<route>_<train>.sim`: the 87 entries of the service table.
std::array<Voce, kVociServizio> read_table_file(std::string_view bytes);
// `<route>_linea.dat`: the plan, coordinate 0 of every position, then coordinate 1.
Planimetria read_plan_file(std::string_view bytes);

// The plan file checked from end to end as read_plan_file does, without
// holding its values: how many positions it has and where coordinate 1's
// elements begin. For readers that walk the file with a PlanCursor.
struct PlanShape {
  size_t positions = 0;
  size_t second_half = 0;  // byte offset of coordinate 1's first element
};
PlanShape scan_plan_file(std::string_view bytes);

// The elements of a plan file one after another from a byte offset. On a
// file scan_plan_file accepted, it never reads past the end.
class PlanCursor {
public:
  PlanCursor(std::string_view bytes, size_t offset) : bytes_(bytes), offset_(offset) {}
  ValorePiano next();
  void skip(size_t elements);

private:
  std::string_view bytes_;
  size_t offset_;
};

}  // namespace scenario::tools
