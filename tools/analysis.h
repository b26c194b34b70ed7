#pragma once
// The analysis: two description texts held in memory, compiled by the
// program's own compiler on an in-memory folder, and everything the author
// tools want to know of the result, as one value.
//
//   Analysis a = analyse({.line = {"line.txt", bytes}, .service = {"service.txt", bytes}});
//   for (const LocatedError& e : a.errors) ... a.text(*e.text).bytes->substr(e.span->begin, ...)
//
// It writes nothing and keeps no state between calls, so it can run on any
// thread and be thrown away when a newer text comes. Positions are byte
// offsets into the texts as given; turning them into lines and columns is
// the front end's business (tools/source_map.h). Front ends: compile (which
// writes `files` through the folder layer), lint.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "compiler/compile.h"
#include "io/file_names.h"
#include "model/run_state.h"
#include "sources/built_in_names.h"

namespace scenario::tools {

enum class TextId { kLine, kService };

struct SourceText {
  std::string name;                  // how messages name it: the author's path, an editor's URI
  std::optional<std::string> bytes;  // Windows-1252, as the compiler reads them; none: the text is missing
};

struct AnalysisRequest {
  SourceText line;
  SourceText service;
  std::string route = kPercorsoNome;  // Windows-1252, as the compiler holds the names
  std::string train = kTrenoNome;
  bool plan = true;       // false: compile without the track plan, which is most of a compile's time
  bool binaries = false;  // also produce the bytes of the binary files
  bool trace = false;     // keep what the parsers read (RunState::letti), for checks on values as written
};

// Bytes [begin, end) of one text.
struct ByteSpan {
  size_t begin = 0;
  size_t end = 0;
};

struct LocatedError {
  ErroreRegistrato record;      // number, position, cell, detail, as the compiler recorded it
  TextId text = TextId::kLine;  // the text it belongs to
  // The field it is best shown at; none when it concerns the text as a
  // whole, or the text is missing.
  std::optional<ByteSpan> span;
};

struct BinaryFile {
  std::string name;  // as the compiler names it, from the Windows-1252 route and train names
  std::string bytes;
};

struct Analysis {
  SourceText line;
  SourceText service;
  RunState state;                    // the compiled scenario: grid, service table, plan, error record
  EsitoCompilazione outcome;         // kScritto: the files could be written; else why not
  std::vector<LocatedError> errors;  // every recorded error, in order
  std::vector<BinaryFile> files;     // with `binaries` and kScritto: the files in the order they are written

  const SourceText& text(TextId id) const { return id == TextId::kLine ? line : service; }
};

Analysis analyse(AnalysisRequest request);

}  // namespace scenario::tools
