#include "tools/lint_checks.h"

#include <algorithm>

#include "tools/lint_support.h"

namespace scenario::tools {

namespace lint {

std::vector<const RecordLetto*> records(const Analysis& a, std::string_view kind, size_t fields) {
  std::vector<const RecordLetto*> out;
  for (const RecordLetto& r : a.state.letti)
    if (kind == r.tipo && r.campi.size() >= fields) out.push_back(&r);
  return out;
}

}  // namespace lint

namespace {

using namespace lint;

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
              "record before [generale], or the last field of a text, which is never read as a record), or a "
              "value more than its record reads: the compiler skips it without a word.",
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
