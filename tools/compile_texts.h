#pragma once
// Compiles two description texts given by path, with the program's own
// compiler, into the three binary files of a chosen folder: the texts are
// read and decoded here, analysed in memory (tools/analysis.h), and the
// files the analysis produced are written here, as one set. The author's
// files are only read.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "io/file_names.h"
#include "sources/built_in_names.h"
#include "tools/analysis.h"

namespace scenario::tools {

struct CompileRequest {
  std::string line_path;
  std::string service_path;
  std::string output_dir = ".";
  std::string route = kPercorsoNome;  // UTF-8, as typed
  std::string train = kTrenoNome;
  bool plan = true;  // false: compile without the track plan and its file
  // How the texts are encoded: "cp1252", "utf-8", or "auto" (UTF-8 when a
  // text is valid UTF-8 and uses it, else Windows-1252).
  std::string encoding = "auto";
};

// A compile refused before it starts: a route or train name that cannot name
// a file or be held in Windows-1252, or an output that is an input (a usage
// error), or an input that exists but cannot be read.
class RequestError : public std::runtime_error {
public:
  enum class Kind { kUsage, kInput };
  RequestError(Kind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
  Kind kind() const { return kind_; }

private:
  Kind kind_;
};

// A route or train name (UTF-8, as typed) as the compiler holds it, in
// Windows-1252; a usage RequestError when it cannot be part of a file name
// or has no Windows-1252 form. `what` is "route" or "train".
std::string compiler_name(const std::string& utf8, const char* what);

// The most an input text may hold.
inline constexpr uint64_t kLargestInput = uint64_t(64) << 20;

enum class Fatal { kNone, kSlotTaken, kNoGrid, kWriteFailed };

struct CompileOutcome {
  // The texts (named by their paths; none for a path that does not exist),
  // the compiled state and the errors.
  Analysis analysis;
  std::optional<std::string> line_encoding;  // "cp1252" or "utf-8": what each text was read as
  std::optional<std::string> service_encoding;
  Fatal fatal = Fatal::kNone;
  int32_t slot_number = 0;           // 1250 or 1251 with kSlotTaken
  std::string write_error;           // with kWriteFailed
  std::vector<std::string> written;  // file names written into the output folder, in order
};

// A text as the compiler reads it: Windows-1252 bytes, and what it was read
// as ("cp1252" or "utf-8"). `encoding` is "cp1252", "utf-8" or "auto" (UTF-8
// when the bytes are valid UTF-8 and use it); a UTF-8 text with a character
// the line format cannot hold throws RequestError naming `path`, line and column.
struct DecodedText {
  std::string bytes;
  std::string encoding;
};
DecodedText decoded_text(std::string bytes, const std::string& encoding, const std::string& path);

// UTF-8 (without a byte-order mark) as the compiler reads it, line by line;
// the first character that cannot be converted is named by its 1-based line
// and column, counted in characters.
struct Utf8Fault {
  size_t line = 0;
  size_t column = 0;
  bool malformed = false;  // not UTF-8 at all; else a character outside Windows-1252
};
std::variant<std::string, Utf8Fault> from_utf8(std::string_view utf8);

// Throws RequestError before anything is compiled; never throws afterwards.
CompileOutcome compile_texts(const CompileRequest& request);

// Exit status of a compile: 0 clean, 2 errors recorded with the files
// written, 1 fatal.
int exit_status(const CompileOutcome& outcome);

}  // namespace scenario::tools
