#include "tools/diagnostics.h"

#include "model/errors.h"
#include "model/cp1252.h"
#include "model/numbers.h"
#include "tools/source_map.h"

namespace scenario::tools {
namespace {

std::string message_of(const ErroreRegistrato& e) {
  std::string m(significato_errore(e.numero));
  if (e.ha_posizione && e.cella >= 0)
    m += " (at " + std::to_string(e.posizione) + " m, cell " + std::to_string(e.cella) + ")";
  else if (e.ha_posizione)
    m += " (at " + std::to_string(e.posizione) + " m)";
  if (!e.dettaglio.empty()) m += " (" + e.dettaglio + ")";
  return m;
}

}  // namespace

void point_at(Diagnostic& d, std::string_view text, size_t offset) {
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

std::vector<Diagnostic> diagnose(const Analysis& analysis) {
  std::vector<Diagnostic> out;
  for (const LocatedError& located : analysis.errors) {
    const ErroreRegistrato& e = located.record;
    Diagnostic d;
    d.number = e.numero;
    if (e.ha_posizione) d.position = e.posizione;
    const SourceText& text = analysis.text(located.text);
    d.file = text.name;
    if (!text.bytes) {
      // The compiler's own detail names the file inside its folder, not the author's path.
      d.message = significato_errore(e.numero);
      if (e.numero != 101) d.message += " (the file does not exist)";
    } else {
      d.message = message_of(e);
      if (located.span) point_at(d, *text.bytes, located.span->begin);
    }
    out.push_back(std::move(d));
  }
  return out;
}

std::string error_headline(const Diagnostic& d) {
  return "error " + std::to_string(d.number) + ": " + d.message;
}

void print_diagnostic(std::ostream& out, const Diagnostic& d) {
  out << d.file << ":";
  if (d.line) out << *d.line << ":" << *d.column << ":";
  out << " " << error_headline(d) << "\n";
  if (!d.line) return;
  out << d.source_line << "\n" << d.caret << "\n";
}

}  // namespace scenario::tools
