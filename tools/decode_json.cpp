#include "tools/decode_json.h"

#include <cmath>

#include <charconv>
#include <ostream>

#include "model/cp1252.h"
#include "model/records.h"
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
  Json j = {{"index", index}};
  campi_cella(c, [&j](const char* name, auto v) { j[name] = v; });
  return j;
}

Json entry_json(size_t index, const Voce& v) {
  Json j = {{"index", index}};
  campi_voce(v, [&j](const char* name, const auto& field) {
    if constexpr (std::is_same_v<std::remove_cvref_t<decltype(field)>, std::string>)
      j[name] = cp1252_a_utf8(field);
    else
      j[name] = field;
  });
  return j;
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

// One coordinate's elements in the range as a JSON array, written as
// nlohmann's dump(2) writes it two levels deep, a megabyte at a time.
void write_coordinate(std::ostream& out, PlanCursor cursor, const PlanShape& shape, IndexRange range) {
  if (range.first >= shape.positions) {
    out << "[]";
    return;
  }
  cursor.skip(range.first);
  constexpr size_t kChunk = size_t(1) << 20;
  std::string chunk = "[";
  const char* separator = "\n    ";
  for_range(shape.positions, range, [&](size_t) {
    chunk += separator;
    chunk += element_json(cursor.next()).dump();
    separator = ",\n    ";
    if (chunk.size() >= kChunk) {
      out << chunk;
      chunk.clear();
    }
  });
  out << chunk << "\n  ]";
}

// The plan is written as it is walked, so that a plan file of tens of
// megabytes is never held as JSON: the file is checked whole first, so no
// fault can stop the output half-way.
void write_plan_json(std::ostream& out, std::string_view bytes, IndexRange range) {
  const PlanShape shape = scan_plan_file(bytes);
  out << "{\n  \"kind\": \"plan\",\n  \"position_count\": " << shape.positions
      << ",\n  \"first_position\": " << std::min(range.first, shape.positions) << ",\n  \"x\": ";
  write_coordinate(out, PlanCursor(bytes, 0), shape, range);
  out << ",\n  \"y\": ";
  write_coordinate(out, PlanCursor(bytes, shape.second_half), shape, range);
  out << "\n}\n";
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

void write_decoded(std::ostream& out, FileKind kind, std::string_view bytes, IndexRange range) {
  auto dumped = [&](const Json& j) { out << j.dump(2, ' ', false, Json::error_handler_t::replace) << "\n"; };
  switch (kind) {
    case FileKind::kPlan: return write_plan_json(out, bytes, range);
    case FileKind::kTable: return dumped(table_json(bytes, range));
    case FileKind::kGrid: return dumped(grid_json(bytes, range));
  }
}

}  // namespace scenario::tools
