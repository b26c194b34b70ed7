#include "tools/lint_checks.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>

#include "model/numbers.h"

namespace scenario::tools {
namespace {

using Findings = std::vector<Finding>;

// The records of one kind, in text order: the kind named as the parser tags
// it, with at least `fields` values read (a record cut short by an error has
// fewer).
std::vector<const RecordLetto*> records(const Analysis& a, std::string_view kind, size_t fields) {
  std::vector<const RecordLetto*> out;
  for (const RecordLetto& r : a.state.letti)
    if (kind == r.tipo && r.campi.size() >= fields) out.push_back(&r);
  return out;
}

TextId text_of(const RecordLetto& r) { return r.fonte == Fonte::kLinea ? TextId::kLine : TextId::kService; }

void add(Findings& out, const char* check, const RecordLetto& r, const CampoLetto& field, std::string message) {
  out.push_back({check, text_of(r), {field.inizio, field.fine}, std::move(message)});
}

std::string metres(int64_t m) { return std::to_string(m) + " m"; }
std::string kmh(int64_t v) { return std::to_string(v) + " km/h"; }

// ---- value-wraps ------------------------------------------------------------

// A value the compiler keeps in fewer bits than it is read in, without a test.
struct Narrowed {
  const char* record;
  size_t field;
  const char* what;
  int64_t low, high;  // what survives the store unchanged
  bool byte;          // one byte, else 16 bits
  int64_t offset;     // stored as value + offset
};

constexpr int64_t kNoLow = std::numeric_limits<int64_t>::min();

constexpr std::array kNarrowed = {
    Narrowed{"aderenza", 1, "adhesion value", 0, 255, true, 0},
    Narrowed{"pendenza", 1, "gradient", -100, 155, true, 100},
    Narrowed{"montagna", 2, "tunnel type", 0, 265, true, 0},
    Narrowed{"abbattimento", 1, "code value", kNoLow, 32767, false, 0},
    Narrowed{"rallentamento", 1, "slow-down speed", -32768, 32767, false, 0},
    Narrowed{"rallentamento", 3, "slow-down value f_tt", -32768, 32767, false, 0},
    Narrowed{"rallentamento", 5, "slow-down value d_v", -32768, 32767, false, 0},
};

int64_t stored(int64_t v, bool byte) { return byte ? basso8(v) : basso16(v); }

std::string wrap_message(const char* what, int64_t v, bool byte, int64_t offset) {
  const std::string width = byte ? "one byte" : "16 bits";
  if (offset != 0)
    return std::string(what) + " " + std::to_string(v) + " does not fit in " + width + " as itself + " +
           std::to_string(offset) + ": stored as " + std::to_string(stored(v + offset, byte) - offset);
  return std::string(what) + " " + std::to_string(v) + " does not fit in " + width + ": stored as " +
         std::to_string(stored(v, byte));
}

// A value the compiler forms from several fields and keeps in 16 bits or a byte.
void combined(Findings& out, const RecordLetto& r, size_t at, const char* what, int64_t v, bool byte) {
  const int64_t low = byte ? 0 : -32768, high = byte ? 255 : 32767;
  if (v >= low && v <= high) return;
  add(out, "value-wraps", r, r.campi[at], std::string(what) + " comes to " + std::to_string(v) + ", more than " +
                                              (byte ? "one byte" : "16 bits") + " hold: stored as " +
                                              std::to_string(stored(v, byte)));
}

void value_wraps(const Analysis& a, Findings& out) {
  for (const Narrowed& n : kNarrowed)
    for (const RecordLetto* r : records(a, n.record, n.field + 1)) {
      const int64_t v = r->campi[n.field].numero;
      if (v < n.low || v > n.high)
        add(out, "value-wraps", *r, r->campi[n.field], wrap_message(n.what, v, n.byte, n.offset));
    }
  for (const RecordLetto* r : records(a, "segnale", 11)) {
    auto f = [r](size_t i) { return r->campi[i].numero; };
    combined(out, *r, 5, "rapp x 10 + sx x 3 + dx", f(5) * 10 + f(1) * 3 + f(6), false);
    combined(out, *r, 2, "s1 x 10 + d1", f(2) * 10 + f(7), false);
    combined(out, *r, 3, "s2 x 10 + d2", f(3) * 10 + f(8), false);
    combined(out, *r, 4, "s3 x 10 + d3", f(4) * 10 + f(9), false);
    const int64_t aspect = f(1) * 3 + f(6);
    if (aspect * 10 + 1 < 0 || aspect * 10 + 4 > 255)
      combined(out, *r, 1, "the approach mark (sx x 3 + dx) x 10 + 4", aspect * 10 + 4, true);
    const int64_t tempo = f(10) >= 1 && f(10) <= 100 ? 101 : f(10);
    if (f(1) == 2) combined(out, *r, 10, "the signal time", tempo, true);
  }
  for (const RecordLetto* r : records(a, "indicatori_vmax", 9))
    combined(out, *r, 4, "strisces x 10 + strisced", r->campi[4].numero * 10 + r->campi[8].numero, false);
}

// ---- speed-step ---------------------------------------------------------------

void speed_step(const Analysis& a, Findings& out) {
  for (const RecordLetto* r : records(a, "velocita", 2)) {
    const int64_t v = r->campi[1].numero;
    if (v % 5 != 0)
      add(out, "speed-step", *r, r->campi[1],
          "timetable speed " + kmh(v) + " is kept in 5 km/h steps: it becomes " + kmh(nearest(double(v) / 5) * 5));
  }
  for (const RecordLetto* r : records(a, "indicatori_vmax", 9))
    for (size_t i : {1, 2, 3, 5, 6, 7}) {
      const int64_t v = r->campi[i].numero;
      if (v % 5 != 0)
        add(out, "speed-step", *r, r->campi[i],
            "board speed " + kmh(v) + " is not a multiple of 5 km/h: the board keeps its speeds in 5 km/h steps");
    }
}

// ---- position-step ------------------------------------------------------------

// How a record's position becomes a cell, and so which position it is taken as.
enum class Cell { kRun, kObject, kTunnelStart, kTunnelEnd };

int64_t taken_as(int64_t p, Cell cell) {
  switch (cell) {
    case Cell::kRun: return cella_corsa(p) * 50;
    case Cell::kObject: return (cella_oggetto(p) - 1) * 50;
    case Cell::kTunnelStart: return nearest(double(p) / 50) * 50;
    case Cell::kTunnelEnd: return (nearest(double(p) / 50 - 1) + 1) * 50;
  }
  return p;
}

struct Placed {
  const char* record;
  size_t field;
  Cell cell;
};

constexpr std::array kPlaced = {
    Placed{"pendenza", 0, Cell::kRun},          Placed{"montagna", 0, Cell::kTunnelStart},
    Placed{"montagna", 1, Cell::kTunnelEnd},    Placed{"indicatori_vmax", 0, Cell::kObject},
    Placed{"cartello_indicatore", 0, Cell::kObject}, Placed{"aderenza", 0, Cell::kRun},
    Placed{"velocita", 0, Cell::kRun},          Placed{"segnale", 0, Cell::kObject},
    Placed{"rallentamento", 0, Cell::kObject},  Placed{"abbattimento", 0, Cell::kRun},
};

void position_step(const Analysis& a, Findings& out) {
  for (const Placed& placed : kPlaced)
    for (const RecordLetto* r : records(a, placed.record, placed.field + 1)) {
      const int64_t p = r->campi[placed.field].numero;
      if (p % 50 != 0)
        add(out, "position-step", *r, r->campi[placed.field],
            "position " + metres(p) + " is not a multiple of 50 m: the grid takes it as " +
                metres(taken_as(p, placed.cell)));
    }
  for (const RecordLetto* r : records(a, "rallentamento", 3)) {
    const int64_t end = r->campi[0].numero + r->campi[2].numero;
    if (r->campi[0].numero % 50 == 0 && end % 50 != 0)
      add(out, "position-step", *r, r->campi[2],
          "length " + metres(r->campi[2].numero) + " puts the end at " + metres(end) +
              ", not a multiple of 50 m: the grid takes it as " + metres(taken_as(end, Cell::kObject)));
  }
}

// ---- speed-above-board --------------------------------------------------------

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
  std::stable_sort(boards.begin(), boards.end(), [](const Board& x, const Board& y) { return x.position < y.position; });
  return boards;
}

// The board in force at `p`: the last one at or before it.
const Board* board_at(const std::vector<Board>& boards, int64_t p) {
  const Board* in_force = nullptr;
  for (const Board& b : boards)
    if (b.position <= p) in_force = &b;
  return in_force;
}

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

// Braking distance from `v` km/h with a deceleration of braked-mass
// percentage / 200 m/s² (0.6 m/s² at 120 %).
double braking_distance(int64_t v, int64_t braked_mass) {
  const double speed = double(v) / 3.6;
  return speed * speed / (2 * (double(braked_mass) / 200));
}

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
          "station area " + metres(e.inizio) + " to " + metres(e.fine) + (inside ? " lies inside" : " crosses a portal of") +
              " the tunnel from " + metres(from) + " to " + metres(to));
      break;
    }
  }
}

// ---- station-times --------------------------------------------------------------

std::string clock_time(int64_t seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
  return text;
}

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

// ---- ignored-record / late-general-record ---------------------------------------

bool first_on_its_line(std::string_view text, size_t at) {
  while (at > 0 && (text[at - 1] == ' ' || text[at - 1] == '\t')) --at;
  return at == 0 || text[at - 1] == '\n' || text[at - 1] == '\r';
}

void ignored_record(const Analysis& a, Findings& out) {
  for (const RecordLetto& r : a.state.letti) {
    if (*r.tipo != '\0') continue;
    const std::string& text = *a.text(text_of(r)).bytes;
    const std::string_view word(text.data() + r.chiave.inizio, r.chiave.fine - r.chiave.inizio);
    const bool header = word.starts_with('[') && word.ends_with(']');
    if (word.empty() || header || word.find('-') != std::string_view::npos) continue;
    if (!first_on_its_line(text, r.chiave.inizio)) continue;  // a value of a record before it
    add(out, "ignored-record", r, r.chiave,
        "'" + std::string(word) + "' is not a record the compiler knows here: the line is skipped");
  }
}

void late_general_record(const Analysis& a, Findings& out) {
  for (const RecordLetto* r : records(a, kGeneraleInRitardo, 0)) {
    const std::string& text = *a.line.bytes;
    add(out, "late-general-record", *r, r->chiave,
        "'" + text.substr(r->chiave.inizio, r->chiave.fine - r->chiave.inizio) +
            "' comes after the general section has ended: it is not read");
  }
}

const std::array kChecks = {
    LintCheck{"value-wraps", Severity::kWarning,
              "A value that the compiler keeps in 16 bits or in one byte without a test, and that does not fit: "
              "the binary file holds what is left of it, which is a different value (an adhesion of 336 % "
              "becomes 80 %). Also the values formed from several fields of a signal or a speed-limit board.",
              value_wraps},
    LintCheck{"speed-step", Severity::kWarning,
              "A timetable speed or a speed-limit board speed that is not a multiple of 5 km/h. The grid keeps "
              "speeds in 5 km/h steps: a timetable speed is rounded to the nearest step, and a board speed off "
              "the step mixes into the other speeds the board holds.",
              speed_step},
    LintCheck{"position-step", Severity::kWarning,
              "A position that is not a multiple of 50 m where the record goes into the 50 m cells of the grid "
              "(gradients, tunnels, boards, adhesion, timetable speeds, signals, slow-downs, code steps): the "
              "record lands in a cell chosen by rounding, not where it is written.",
              position_step},
    LintCheck{"speed-above-board", Severity::kWarning,
              "A timetable speed more than 5 km/h above the highest speed of the speed-limit board in force where "
              "it applies (the last board without stripes at or before its position, and every board it passes). "
              "Timetables here run up to 5 km/h above the board, as the built-in one does everywhere; more than "
              "that has the train overspeed.",
              speed_above_board},
    LintCheck{"slow-down-overlap", Severity::kWarning,
              "Two slow-downs whose stretches (from x to x + l) overlap: the cells of one end inside the other, "
              "and the cab-signal codes placed around them conflict.",
              slow_down_overlap},
    LintCheck{"signal-spacing", Severity::kWarning,
              "A signal closer to the one before it than the braking distance at the line speed in force there "
              "(the highest speed of the speed-limit board in force at the first signal). The braking model is "
              "v^2 / 2a with a deceleration a of braked-mass percentage / 200 m/s^2 (0.6 m/s^2 at 120 %), from "
              "the service text's percentuale massa frenata; without it the check is skipped.",
              signal_spacing},
    LintCheck{"gradient-limit", Severity::kWarning,
              "A gradient steeper than 35 per mille up or down, the steepest an adhesion line is built with.",
              gradient_limit},
    LintCheck{"station-in-tunnel", Severity::kWarning,
              "A station area (as the compiler works it out from position, type and length) that lies inside a "
              "tunnel or crosses a tunnel portal.",
              station_in_tunnel},
    LintCheck{"station-times", Severity::kWarning,
              "A station timetable time that is not later than the one of the station before it along the "
              "route. Stations with the time 0:00:00 have no timetable time and are passed over.",
              station_times},
    LintCheck{"clock-range", Severity::kWarning,
              "A simulator clock setting (orologio) with hours outside 0 to 23, or minutes or seconds outside 0 "
              "to 59.",
              clock_range},
    LintCheck{"ignored-record", Severity::kWarning,
              "A line that starts with a field no record keyword matches where it stands (a misspelt keyword, a "
              "record before [generale], or the last field of a text, which is never read as a record): the "
              "compiler skips it without a word.",
              ignored_record},
    LintCheck{"late-general-record", Severity::kWarning,
              "A record of the line text's general section (lunghezza percorso, progressiva chilometrica, "
              "sfondo, ripetizione segnali) after the first section header that follows [generale]: the general "
              "section has ended there and the record is not read.",
              late_general_record},
};

}  // namespace

std::span<const LintCheck> lint_checks() { return kChecks; }

std::string summary(const LintCheck& check) {
  const std::string_view d = check.description;
  const size_t end = d.find(". ");
  return std::string(end == std::string_view::npos ? d : d.substr(0, end + 1));
}

const char* severity_name(Severity severity) {
  switch (severity) {
    case Severity::kOff: return "off";
    case Severity::kWarning: return "warning";
    case Severity::kError: return "error";
  }
  return "off";
}

const LintCheck* find_check(std::string_view name) {
  for (const LintCheck& c : kChecks)
    if (name == c.name) return &c;
  return nullptr;
}

std::vector<Finding> run_checks(const Analysis& analysis) {
  std::vector<Finding> findings;
  for (const LintCheck& c : kChecks) c.run(analysis, findings);
  std::stable_sort(findings.begin(), findings.end(), [](const Finding& x, const Finding& y) {
    return std::pair(x.text, x.span.begin) < std::pair(y.text, y.span.begin);
  });
  return findings;
}

}  // namespace scenario::tools
