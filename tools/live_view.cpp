#include "tools/live_view.h"

#include "compiler/text_records.h"
#include "tools/binary_readers.h"
#include "tools/input_file.h"
#include "tools/lint_report.h"
#include "tools/lint_support.h"

namespace scenario::tools {
namespace {

// Why a text cannot be compiled as it stands, or nothing when it can.
std::optional<std::string> unready(const SourceText& text) {
  if (!text.bytes) return "'" + text.name + "' is missing (being saved?); showing the last compile";
  if (text.bytes->empty()) return "'" + text.name + "' is empty (being saved?); showing the last compile";
  return std::nullopt;
}

LiveView kept(const LiveView* previous, std::string notice) {
  LiveView view = previous ? *previous : LiveView{};
  view.version = previous ? previous->version + 1 : 1;
  view.notice = std::move(notice);
  return view;
}

const RecordTesto* record_row(std::string_view tag) {
  for (const RecordTesto& row : record_testi())
    if (tag == row.nome) return &row;
  return nullptr;
}

// Where the record that holds a finding's field places its object: the
// first value of the record that names a cell of the grid.
std::optional<int64_t> metres_of(const Analysis& a, const Finding& f) {
  for (const RecordLetto& r : a.state.letti) {
    const size_t end = r.campi.empty() ? r.chiave.fine : r.campi.back().fine;
    if (lint::text_of(r) != f.text || f.span.begin < r.chiave.inizio || f.span.begin > end) continue;
    const RecordTesto* row = record_row(r.tipo);
    if (!row) return std::nullopt;
    for (size_t i = 0; i < r.campi.size() && i < row->campi.size(); ++i)
      if (row->campi[i].cella != CellaDi::kNessuna && !r.campi[i].testo) return r.campi[i].numero;
    return std::nullopt;
  }
  return std::nullopt;
}

std::vector<LiveEntry> entries_of(const Analysis& a) {
  std::vector<LiveEntry> out;
  for (const Diagnostic& d : diagnose(a))
    out.push_back({true, d.file, d.line, d.column, error_headline(d), d.source_line, d.caret, d.position});
  for (const Finding& f : run_checks(a)) {
    const Severity severity = find_check(f.check)->severity;
    if (severity == Severity::kOff) continue;
    const ReportedFinding r = report_finding(a, f, severity);
    out.push_back({severity == Severity::kError, r.where.file, r.where.line, r.where.column, finding_headline(r),
                   r.where.source_line, r.where.caret, metres_of(a, f)});
  }
  return out;
}

// The scenario as the sheet command reads it back from the compiled files.
RunState compiled_scenario(const Analysis& a) {
  RunState s;
  s.percorso_nome = a.state.percorso_nome;
  s.treno_nome = a.state.treno_nome;
  for (const BinaryFile& f : a.files) {
    if (f.name == nome_griglia(s.percorso_nome, s.treno_nome)) s.celle = read_grid_file(f.bytes);
    if (f.name == nome_tabella(s.percorso_nome, s.treno_nome)) s.servizio = read_table_file(f.bytes);
    if (f.name == nome_piano(s.percorso_nome)) s.planimetria = read_plan_file(f.bytes);
  }
  s.n_celle = static_cast<int32_t>(s.celle.size()) - 1;
  return s;
}

std::string without_declaration(std::string svg) {
  if (svg.starts_with("<?xml")) svg.erase(0, svg.find('\n') + 1);
  return svg;
}

LiveView compiled_view(const LiveTexts& texts, const LiveView* previous) {
  AnalysisRequest request;
  try {
    request.line = read_source_text(texts.line_path, texts.encoding);
    request.service = read_source_text(texts.service_path, texts.encoding);
  } catch (const RequestError& e) {
    return kept(previous, std::string(e.what()) + "; showing the last compile");
  }
  for (const SourceText* text : {&request.line, &request.service})
    if (std::optional<std::string> why = unready(*text)) return kept(previous, *why);
  request.trace = true;
  request.binaries = true;
  const Analysis a = analyse(std::move(request));
  LiveView view;
  view.version = previous ? previous->version + 1 : 1;
  view.entries = entries_of(a);
  view.notice = fatal_message(a);
  if (a.outcome.fine != EsitoCompilazione::kScritto) return view;
  try {
    const RunState s = compiled_scenario(a);
    view.sheet = without_declaration(disegna_foglio(s));
    view.summary = riassunto_foglio(s);
    view.axis = asse_foglio(s);
  } catch (const DecodeError& e) {
    view.notice = std::string("the compiled files could not be read back: ") + e.what();
  }
  return view;
}

}  // namespace

LiveView make_view(const LiveTexts& texts, const LiveView* previous) {
  try {
    return compiled_view(texts, previous);
  } catch (const std::exception& e) {  // out of memory, say: the server goes on with what it had
    return kept(previous, std::string("internal fault: ") + e.what() + "; showing the last compile");
  }
}

}  // namespace scenario::tools
