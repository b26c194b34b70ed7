// The per-metre steps of the track plan, kept apart from the parser: they run
// once for every metre of the route, so they are the hot loop of the compile.

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "compiler/line_parser.h"
#include "model/access.h"

namespace scenario {

namespace {

// Both coordinates of a point, side by side: an operation on a Punto is the
// same operation on each coordinate, done at once.
using Punto = double __attribute__((vector_size(16)));

// Puts a double into a value. The tag goes out as four bytes, the first two
// of the number zero until the number is written over them: one store of a
// constant, where a 16-bit constant takes a register load and a store.
static_assert(offsetof(ValorePiano, numero) == 2 && sizeof(ValorePiano) >= 6);
inline void metti_doppio(ValorePiano* v, double d) {
  const uint32_t tag = ValorePiano::kDoppio;  // little-endian: the tag, then two zero bytes
  std::memcpy(reinterpret_cast<unsigned char*>(v), &tag, sizeof tag);
  std::memcpy(reinterpret_cast<unsigned char*>(v) + offsetof(ValorePiano, numero), &d, sizeof d);
}

// Straight steps: each point is the one before it plus the step between the
// two before it, in each coordinate. Three points a round, so that the three
// points in play stay in their registers instead of moving along.
void rettilineo(ValorePiano* px, ValorePiano* py, size_t n, Punto p0, Punto p1) {
  auto metti = [&](size_t i, Punto p) {
    metti_doppio(px + i, p[0]);
    metti_doppio(py + i, p[1]);
  };
  size_t i = 0;
  for (; i + 3 <= n; i += 3) {
    const Punto a = p1 + (p1 - p0);
    const Punto b = a + (a - p1);
    const Punto c = b + (b - a);
    metti(i, a), metti(i + 1, b), metti(i + 2, c);
    p0 = b, p1 = c;
  }
  for (; i < n; ++i) {
    const Punto p = p1 + (p1 - p0);
    metti(i, p);
    p0 = p1, p1 = p;
  }
}

// Curved steps: the step between the two points before, turned by
// `curvatura`. Kept one coordinate at a time: the turn adds in one coordinate
// and subtracts in the other.
void in_curva(ValorePiano* px, ValorePiano* py, size_t n, double x0, double y0, double x1, double y1,
              double curvatura) {
  for (size_t i = 0; i < n; ++i) {
    const double dx = x1 - x0, dy = y1 - y0;
    const double x = x1 + (dx + curvatura * dy);
    const double y = y1 + (dy - curvatura * dx);
    metti_doppio(px + i, x);
    metti_doppio(py + i, y);
    x0 = x1, y0 = y1, x1 = x, y1 = y;
  }
}

// The steps from position k to `fino` (curvatura 0: straight track). The
// operations and their order are fixed; with no fused multiply-add the plan
// is the same on every build.
template <bool kCurva>
void passi(RunState& s, int64_t& k, int64_t fino, double curvatura) {
  if (k > fino) return;
  auto& ax = s.planimetria.coordinata[0];
  auto& ay = s.planimetria.coordinata[1];
  // The points inside the plan are stepped without an index check per point;
  // a step past the last point goes through punto(), which faults there
  // after every point before it has been written.
  const int64_t ultimo = std::min<int64_t>(fino, int64_t(ax.size()) - 1);
  if (k >= 2 && k <= ultimo) {
    const double x0 = ax[size_t(k - 2)].come_doppio(), y0 = ay[size_t(k - 2)].come_doppio();
    const double x1 = ax[size_t(k - 1)].come_doppio(), y1 = ay[size_t(k - 1)].come_doppio();
    const size_t n = size_t(ultimo - k + 1);
    ValorePiano* const px = ax.doppi(size_t(k), n);
    ValorePiano* const py = ay.doppi(size_t(k), n);
    if (kCurva)
      in_curva(px, py, n, x0, y0, x1, y1, curvatura);
    else
      rettilineo(px, py, n, Punto{x0, y0}, Punto{x1, y1});
    k = ultimo + 1;
  }
  while (k <= fino) {
    double x1 = punto(s, k - 1, 0).come_doppio(), y1 = punto(s, k - 1, 1).come_doppio();
    double dx = x1 - punto(s, k - 2, 0).come_doppio();
    double dy = y1 - punto(s, k - 2, 1).come_doppio();
    (void)punto(s, k, 1);  // both coordinates checked before either is written
    metti_punto(s, k, 0, ValorePiano::di_doppio(kCurva ? x1 + (dx + curvatura * dy) : x1 + dx));
    metti_punto(s, k, 1, ValorePiano::di_doppio(kCurva ? y1 + (dy - curvatura * dx) : y1 + dy));
    ++k;
  }
}

}  // namespace

void passi_rettilinei(RunState& s, int64_t& k, int64_t fino) { passi<false>(s, k, fino, 0.0); }

void passi_in_curva(RunState& s, int64_t& k, int64_t fino, double curvatura) {
  passi<true>(s, k, fino, curvatura);
}

}  // namespace scenario
