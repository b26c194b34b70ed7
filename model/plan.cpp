#include "model/plan.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "model/plan_memory.h"

namespace scenario {

namespace {
ValorePiano* valori_vuoti(size_t n) {
  if (n == 0) return nullptr;
  if (n > SIZE_MAX / sizeof(ValorePiano)) throw std::length_error("plan row of " + std::to_string(n) + " values");
  return static_cast<ValorePiano*>(alloca_piano(n * sizeof(ValorePiano)));
}

// What a row answers to positions from i on, `quante` of them, not all in its n.
std::string fuori(size_t i, size_t quante, size_t n) {
  const std::string dopo = quante > 1 ? " and the " + std::to_string(quante - 1) + " after it" : "";
  return "plan position " + std::to_string(i) + dopo + " past the row of " + std::to_string(n) + " values";
}
}  // namespace

AssePiano::AssePiano(size_t n) : v_(valori_vuoti(n)), n_(n) {}

AssePiano::AssePiano(const ValorePiano* da, const ValorePiano* a) : AssePiano(size_t(a - da)) {
  std::copy(da, a, v_);
}

AssePiano::AssePiano(const AssePiano& altro) : AssePiano(altro.begin(), altro.end()) { doppi_ = altro.doppi_; }

AssePiano::~AssePiano() { libera_piano(v_, n_ * sizeof(ValorePiano)); }

const ValorePiano& AssePiano::at(size_t i) const {
  if (i >= n_) throw std::out_of_range(fuori(i, 1, n_));
  return v_[i];
}

void AssePiano::metti(size_t i, const ValorePiano& v) {
  if (i >= n_) throw std::out_of_range(fuori(i, 1, n_));
  v_[i] = v;
  if (v.tag == ValorePiano::kDoppio || i < doppi_.da || i >= doppi_.a) return;
  // Of the two sides of the cut, the longer stays known.
  if (i - doppi_.da >= doppi_.a - (i + 1))
    doppi_.a = i;
  else
    doppi_.da = i + 1;
}

ValorePiano* AssePiano::doppi(size_t i, size_t n) {
  if (i > n_ || n > n_ - i) throw std::out_of_range(fuori(i, n, n_));
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
