#pragma once
// The texts the language server knows: those the editor has open (their
// content is the editor's, saved or not) and those on disk beside them, and
// how a line text finds its service text and the other way round, by the
// program's own file names: `<route>_linea.txt` and `<route>_<train>-.txt` in
// one folder.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "tools/lsp_positions.h"

namespace scenario::tools::lsp {

// Why a text cannot be compiled, and where to say so.
struct Refusal {
  Position where;
  std::string message;
};

// A text as the compiler reads it: Windows-1252 bytes, or the reason there
// are none. An editor's text is UTF-8; one with a character Windows-1252
// lacks, or more than the 64 MiB a description text may hold, is refused.
struct CompilerText {
  std::optional<std::string> bytes;
  std::optional<Refusal> refusal;
};
CompilerText from_editor(std::string_view utf8);

struct OpenText {
  std::string uri;
  std::optional<std::string> path;  // for a file: URI
  int64_t version = 0;
  uint64_t touched = 0;  // when it was last opened or changed, in the store's own count
  CompilerText text;
};

class OpenTexts {
public:
  void open(const std::string& uri, int64_t version, std::string_view utf8);
  // False when the URI is not open.
  bool change(const std::string& uri, int64_t version, std::string_view utf8);
  void close(const std::string& uri);
  const OpenText* find(const std::string& uri) const;
  const OpenText* find_path(const std::string& path) const;
  const std::map<std::string, OpenText>& all() const { return texts_; }

private:
  std::map<std::string, OpenText> texts_;
  uint64_t count_ = 0;
};

// The path a file: URI names; none for another scheme or a broken escape.
std::optional<std::string> path_of_uri(std::string_view uri);
std::string uri_of_path(const std::string& path);

enum class Role { kLine, kService, kNeither };

// What a text is by its file name.
Role role_of(const std::optional<std::string>& path);

// A text of a pair as it stands: the editor's when open, else the file's.
struct PairedText {
  std::string uri;  // the editor's when open
  std::string path;
  std::optional<int64_t> version;  // when open
  uint64_t touched = 0;            // when open: OpenText::touched
  CompilerText text;
};

struct Pair {
  Role role = Role::kNeither;  // of the text asked about
  PairedText asked;
  std::optional<PairedText> partner;
  std::string expected;  // when there is no partner: the file name it would have, or how texts are named
  std::string route;     // UTF-8, as in the file names
  std::string train;     // known once the service text is
};

// The pair of the open text `uri`. A line text's partner is the open service
// text of its route changed last, else the first such file in name order; a
// service text's partner is the line text of the longest route its name
// starts with.
Pair pair_of(const OpenTexts& open, const OpenText& asked);

}  // namespace scenario::tools::lsp
