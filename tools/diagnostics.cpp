#include "tools/diagnostics.h"

#include "compiler/error_meanings.h"
#include "compiler/field_reader.h"
#include "model/cp1252.h"
#include "model/numbers.h"
#include "tools/source_map.h"

namespace scenario::tools {
namespace {

// Which part of the text an error is best shown at.
enum class Anchor {
  kFile,        // the file as a whole
  kFieldRead,   // the field being read when the error was recorded
  kKeyword,     // the record's keyword field
  kFirstValue,  // the first value after the keyword: the record's position
};

Anchor anchor_of(int32_t n) {
  switch (n) {
    case 2: case 11: case 12: case 13: case 101: case 102:
      return Anchor::kFile;
    case 5: case 10: case 24: case 103:
      return Anchor::kKeyword;
    case 3: case 6: case 7: case 8: case 15: case 16: case 17: case 18: case 19: case 20: case 21:
    case 22:
      return Anchor::kFirstValue;
    default:
      return Anchor::kFieldRead;
  }
}

// The text an error belongs to. The kilometre-post series checked at the end
// of the service half come from the line text; placement errors concern the
// slow-downs and signals of the service text.
Fonte file_of(const ErroreRegistrato& e) {
  if (e.numero == 2 || e.numero == 101 || e.numero == 102) return Fonte::kLinea;
  if (e.fonte == Fonte::kPiazzamento) return Fonte::kServizio;
  return e.fonte == Fonte::kNessuna ? Fonte::kLinea : e.fonte;
}

// Offset of the first value after the keyword at `keyword`, found with the
// compiler's own field reader; the keyword's offset when there is none.
size_t first_value_offset(const std::string& text, size_t keyword) {
  Contesto where;
  LettoreCampi reader(std::string_view(text).substr(keyword), &where);
  try {
    reader.leggi_testo();
    reader.leggi_long();
  } catch (const GuastoEsecuzione&) {
    return keyword;
  }
  return keyword + where.offset_campo;
}

std::string message_of(const ErroreRegistrato& e) {
  std::string m(significato_errore(e.numero));
  if (e.ha_posizione && e.cella >= 0)
    m += " (at " + std::to_string(e.posizione) + " m, cell " + std::to_string(e.cella) + ")";
  else if (e.ha_posizione)
    m += " (at " + std::to_string(e.posizione) + " m)";
  if (!e.dettaglio.empty()) m += " (" + e.dettaglio + ")";
  return m;
}

void point_into(Diagnostic& d, const ErroreRegistrato& e, const std::string& text) {
  size_t offset = e.offset_campo;
  Anchor anchor = anchor_of(e.numero);
  if (anchor == Anchor::kKeyword) offset = e.offset_record;
  if (anchor == Anchor::kFirstValue) offset = first_value_offset(text, e.offset_record);
  SourceMap map(text);
  SourcePoint p = map.point(offset);
  d.line = p.line;
  d.column = p.column;
  std::string_view raw = map.line(p.line);
  d.source_line = cp1252_a_utf8(raw);
  // One blank per byte of the text (one character in Windows-1252); tabs are
  // kept so that the caret lines up with the text above it.
  for (size_t i = 0; i + 1 < p.column && i < raw.size(); ++i) d.caret += raw[i] == '\t' ? '\t' : ' ';
  d.caret += '^';
}

}  // namespace

std::vector<Diagnostic> diagnose(const CompileOutcome& outcome, const CompileRequest& request) {
  std::vector<Diagnostic> out;
  for (const ErroreRegistrato& e : outcome.state.registro) {
    Diagnostic d;
    d.number = e.numero;
    if (e.ha_posizione) d.position = e.posizione;
    bool line_file = file_of(e) == Fonte::kLinea;
    d.file = line_file ? request.line_path : request.service_path;
    const std::optional<std::string>& text = line_file ? outcome.line_text : outcome.service_text;
    if (!text) {
      // The compiler's own detail names the file inside its folder, not the author's path.
      d.message = significato_errore(e.numero);
      if (e.numero != 101) d.message += " (the file does not exist)";
    } else {
      d.message = message_of(e);
      if (anchor_of(e.numero) != Anchor::kFile) point_into(d, e, *text);
    }
    out.push_back(std::move(d));
  }
  return out;
}

void print_diagnostic(std::ostream& out, const Diagnostic& d) {
  out << d.file << ":";
  if (d.line) out << *d.line << ":" << *d.column << ":";
  out << " error " << d.number << ": " << d.message << "\n";
  if (!d.line) return;
  out << d.source_line << "\n" << d.caret << "\n";
}

}  // namespace scenario::tools
