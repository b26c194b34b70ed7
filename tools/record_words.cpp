#include "tools/record_words.h"

#include <climits>

namespace scenario::tools {

Width width_of(Lettura l) {
  switch (l) {
    case Lettura::kInteger: return {-32768, 32767, "a 16-bit number"};
    case Lettura::kByte: return {0, 255, "one byte"};
    case Lettura::kLong:
    case Lettura::kTesto: break;
  }
  return {INT32_MIN, INT32_MAX, "a 32-bit number"};
}

std::string range_words(const CampoRecord& c) {
  const Width w = width_of(c.lettura);
  std::string m;
  if (c.minimo != kSenzaLimite || c.massimo != kSenzaLimite)
    m = "accepted: " + std::to_string(c.minimo == kSenzaLimite ? w.low : c.minimo) + " to " +
        std::to_string(c.massimo == kSenzaLimite ? w.high : c.massimo) + "; ";
  if (c.multiplo) m += "a multiple of " + std::to_string(c.multiplo) + "; ";
  return m + "read as " + w.words;
}

namespace {
std::string cell_words(CellaDi cella) {
  switch (cella) {
    case CellaDi::kCorsa: return "; taken to the run cell nearest(value / 50)";
    case CellaDi::kOggetto: return "; taken to the object cell nearest(value / 50 + 1)";
    case CellaDi::kTratto: return "; with its partner, the cells of a span";
    case CellaDi::kNessuna: break;
  }
  return "";
}
}  // namespace

std::string storage_words(const CampoRecord& c) {
  switch (c.conserva) {
    case Conserva::kIntero: return std::string("kept whole, as ") + width_of(c.lettura).words + cell_words(c.cella);
    case Conserva::kBasso16: return "its low 16 bits: outside -32768 to 32767 it wraps";
    case Conserva::kBasso8:
      if (c.scarto) return "one byte, value + " + std::to_string(c.scarto) + ": outside the accepted range it wraps";
      return "one byte: outside the accepted range it wraps";
    case Conserva::kPassi5:
      return "one byte in 5 km/h steps, nearest(value / 5); outside 0 to 255 steps a run-time fault";
    case Conserva::kCombinato: return "combined with other values of the record into one stored value";
    case Conserva::kSoloUso: return "used by the compiler, not stored as written" + cell_words(c.cella);
    case Conserva::kTesto: return "kept as text";
  }
  return {};
}

std::string values_list(const RecordTesto& r) {
  std::string list;
  for (const CampoRecord& c : r.campi) list += std::string(list.empty() ? "" : ", ") + c.nome;
  return list;
}

const char* text_name(TestoDescrizione t) { return t == TestoDescrizione::kLinea ? "line text" : "service text"; }

}  // namespace scenario::tools
