#pragma once
// What the lint checks share: the traced records of a kind, a finding at a
// field, and the two families of checks (tools/lint_value_checks.cpp,
// tools/lint_railway_checks.cpp) that the table in tools/lint_checks.cpp lists.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/lint_checks.h"

namespace scenario::tools::lint {

using Findings = std::vector<Finding>;

// The records of one kind, in text order: the kind named as the parser tags
// it, with at least `fields` values read (a record cut short by an error has
// fewer).
std::vector<const RecordLetto*> records(const Analysis& a, std::string_view kind, size_t fields);

inline TextId text_of(const RecordLetto& r) { return r.fonte == Fonte::kLinea ? TextId::kLine : TextId::kService; }

inline void add(Findings& out, const char* check, const RecordLetto& r, const CampoLetto& field, std::string message) {
  out.push_back({check, text_of(r), {field.inizio, field.fine}, std::move(message)});
}

inline std::string metres(int64_t m) { return std::to_string(m) + " m"; }
inline std::string kmh(int64_t v) { return std::to_string(v) + " km/h"; }

// Values as the compiler stores them.
void value_wraps(const Analysis& a, Findings& out);
void speed_step(const Analysis& a, Findings& out);
void position_step(const Analysis& a, Findings& out);
void ignored_record(const Analysis& a, Findings& out);
void late_general_record(const Analysis& a, Findings& out);

// Railway sense.
void speed_above_board(const Analysis& a, Findings& out);
void slow_down_overlap(const Analysis& a, Findings& out);
void signal_spacing(const Analysis& a, Findings& out);
void gradient_limit(const Analysis& a, Findings& out);
void station_in_tunnel(const Analysis& a, Findings& out);
void station_times(const Analysis& a, Findings& out);
void clock_range(const Analysis& a, Findings& out);

}  // namespace scenario::tools::lint
