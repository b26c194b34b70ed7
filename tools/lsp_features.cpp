#include "tools/lsp_features.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/errors.h"
#include "compiler/text_records.h"
#include "model/cp1252.h"
#include "model/numbers.h"
#include "tools/lsp_positions.h"
#include "tools/record_words.h"
#include "tools/source_map.h"

namespace scenario::tools::lsp {
namespace {

// Symbol kinds as the protocol numbers them.
enum SymbolKind { kNamespace = 3, kObject = 19, kStruct = 23, kEvent = 24, kConstant = 14, kNumber = 16 };

struct Outlined {
  const char* record;  // the tag the parsers give it
  SymbolKind kind;
};

// The records an outline lists.
constexpr std::array kOutlined = {
    Outlined{"stazione", kStruct},          Outlined{"segnale", kEvent},
    Outlined{"montagna", kObject},          Outlined{"rallentamento", kNumber},
    Outlined{"indicatori_vmax", kConstant}, Outlined{"cartello_indicatore", kConstant},
};

Fonte source_of(TextId text) { return text == TextId::kLine ? Fonte::kLinea : Fonte::kServizio; }

std::string_view field_text(std::string_view bytes, const CampoLetto& f) {
  return bytes.substr(f.inizio, f.fine - f.inizio);
}

// From the keyword to the end of the last value read for the record.
ByteSpan record_span(const RecordLetto& r) {
  ByteSpan s{r.chiave.inizio, r.chiave.fine};
  for (const CampoLetto& f : r.campi) s.end = std::max(s.end, f.fine);
  return s;
}

std::string metres(int64_t m) { return std::to_string(m) + " m"; }

// The outline name of a record: its keyword as written, where it stands and,
// for a station, its name.
std::string outline_name(std::string_view bytes, const RecordLetto& r) {
  std::string name = cp1252_a_utf8(field_text(bytes, r.chiave));
  if (r.campi.empty()) return name;
  name += " " + metres(r.campi[0].numero);
  if (std::string_view(r.tipo) == "montagna" && r.campi.size() > 1) name += " to " + metres(r.campi[1].numero);
  if (std::string_view(r.tipo) == "stazione" && r.campi.back().testo)
    name += " " + cp1252_a_utf8(field_text(bytes, r.campi.back()));
  return name;
}

Json symbol(const SourceMap& map, const std::string& name, SymbolKind kind, ByteSpan range, ByteSpan selection) {
  return {{"name", name},
          {"kind", kind},
          {"range", range_json(map, range)},
          {"selectionRange", range_json(map, selection)},
          {"children", Json::array()}};
}

bool is_header(std::string_view keyword) { return keyword.starts_with('['); }

// Completion item kinds and the snippet format, as the protocol numbers them.
enum { kModuleItem = 9, kKeywordItem = 14, kSnippet = 2 };

// Records of the other text this close to a record's place are at the same place: one cell.
constexpr int64_t kSamePlace = 50;

const RecordTesto* row_of(const RecordLetto& r) {
  for (const RecordTesto& row : record_testi())
    if (std::string_view(row.nome) == r.tipo) return &row;
  return nullptr;
}

// The record read from `text` whose keyword or values hold `offset` (the end
// of a field counts, so that a cursor just after a value finds it).
const RecordLetto* record_at(const Analysis& a, TextId text, size_t offset) {
  for (const RecordLetto& r : a.state.letti) {
    if (r.fonte != source_of(text)) continue;
    const ByteSpan span = record_span(r);
    if (offset >= span.begin && offset <= span.end) return &r;
  }
  return nullptr;
}

// Where a record stands on the route, in metres: from its first value, or
// the stretch of its first two for a tunnel.
struct Place {
  int64_t from;
  int64_t to;
};

std::optional<Place> place_of(const RecordLetto& r) {
  const RecordTesto* row = row_of(r);
  if (!row || row->campi.empty() || r.campi.empty()) return std::nullopt;
  const CampoRecord& first = row->campi[0];
  if (first.cella == CellaDi::kNessuna && std::string_view(first.nome) != "posizione") return std::nullopt;
  if (first.cella == CellaDi::kTratto && r.campi.size() > 1) return Place{r.campi[0].numero, r.campi[1].numero};
  return Place{r.campi[0].numero, r.campi[0].numero};
}

std::string record_hover(const RecordTesto& r) {
  std::string m = "**" + std::string(r.parola) + "** (" + text_name(r.testo) + ", section `" + r.sezione +
                  "`): " + values_list(r) + "\n\n" + r.significato;
  if (*r.note) m += "\n\n" + std::string(r.note);
  return m;
}

// What the compiler keeps of the value `v` as written.
std::string stored_words(const CampoRecord& c, int64_t v) {
  const std::string as_written = std::string(c.nome) + " " + std::to_string(v);
  const Width w = width_of(c.lettura);
  if (c.lettura != Lettura::kTesto && (v < w.low || v > w.high))
    return as_written + " does not fit " + w.words + ": a run-time fault (error 25)";
  switch (c.conserva) {
    case Conserva::kIntero: return as_written + " is stored as " + std::to_string(v) + ": " + w.words;
    case Conserva::kBasso16: return as_written + " is stored as " + std::to_string(basso16(v)) + ": 16 bits";
    case Conserva::kBasso8:
      if (c.scarto)
        return as_written + " is stored as " + std::to_string(basso8(v + c.scarto)) + ": one byte, " + c.nome + " + " +
               std::to_string(c.scarto);
      return as_written + " is stored as " + std::to_string(basso8(v)) + ": one byte";
    case Conserva::kPassi5: {
      const int64_t steps = nearest(double(v) / 5);
      if (steps < 0 || steps > 255) return as_written + " does not fit one byte in 5 km/h steps: a run-time fault";
      return as_written + " is stored as " + std::to_string(steps) + ": one byte in 5 km/h steps (" +
             std::to_string(steps * 5) + " " + c.unita + ")";
    }
    case Conserva::kCombinato: return as_written + " is stored combined with other values of the record";
    case Conserva::kSoloUso:
      switch (c.cella) {
        case CellaDi::kCorsa:
          return as_written + " is taken as cell " + std::to_string(cella_corsa(v)) + ", from " +
                 std::to_string(cella_corsa(v) * 50) + " m";
        case CellaDi::kOggetto:
          return as_written + " is taken as cell " + std::to_string(cella_oggetto(v)) + ", at " +
                 std::to_string((cella_oggetto(v) - 1) * 50) + " m";
        case CellaDi::kTratto:
        case CellaDi::kNessuna: break;
      }
      return as_written + " is used by the compiler, not stored as written";
    case Conserva::kTesto: break;
  }
  return {};
}

std::string value_hover(const RecordTesto& r, const CampoRecord& c, const CampoLetto& f) {
  std::string m = "**" + std::string(r.nome) + "**: " + c.nome;
  if (*c.unita) m += " (" + std::string(c.unita) + ")";
  if (c.lettura == Lettura::kTesto)
    m += "\n\nkept as text: " + std::to_string(f.fine - f.inizio) + " bytes";
  else
    m += "; " + range_words(c) + "\n\n" + stored_words(c, f.numero);
  m += "\n\n" + std::string(c.significato);
  std::string errors;
  for (int16_t n : c.errori)
    if (n)
      errors += std::string(errors.empty() ? "" : "; ") + std::to_string(n) + " " + std::string(significato_errore(n));
  if (!errors.empty()) m += "\n\nerrors: " + errors;
  return m;
}

// The errors of a record standing on a cell something else holds.
constexpr std::array<int32_t, 5> kOccupiedCell = {6, 7, 16, 18, 21};
constexpr int32_t kStationsTooClose = 22;

// The cell a placed record stands on: the records whose position can find
// its cell occupied (those that can raise one of kOccupiedCell).
std::optional<int64_t> cell_of(const RecordLetto& r) {
  const RecordTesto* row = row_of(r);
  if (!row || row->campi.empty() || r.campi.empty()) return std::nullopt;
  const CampoRecord& first = row->campi[0];
  const bool placed = std::any_of(first.errori.begin(), first.errori.end(), [](int16_t n) {
    return std::find(kOccupiedCell.begin(), kOccupiedCell.end(), n) != kOccupiedCell.end();
  });
  if (!placed) return std::nullopt;
  if (first.cella == CellaDi::kOggetto) return cella_oggetto(r.campi[0].numero);
  if (first.cella == CellaDi::kCorsa) return cella_corsa(r.campi[0].numero);
  return std::nullopt;
}

}  // namespace

std::vector<Concerned> records_concerned(const Analysis& a, const LocatedError& e) {
  std::vector<Concerned> out;
  const bool occupied = std::find(kOccupiedCell.begin(), kOccupiedCell.end(), e.record.numero) != kOccupiedCell.end();
  if (!occupied && e.record.numero != kStationsTooClose) return out;
  const RecordLetto* own = nullptr;
  for (const RecordLetto& r : a.state.letti)
    if (r.fonte == source_of(e.text) && r.chiave.inizio == e.record.offset_record) own = &r;
  if (!own) return out;
  if (e.record.numero == kStationsTooClose) {
    const RecordLetto* previous = nullptr;
    for (const RecordLetto& r : a.state.letti) {
      if (&r == own) break;
      if (r.fonte == own->fonte && std::string_view(r.tipo) == own->tipo) previous = &r;
    }
    if (previous) out.push_back({e.text, record_span(*previous), "the station before it"});
    return out;
  }
  const std::optional<int64_t> cell = cell_of(*own);
  if (!cell) return out;
  for (const RecordLetto& r : a.state.letti) {
    if (&r == own || cell_of(r) != cell) continue;
    const TextId text = r.fonte == Fonte::kLinea ? TextId::kLine : TextId::kService;
    const std::string keyword = cp1252_a_utf8(field_text(*a.text(text).bytes, r.chiave));
    out.push_back({text, record_span(r),
                   "the " + keyword + " at " + metres(r.campi[0].numero) + " stands on cell " + std::to_string(*cell)});
  }
  return out;
}

Json document_symbols(const Analysis& a, TextId text) {
  const std::string& bytes = *a.text(text).bytes;
  const SourceMap map(bytes);
  Json sections = Json::array();
  Json* section = nullptr;
  size_t section_begin = 0;
  for (const RecordLetto& r : a.state.letti) {
    if (r.fonte != source_of(text)) continue;
    const ByteSpan span = record_span(r);
    if (*r.tipo == '\0' && is_header(field_text(bytes, r.chiave))) {
      const ByteSpan keyword{r.chiave.inizio, r.chiave.fine};
      sections.push_back(symbol(map, cp1252_a_utf8(field_text(bytes, r.chiave)), kNamespace, keyword, keyword));
      section = &sections.back();
      section_begin = r.chiave.inizio;
      continue;
    }
    if (!section) continue;
    // A section runs to the end of the last record read in it.
    (*section)["range"] = range_json(map, {section_begin, span.end});
    for (const Outlined& o : kOutlined)
      if (std::string_view(r.tipo) == o.record)
        (*section)["children"].push_back(
            symbol(map, outline_name(bytes, r), o.kind, span, {r.chiave.inizio, r.chiave.fine}));
  }
  return sections;
}

Json hover(const Analysis& a, TextId text, size_t offset) {
  const RecordLetto* r = record_at(a, text, offset);
  if (!r) return nullptr;
  const RecordTesto* row = row_of(*r);
  if (!row) return nullptr;
  const std::string& bytes = *a.text(text).bytes;
  const SourceMap map(bytes);
  std::string markdown;
  ByteSpan span{r->chiave.inizio, r->chiave.fine};
  if (offset <= r->chiave.fine) {
    markdown = record_hover(*row);
  } else {
    for (size_t i = 0; i < r->campi.size(); ++i) {
      const CampoLetto& f = r->campi[i];
      if (offset < f.inizio || offset > f.fine || row->campi.empty()) continue;
      markdown = value_hover(*row, row->campi[i % row->campi.size()], f);
      span = {f.inizio, f.fine};
      break;
    }
  }
  if (markdown.empty()) return nullptr;
  return {{"contents", {{"kind", "markdown"}, {"value", markdown}}}, {"range", range_json(map, span)}};
}

Json completion(Role role, std::string_view before) {
  Json items = Json::array();
  if (before.find(',') != std::string_view::npos) return items;
  std::vector<std::string> sections;
  for (const RecordTesto& r : record_testi()) {
    if (role == Role::kLine && r.testo != TestoDescrizione::kLinea) continue;
    if (role == Role::kService && r.testo != TestoDescrizione::kServizio) continue;
    std::string snippet = r.parola;
    for (size_t i = 0; i < r.campi.size(); ++i) snippet += ", ${" + std::to_string(i + 1) + ":" + r.campi[i].nome + "}";
    items.push_back({{"label", r.parola},
                     {"kind", kKeywordItem},
                     {"detail", std::string(r.sezione) + " " + values_list(r)},
                     {"documentation", r.significato},
                     {"insertTextFormat", kSnippet},
                     {"insertText", snippet}});
    if (std::find(sections.begin(), sections.end(), r.sezione) == sections.end()) sections.push_back(r.sezione);
  }
  for (const std::string& section : sections)
    items.push_back({{"label", section}, {"kind", kModuleItem}, {"detail", "section"}});
  return items;
}

Json definition(const Analysis& a, TextId text, size_t offset, const std::string& other_uri) {
  const RecordLetto* r = record_at(a, text, offset);
  if (!r || other_uri.empty()) return nullptr;
  const std::optional<Place> here = place_of(*r);
  if (!here) return nullptr;
  const TextId other = text == TextId::kLine ? TextId::kService : TextId::kLine;
  const SourceMap map(*a.text(other).bytes);
  std::vector<std::pair<int64_t, const RecordLetto*>> found;
  for (const RecordLetto& there : a.state.letti) {
    if (there.fonte != source_of(other)) continue;
    const std::optional<Place> place = place_of(there);
    if (!place) continue;
    const int64_t gap = std::max<int64_t>({0, place->from - here->to, here->from - place->to});
    if (gap < kSamePlace) found.push_back({gap, &there});
  }
  std::stable_sort(found.begin(), found.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
  Json locations = Json::array();
  for (const auto& [gap, there] : found)
    locations.push_back({{"uri", other_uri}, {"range", range_json(map, record_span(*there))}});
  return locations;
}

}  // namespace scenario::tools::lsp
