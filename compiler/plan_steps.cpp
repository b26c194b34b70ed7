// The per-metre steps of the track plan, kept apart from the parser: they run
// once for every metre of the route, so they are the hot loop of the compile.

#include <algorithm>

#include "compiler/line_parser.h"
#include "model/access.h"

namespace scenario {

namespace {

// One step of the plan from the two points before it: the step between them,
// turned by `curvatura` (0 on straight track). The operations and their order
// are fixed; with no fused multiply-add the plan is the same on every build.
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
    double x0 = ax[size_t(k - 2)].come_doppio(), y0 = ay[size_t(k - 2)].come_doppio();
    double x1 = ax[size_t(k - 1)].come_doppio(), y1 = ay[size_t(k - 1)].come_doppio();
    const size_t n = size_t(ultimo - k + 1);
    ValorePiano* const px = ax.doppi(size_t(k), n);
    ValorePiano* const py = ay.doppi(size_t(k), n);
    for (size_t i = 0; i < n; ++i) {
      const double dx = x1 - x0, dy = y1 - y0;
      const double x = kCurva ? x1 + (dx + curvatura * dy) : x1 + dx;
      const double y = kCurva ? y1 + (dy - curvatura * dx) : y1 + dy;
      px[i] = ValorePiano::di_doppio(x);
      py[i] = ValorePiano::di_doppio(y);
      x0 = x1, y0 = y1, x1 = x, y1 = y;
    }
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
