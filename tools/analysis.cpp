#include "tools/analysis.h"

#include "compiler/binary_writer.h"
#include "compiler/field_reader.h"
#include "io/memory_folder.h"
#include "model/errors.h"
#include "model/numbers.h"

namespace scenario::tools {
namespace {

// Where a diagnostic of error `n` points: its catalogue row, or the field
// read for a number outside the catalogue.
Ancora anchor_of(int32_t n) {
  const RigaErrore* r = riga_errore(n);
  return r != nullptr ? r->ancora : Ancora::kFieldRead;
}

// The text an error belongs to: its catalogue row's, or for an error of
// whichever record was being read, that record's text.
TextId text_of(const ErroreRegistrato& e) {
  const RigaErrore* r = riga_errore(e.numero);
  const TestoErrore t = r != nullptr ? r->testo : TestoErrore::kDelRecord;
  if (t != TestoErrore::kDelRecord) return t == TestoErrore::kLinea ? TextId::kLine : TextId::kService;
  return e.fonte == Fonte::kNessuna || e.fonte == Fonte::kLinea ? TextId::kLine : TextId::kService;
}

// Offset of the first value after the keyword at `keyword`, found with the
// compiler's own field reader; the keyword's offset when there is none.
size_t first_value_offset(std::string_view text, size_t keyword) {
  Contesto where;
  LettoreCampi reader(text.substr(keyword), &where);
  try {
    reader.leggi_testo();
    reader.leggi_long();
  } catch (const GuastoEsecuzione&) {
    return keyword;
  }
  return keyword + where.offset_campo;
}

// The field that starts at `begin`: up to the next comma or line end, less
// trailing blanks.
ByteSpan field_at(std::string_view text, size_t begin) {
  begin = std::min(begin, text.size());
  size_t end = begin;
  while (end < text.size() && text[end] != ',' && text[end] != '\r' && text[end] != '\n') ++end;
  while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  return {begin, end};
}

std::optional<ByteSpan> span_of(const ErroreRegistrato& e, const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  switch (anchor_of(e.numero)) {
    case Ancora::kFile: return std::nullopt;
    case Ancora::kKeyword: return field_at(*text, e.offset_record);
    case Ancora::kFirstValue: return field_at(*text, first_value_offset(*text, e.offset_record));
    case Ancora::kFieldRead: return field_at(*text, e.offset_campo);
  }
  return std::nullopt;
}

// The binary files the compile wrote into `memory`, in the order written.
std::vector<BinaryFile> files_written(const RunState& s, MemoryFolder& memory) {
  std::vector<BinaryFile> files;
  for (const std::string& name : {nome_piano(s.percorso_nome), nome_tabella(s.percorso_nome, s.treno_nome),
                                  nome_griglia(s.percorso_nome, s.treno_nome)}) {
    auto found = memory.files().find(name);
    if (found != memory.files().end()) files.push_back({name, std::move(found->second)});
  }
  return files;
}

}  // namespace

Analysis analyse(AnalysisRequest request) {
  Analysis a;
  a.line = std::move(request.line);
  a.service = std::move(request.service);
  RunState& s = a.state;
  s.percorso_nome = std::move(request.route);
  s.treno_nome = std::move(request.train);

  MemoryFolder memory;
  if (a.line.bytes) memory.files()[nome_testo_linea(s.percorso_nome)] = *a.line.bytes;
  if (a.service.bytes) memory.files()[nome_testo_servizio(s.percorso_nome, s.treno_nome)] = *a.service.bytes;

  OpzioniLettura opzioni;
  opzioni.traccia = request.trace;
  a.outcome = compila_percorso(s, memory, request.plan ? 1 : 0, opzioni);
  if (request.binaries && a.outcome.fine == EsitoCompilazione::kScritto) {
    scrivi_file_binari(s, memory);
    a.files = files_written(s, memory);
  }
  for (const ErroreRegistrato& e : s.errori.voci()) {
    const TextId text = text_of(e);
    a.errors.push_back({e, text, span_of(e, a.text(text).bytes)});
  }
  return a;
}

}  // namespace scenario::tools
