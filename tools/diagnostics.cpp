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

namespace {

// Whether `text` holds a record after the line that holds `offset`: any
// field but the closing header.
bool records_after(std::string_view text, size_t offset) {
  size_t end = text.find('\n', offset);
  if (end == std::string_view::npos) return false;
  for (size_t i = end + 1; i < text.size();) {
    size_t next = text.find('\n', i);
    std::string_view line = text.substr(i, next == std::string_view::npos ? std::string_view::npos : next - i);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    if (!line.empty() && line != "[fine]") return true;
    if (next == std::string_view::npos) break;
    i = next + 1;
  }
  return false;
}

// Every error that points into a text ends the reading of that text where
// the reader stood; one in the line text other than a record beyond the
// route's end also ends the compile before the service text.
void note_where_reading_stopped(Diagnostic& d, const LocatedError& located, std::string_view text) {
  const size_t stopped = located.record.offset_letto;
  if (!located.span || !records_after(text, stopped)) return;
  const SourcePoint p = SourceMap(text).point(stopped);
  d.note_line = p.line;
  d.note_column = p.column;
  if (located.text == TextId::kLine && located.record.numero != numero(Errore::OltreLaFineDelPercorso))
    d.note = "reading stopped here: the records after this one, and the service text, were not compiled";
  else
    d.note = "reading stopped here: the records after this one were not compiled";
}

}  // namespace

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
      note_where_reading_stopped(d, located, *text.bytes);
    }
    out.push_back(std::move(d));
  }
  return out;
}

std::string error_headline(const Diagnostic& d) { return "error " + std::to_string(d.number) + ": " + d.message; }

void print_diagnostic(std::ostream& out, const Diagnostic& d) {
  out << d.file << ":";
  if (d.line) out << *d.line << ":" << *d.column << ":";
  out << " " << error_headline(d) << "\n";
  if (!d.line) return;
  out << d.source_line << "\n" << d.caret << "\n";
  if (!d.note.empty()) out << d.file << ":" << d.note_line << ":" << d.note_column << ": note: " << d.note << "\n";
}

}  // namespace scenario::tools
