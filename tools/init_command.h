#pragma once
// scenario-tool init: a line text and a service text to start from, the
// built-in scenario's own, written into a folder under the names the
// compiler looks for. An existing file is never replaced.

#include <ostream>
#include <string>

#include "io/file_names.h"
#include "sources/built_in_names.h"

namespace scenario::tools {

struct InitRequest {
  std::string folder = ".";
  std::string route = kPercorsoNome;  // UTF-8, as typed
  std::string train = kTrenoNome;
  std::string encoding = "cp1252";  // or "utf-8"
};

// The built-in line and service texts in the encoding asked for: in
// "cp1252" the bytes the program writes, in "utf-8" the same text as an
// editor would save it.
std::string init_line_text(const std::string& encoding);
std::string init_service_text(const std::string& encoding);

// Writes the two texts and tells on `out` what to run next. Exit status: 0
// written; 1 a file already there or a folder that cannot take them
// (nothing written); 64 a name or folder the command cannot take.
int run_init(const InitRequest& request, std::ostream& out, std::ostream& err);

}  // namespace scenario::tools
