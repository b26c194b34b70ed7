#pragma once
// What the language server answers about a compiled text: the outline of its
// sections and records, a hover on a value, completion of record keywords,
// and the record of the other text at the same place. All of it comes from
// what the parsers read (the traced records) and the table of the texts'
// records; positions go through the analysed text's map.

#include <string>
#include <string_view>
#include <vector>

#include "tools/analysis.h"
#include "tools/lsp_documents.h"
#include "tools/lsp_messages.h"

namespace scenario::tools::lsp {

// The records an error concerns besides its own: for a record on an occupied
// cell, those standing on that cell; for stations too close, the one before.
struct Concerned {
  TextId text;
  ByteSpan span;
  std::string message;
};
std::vector<Concerned> records_concerned(const Analysis& a, const LocatedError& e);

// DocumentSymbol[]: each section, with its stations, signals, tunnels,
// slow-downs and boards.
Json document_symbols(const Analysis& a, TextId text);

// A Hover on the value or keyword at `offset`; null when there is none.
Json hover(const Analysis& a, TextId text, size_t offset);

// CompletionItem[]: the keywords of the records of a text of `role`, while
// the cursor is in a line's first field (`before` is the line up to it).
Json completion(Role role, std::string_view before);

// Location[]: the records of the other text (`other_uri`) at the place of the
// record at `offset`.
Json definition(const Analysis& a, TextId text, size_t offset, const std::string& other_uri);

}  // namespace scenario::tools::lsp
