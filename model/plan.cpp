#include "model/plan.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "model/plan_memory.h"

namespace scenario {

namespace {
// A block of n empty values, freed when the last row holding it goes.
std::shared_ptr<void> valori_vuoti(size_t n) {
  if (n == 0) return nullptr;
  if (n > SIZE_MAX / sizeof(ValorePiano)) throw std::length_error("plan row of " + std::to_string(n) + " values");
  const size_t bytes = n * sizeof(ValorePiano);
  return std::shared_ptr<void>(alloca_piano(bytes), [bytes](void* p) { libera_piano(p, bytes); });
}

// What a row answers to positions from i on, `quante` of them, not all in its n.
std::string fuori(size_t i, size_t quante, size_t n) {
  const std::string dopo = quante > 1 ? " and the " + std::to_string(quante - 1) + " after it" : "";
  return "plan position " + std::to_string(i) + dopo + " past the row of " + std::to_string(n) + " values";
}
}  // namespace

AssePiano::AssePiano(size_t n) : memoria_(valori_vuoti(n)), v_(static_cast<ValorePiano*>(memoria_.get())), n_(n) {}

std::pair<AssePiano, AssePiano> AssePiano::coppia(size_t n) {
  if (n > SIZE_MAX / 2) throw std::length_error("plan rows of " + std::to_string(n) + " values");
  std::shared_ptr<void> memoria = valori_vuoti(2 * n);
  auto* v = static_cast<ValorePiano*>(memoria.get());
  return {AssePiano(memoria, v, n), AssePiano(memoria, v ? v + n : nullptr, n)};
}

Planimetria piano_vuoto(size_t posizioni) {
  auto [x, y] = AssePiano::coppia(posizioni);
  Planimetria p;
  p.coordinata[0] = std::move(x);
  p.coordinata[1] = std::move(y);
  return p;
}

AssePiano::AssePiano(const ValorePiano* da, const ValorePiano* a) : AssePiano(size_t(a - da)) { std::copy(da, a, v_); }

AssePiano::AssePiano(const AssePiano& altro) : AssePiano(altro.begin(), altro.end()) { doppi_ = altro.doppi_; }

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
