#include "model/plan.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "model/plan_memory.h"

namespace scenario {

AssePiano::AssePiano(size_t n) : v_(n == 0 ? nullptr : static_cast<ValorePiano*>(alloca_piano(n * sizeof(ValorePiano)))), n_(n) {}

AssePiano::AssePiano(const ValorePiano* da, const ValorePiano* a) : AssePiano(size_t(a - da)) {
  std::copy(da, a, v_);
}

AssePiano::~AssePiano() { libera_piano(v_, n_ * sizeof(ValorePiano)); }

ValorePiano& AssePiano::at(size_t i) {
  if (i >= n_) throw std::out_of_range("plan position " + std::to_string(i) + " past the row's " + std::to_string(n_));
  return v_[i];
}

const ValorePiano& AssePiano::at(size_t i) const { return const_cast<AssePiano*>(this)->at(i); }

}  // namespace scenario
