#include "tools/analysis.h"

#include "compiler/binary_writer.h"
#include "compiler/field_reader.h"
#include "io/memory_folder.h"
#include "model/numbers.h"

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
TextId text_of(const ErroreRegistrato& e) {
  if (e.numero == 2 || e.numero == 101 || e.numero == 102) return TextId::kLine;
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
    case Anchor::kFile: return std::nullopt;
    case Anchor::kKeyword: return field_at(*text, e.offset_record);
    case Anchor::kFirstValue: return field_at(*text, first_value_offset(*text, e.offset_record));
    case Anchor::kFieldRead: return field_at(*text, e.offset_campo);
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
  s.traccia = request.trace;

  MemoryFolder memory;
  if (a.line.bytes) memory.files()[nome_testo_linea(s.percorso_nome)] = *a.line.bytes;
  if (a.service.bytes) memory.files()[nome_testo_servizio(s.percorso_nome, s.treno_nome)] = *a.service.bytes;

  a.outcome = compila_percorso(s, memory, request.plan ? 1 : 0);
  if (request.binaries && a.outcome.fine == EsitoCompilazione::kScritto) {
    scrivi_file_binari(s, memory);
    a.files = files_written(s, memory);
  }
  for (const ErroreRegistrato& e : s.registro) {
    const TextId text = text_of(e);
    a.errors.push_back({e, text, span_of(e, a.text(text).bytes)});
  }
  return a;
}

}  // namespace scenario::tools
