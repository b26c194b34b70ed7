// The checks of railway sense: speeds against boards, slow-downs, signal
// spacing, gradients, stations, the clock.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>

#include "tools/lint_support.h"

namespace scenario::tools::lint {

// ---- speed-above-board --------------------------------------------------------

namespace {

// A speed-limit board that sets a limit (one without stripes: a striped
// board announces the limit ahead).
struct Board {
  int64_t position;
  int64_t limit;  // the highest of its speeds
};

std::vector<Board> limit_boards(const Analysis& a) {
  std::vector<Board> boards;
  for (const RecordLetto* r : records(a, "indicatori_vmax", 9)) {
    if (r->campi[4].numero != 0 || r->campi[8].numero != 0) continue;
    int64_t limit = 0;
    for (size_t i : {1, 2, 3, 5, 6, 7}) limit = std::max(limit, r->campi[i].numero);
    boards.push_back({r->campi[0].numero, limit});
  }
  std::stable_sort(boards.begin(), boards.end(),
                   [](const Board& x, const Board& y) { return x.position < y.position; });
  return boards;
}

// The board in force at `p`: the last one at or before it.
const Board* board_at(const std::vector<Board>& boards, int64_t p) {
  const Board* in_force = nullptr;
  for (const Board& b : boards)
    if (b.position <= p) in_force = &b;
  return in_force;
}

}  // namespace

void speed_above_board(const Analysis& a, Findings& out) {
  const std::vector<Board> boards = limit_boards(a);
  const std::vector<const RecordLetto*> speeds = records(a, "velocita", 2);
  for (size_t k = 0; k < speeds.size(); ++k) {
    const int64_t from = speeds[k]->campi[0].numero, v = speeds[k]->campi[1].numero;
    const int64_t to = k + 1 < speeds.size() ? speeds[k + 1]->campi[0].numero : std::numeric_limits<int64_t>::max();
    // The board in force where the speed starts, then every board it passes.
    std::vector<const Board*> passed;
    if (const Board* b = board_at(boards, from)) passed.push_back(b);
    for (const Board& b : boards)
      if (b.position > from && b.position < to) passed.push_back(&b);
    for (const Board* b : passed)
      if (v > b->limit + kSpeedMarginKmh) {
        add(out, "speed-above-board", *speeds[k], speeds[k]->campi[1],
            "timetable speed " + kmh(v) + " is above the " + kmh(b->limit) + " of the speed-limit board at " +
                metres(b->position));
        break;
      }
  }
}

// ---- slow-down-overlap --------------------------------------------------------

void slow_down_overlap(const Analysis& a, Findings& out) {
  const std::vector<const RecordLetto*> slow = records(a, "rallentamento", 3);
  for (size_t k = 0; k < slow.size(); ++k)
    for (size_t j = 0; j < k; ++j) {
      const int64_t x = slow[k]->campi[0].numero, end = x + slow[k]->campi[2].numero;
      const int64_t xj = slow[j]->campi[0].numero, endj = xj + slow[j]->campi[2].numero;
      if (x < endj && xj < end) {
        add(out, "slow-down-overlap", *slow[k], slow[k]->campi[0],
            "slow-down from " + metres(x) + " to " + metres(end) + " overlaps the one from " + metres(xj) + " to " +
                metres(endj));
        break;
      }
    }
}

// ---- signal-spacing -----------------------------------------------------------

namespace {

// Braking distance from `v` km/h with a deceleration of braked-mass
// percentage / 200 m/s² (0.6 m/s² at 120 %).
double braking_distance(int64_t v, int64_t braked_mass) {
  const double speed = double(v) / 3.6;
  return speed * speed / (2 * (double(braked_mass) / 200));
}

}  // namespace

void signal_spacing(const Analysis& a, Findings& out) {
  const std::vector<const RecordLetto*> mass = records(a, "massa frenata", 1);
  if (mass.empty() || mass.back()->campi[0].numero <= 0) return;
  const int64_t braked_mass = mass.back()->campi[0].numero;
  const std::vector<Board> boards = limit_boards(a);
  std::vector<const RecordLetto*> signals = records(a, "segnale", 1);
  std::stable_sort(signals.begin(), signals.end(),
                   [](const RecordLetto* x, const RecordLetto* y) { return x->campi[0].numero < y->campi[0].numero; });
  for (size_t k = 1; k < signals.size(); ++k) {
    const int64_t before = signals[k - 1]->campi[0].numero, here = signals[k]->campi[0].numero;
    const Board* board = board_at(boards, before);
    if (!board) continue;
    const double needed = braking_distance(board->limit, braked_mass);
    if (double(here - before) < needed)
      add(out, "signal-spacing", *signals[k], signals[k]->campi[0],
          "signal " + metres(here - before) + " after the one at " + metres(before) + ": braking from " +
              kmh(board->limit) + " at " + std::to_string(braked_mass) + " % braked mass takes " +
              metres(int64_t(needed + 0.5)));
  }
}

// ---- gradient-limit -------------------------------------------------------------

void gradient_limit(const Analysis& a, Findings& out) {
  for (const RecordLetto* r : records(a, "pendenza", 2)) {
    const int64_t g = r->campi[1].numero;
    if (g > kSteepestGradientPerMille || g < -kSteepestGradientPerMille)
      add(out, "gradient-limit", *r, r->campi[1],
          "gradient " + std::to_string(g) + " per mille is steeper than the " +
              std::to_string(kSteepestGradientPerMille) + " per mille an adhesion line climbs");
  }
}

// ---- station-in-tunnel ----------------------------------------------------------

void station_in_tunnel(const Analysis& a, Findings& out) {
  const RunState& s = a.state;
  const std::vector<const RecordLetto*> stations = records(a, "stazione", 1);
  // The k-th station record read whole fills service entry k.
  for (size_t k = 0; k < stations.size() && k + 1 < size_t(kVociServizio); ++k) {
    if (stations[k]->campi.size() < 17) continue;
    const Voce& e = s.servizio[k + 1];
    for (int t = 1; t <= std::min(s.n_montagne, kMaxMontagne); ++t) {
      const int64_t from = s.montagne_inizio[t], to = s.montagne_fine[t];
      if (e.fine <= from || to <= e.inizio) continue;
      const bool inside = from <= e.inizio && e.fine <= to;
      add(out, "station-in-tunnel", *stations[k], stations[k]->campi[0],
          "station area " + metres(e.inizio) + " to " + metres(e.fine) +
              (inside ? " lies inside" : " crosses a portal of") + " the tunnel from " + metres(from) + " to " +
              metres(to));
      break;
    }
  }
}

// ---- station-times --------------------------------------------------------------

namespace {

std::string clock_time(int64_t seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
  return text;
}

}  // namespace

void station_times(const Analysis& a, Findings& out) {
  std::optional<int64_t> before;
  int64_t before_at = 0;
  for (const RecordLetto* r : records(a, "stazione", 16)) {
    const int64_t time = (r->campi[13].numero * 60 + r->campi[14].numero) * 60 + r->campi[15].numero;
    if (time == 0) continue;  // no timetable time: the train passes
    if (before && time <= *before)
      add(out, "station-times", *r, r->campi[13],
          "timetable time " + clock_time(time) + " is not after the " + clock_time(*before) + " of the station at " +
              metres(before_at));
    before = time;
    before_at = r->campi[0].numero;
  }
}

// ---- clock-range ------------------------------------------------------------------

void clock_range(const Analysis& a, Findings& out) {
  static constexpr std::array<std::pair<const char*, int64_t>, 3> kParts = {
      {{"hours", 23}, {"minutes", 59}, {"seconds", 59}}};
  for (const RecordLetto* r : records(a, "orologio", 3))
    for (size_t i = 0; i < 3; ++i) {
      const int64_t v = r->campi[i].numero;
      if (v < 0 || v > kParts[i].second)
        add(out, "clock-range", *r, r->campi[i],
            std::string("clock ") + kParts[i].first + " " + std::to_string(v) + " outside 0 to " +
                std::to_string(kParts[i].second));
    }
}

}  // namespace scenario::tools::lint
