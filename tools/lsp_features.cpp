#include "tools/lsp_features.h"

#include <algorithm>
#include <array>
#include <vector>

#include "model/cp1252.h"
#include "tools/lsp_positions.h"
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
    Outlined{"stazione", kStruct},      Outlined{"segnale", kEvent},
    Outlined{"montagna", kObject},      Outlined{"rallentamento", kNumber},
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

}  // namespace

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

Json hover(const Analysis&, TextId, size_t) { return nullptr; }

Json completion(Role, std::string_view) { return Json::array(); }

Json definition(const Analysis&, TextId, size_t, const std::string&) { return nullptr; }

}  // namespace scenario::tools::lsp
