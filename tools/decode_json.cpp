#include "tools/decode_json.h"

#include <cmath>

#include <charconv>

#include "model/cp1252.h"
#include "tools/binary_readers.h"

namespace scenario::tools {
namespace {

using Json = nlohmann::ordered_json;

bool ends_with(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

std::optional<size_t> parse_index(std::string_view text) {
  size_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

// The indices of `count` elements that fall in the range.
template <typename Body>
void for_range(size_t count, IndexRange range, Body body) {
  for (size_t i = range.first; i < count && i <= range.last; ++i) body(i);
}

Json cell_json(size_t index, const Cella& c) {
  return {{"index", index},           {"tipo", c.tipo},         {"valore1", c.valore1},
          {"valore2", c.valore2},     {"valore3", c.valore3},   {"valore4", c.valore4},
          {"tempo", c.tempo},         {"avviso", c.avviso},     {"montagna", c.montagna},
          {"vel_limite", c.vel_limite}, {"pendenza", c.pendenza}, {"aderenza", c.aderenza}};
}

Json entry_json(size_t index, const Voce& v) {
  return {{"index", index},       {"tipo", v.tipo},       {"inizio", v.inizio},   {"fine", v.fine},
          {"posizione", v.posizione}, {"campo4", v.campo4}, {"testo", cp1252_a_utf8(v.testo)},
          {"campo7", v.campo7},   {"campo8", v.campo8},   {"campo10", v.campo10}, {"campo11", v.campo11},
          {"campo12", v.campo12}, {"campo9", v.campo9},   {"campo13", v.campo13}, {"campo6", v.campo6},
          {"campo5", v.campo5},   {"orario", v.orario}};
}

Json element_json(const ValorePiano& v) {
  switch (v.tag) {
    case ValorePiano::kIntero: return v.intero();
    case ValorePiano::kDoppio: {
      // JSON has no such numbers; null stays for an empty element.
      const double d = v.doppio();
      if (std::isnan(d)) return "NaN";
      if (std::isinf(d)) return d > 0 ? "Infinity" : "-Infinity";
      return d;
    }
    case ValorePiano::kVuoto: break;
  }
  return nullptr;
}

Json grid_json(std::string_view bytes, IndexRange range) {
  std::vector<Cella> cells = read_grid_file(bytes);
  Json list = Json::array();
  for_range(cells.size(), range, [&](size_t i) { list.push_back(cell_json(i, cells[i])); });
  return {{"kind", "grid"}, {"cell_count", cells.size()}, {"cells", list}};
}

Json table_json(std::string_view bytes, IndexRange range) {
  auto entries = read_table_file(bytes);
  Json list = Json::array();
  for_range(entries.size(), range, [&](size_t i) { list.push_back(entry_json(i, entries[i])); });
  return {{"kind", "table"}, {"entries", list}};
}

Json plan_json(std::string_view bytes, IndexRange range) {
  Planimetria plan = read_plan_file(bytes);
  Json x = Json::array(), y = Json::array();
  for_range(plan.posizioni(), range, [&](size_t i) {
    x.push_back(element_json(plan.coordinata[0][i]));
    y.push_back(element_json(plan.coordinata[1][i]));
  });
  return {{"kind", "plan"},
          {"position_count", plan.posizioni()},
          {"first_position", std::min(range.first, plan.posizioni())},
          {"x", x},
          {"y", y}};
}

}  // namespace

std::optional<FileKind> kind_from_name(std::string_view path) {
  if (ends_with(path, "_linea.dat")) return FileKind::kPlan;
  if (ends_with(path, ".sim")) return FileKind::kTable;
  if (ends_with(path, ".dat")) return FileKind::kGrid;
  return std::nullopt;
}

std::optional<FileKind> kind_from_word(std::string_view word) {
  if (word == "plan") return FileKind::kPlan;
  if (word == "table") return FileKind::kTable;
  if (word == "grid") return FileKind::kGrid;
  return std::nullopt;
}

std::optional<IndexRange> parse_range(std::string_view text) {
  size_t colon = text.find(':');
  std::optional<size_t> first = parse_index(text.substr(0, colon));
  std::optional<size_t> last = colon == std::string_view::npos ? first : parse_index(text.substr(colon + 1));
  if (!first || !last || *last < *first) return std::nullopt;
  return IndexRange{*first, *last};
}

nlohmann::ordered_json decode_file(FileKind kind, std::string_view bytes, IndexRange range) {
  switch (kind) {
    case FileKind::kPlan: return plan_json(bytes, range);
    case FileKind::kTable: return table_json(bytes, range);
    case FileKind::kGrid: return grid_json(bytes, range);
  }
  return nullptr;
}

}  // namespace scenario::tools
