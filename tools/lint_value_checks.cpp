// The checks of values as the compiler stores them: narrowed, rounded to a
// step, or not read at all.

#include <array>
#include <cstdint>
#include <limits>

#include "model/numbers.h"
#include "tools/lint_support.h"

namespace scenario::tools::lint {

// ---- value-wraps ------------------------------------------------------------

namespace {

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
  add(out, "value-wraps", r, r.campi[at],
      std::string(what) + " comes to " + std::to_string(v) + ", more than " + (byte ? "one byte" : "16 bits") +
          " hold: stored as " + std::to_string(stored(v, byte)));
}

}  // namespace

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

namespace {

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
    Placed{"pendenza", 0, Cell::kRun},
    Placed{"montagna", 0, Cell::kTunnelStart},
    Placed{"montagna", 1, Cell::kTunnelEnd},
    Placed{"indicatori_vmax", 0, Cell::kObject},
    Placed{"cartello_indicatore", 0, Cell::kObject},
    Placed{"aderenza", 0, Cell::kRun},
    Placed{"velocita", 0, Cell::kRun},
    Placed{"segnale", 0, Cell::kObject},
    Placed{"rallentamento", 0, Cell::kObject},
    Placed{"abbattimento", 0, Cell::kRun},
};

}  // namespace

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

// ---- ignored-record / late-general-record ---------------------------------------

namespace {

bool first_on_its_line(std::string_view text, size_t at) {
  while (at > 0 && (text[at - 1] == ' ' || text[at - 1] == '\t')) --at;
  return at == 0 || text[at - 1] == '\n' || text[at - 1] == '\r';
}

}  // namespace

void ignored_record(const Analysis& a, Findings& out) {
  const char* line_record = "";  // what the record that starts the current line was taken for
  for (const RecordLetto& r : a.state.letti) {
    const std::string& text = *a.text(text_of(r)).bytes;
    const std::string_view word(text.data() + r.chiave.inizio, r.chiave.fine - r.chiave.inizio);
    const bool first = first_on_its_line(text, r.chiave.inizio);
    // The values of a general-section record met too late are that record's finding.
    if (first) line_record = std::string_view(r.tipo) == kGeneraleInRitardo ? "" : r.tipo;
    if (*r.tipo != '\0') continue;
    const bool header = word.starts_with('[') && word.ends_with(']');
    if (word.empty() || header || word.find('-') != std::string_view::npos) continue;
    if (first)
      add(out, "ignored-record", r, r.chiave,
          "'" + std::string(word) + "' is not a record the compiler knows here: the line is skipped");
    else if (*line_record != '\0')
      add(out, "ignored-record", r, r.chiave,
          "'" + std::string(word) + "' is one value more than the " + line_record + " record reads: it is skipped");
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

}  // namespace scenario::tools::lint
