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

// Fills n points from the two before them, each point made by `passo` from
// the two before it. Three points a round, so that the three points in play
// stay in their registers instead of moving along.
template <typename Passo>
void riempi(ValorePiano* px, ValorePiano* py, size_t n, Punto p0, Punto p1, Passo passo) {
  auto metti = [&](size_t i, Punto p) {
    metti_doppio(px + i, p[0]);
    metti_doppio(py + i, p[1]);
  };
  size_t i = 0;
  for (; i + 3 <= n; i += 3) {
    const Punto a = passo(p0, p1);
    const Punto b = passo(p1, a);
    const Punto c = passo(a, b);
    metti(i, a), metti(i + 1, b), metti(i + 2, c);
    p0 = b, p1 = c;
  }
  for (; i < n; ++i) {
    const Punto p = passo(p0, p1);
    metti(i, p);
    p0 = p1, p1 = p;
  }
}

// Straight: the point before plus the step between the two before, in each
// coordinate.
Punto rettilineo(Punto p0, Punto p1) { return p1 + (p1 - p0); }

// Curved: the step (dx, dy) turned by c, x + (dx + c dy) and y + (dy - c dx).
// Both sums and both differences are taken, and the sum kept for x and the
// difference for y, so that each coordinate has exactly its own operations.
Punto in_curva(Punto p0, Punto p1, double c) {
  const Punto d = p1 - p0;
  const Punto girato = c * __builtin_shufflevector(d, d, 1, 0);  // (c dy, c dx)
  return p1 + __builtin_shufflevector(d + girato, d - girato, 0, 3);
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
      riempi(px, py, n, Punto{x0, y0}, Punto{x1, y1}, [c = curvatura](Punto a, Punto b) { return in_curva(a, b, c); });
    else
      riempi(px, py, n, Punto{x0, y0}, Punto{x1, y1}, rettilineo);
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

void passi_in_curva(RunState& s, int64_t& k, int64_t fino, double curvatura) { passi<true>(s, k, fino, curvatura); }

}  // namespace scenario
