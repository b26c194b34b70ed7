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

AssePiano::AssePiano(const AssePiano& altro) : AssePiano(altro.begin(), altro.end()) { doppi_ = altro.doppi_; }

AssePiano::~AssePiano() { libera_piano(v_, n_ * sizeof(ValorePiano)); }

const ValorePiano& AssePiano::at(size_t i) const {
  if (i >= n_) throw std::out_of_range("plan position " + std::to_string(i) + " past the row's " + std::to_string(n_));
  return v_[i];
}

void AssePiano::metti(size_t i, const ValorePiano& v) {
  v_[i] = v;
  if (v.tag == ValorePiano::kDoppio || i < doppi_.da || i >= doppi_.a) return;
  // Of the two sides of the cut, the longer stays known.
  if (i - doppi_.da >= doppi_.a - (i + 1))
    doppi_.a = i;
  else
    doppi_.da = i + 1;
}

ValorePiano* AssePiano::doppi(size_t i, size_t n) {
  if (i > n_ || n > n_ - i)
    throw std::out_of_range("plan positions " + std::to_string(i) + " to " + std::to_string(i + n) +
                            " past the row's " + std::to_string(n_));
  const Tratto nuovo{i, i + n};
  if (doppi_.lunghezza() == 0 || nuovo.a < doppi_.da || nuovo.da > doppi_.a) {
    // Apart from the stretch known so far: the longer of the two is kept.
    if (nuovo.lunghezza() > doppi_.lunghezza()) doppi_ = nuovo;
  } else {
    doppi_ = {std::min(doppi_.da, nuovo.da), std::max(doppi_.a, nuovo.a)};
  }
  return v_ + i;
}

}  // namespace scenario
