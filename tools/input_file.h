#pragma once
// Reading a file an author names on the command line (a description text,
// or a binary file to decode): a regular file of bounded size, whole.

#include <optional>
#include <string>

#include "tools/compile_texts.h"

namespace scenario::tools {

// The most a reader takes, and how its refusal says it.
struct InputLimit {
  uint64_t bytes;
  const char* words;  // "it is larger than <words>"
};
inline constexpr InputLimit kTextLimit{kLargestInput, "64 MiB"};

// The whole file, or nothing when the path does not exist. Only a regular
// file within `limit` is read: a device or a pipe could feed the reader for
// ever. Anything else throws RequestError (kInput) with the reason: a
// folder, not a regular file, too large, or the system's words.
std::optional<std::string> read_input(const std::string& path, const InputLimit& limit = kTextLimit);

// A description text named by its path, read and decoded as the compiler
// reads it (see decoded_text); no bytes when the path does not exist.
// Throws RequestError as read_input and decoded_text do.
SourceText read_source_text(const std::string& path, const std::string& encoding);

}  // namespace scenario::tools
