#pragma once
// The language server's fuzz case: bytes as an editor's input stream, run
// through a whole server session. Kept apart from cases.h, whose cases need
// the compiler alone.

#include <string>
#include <string_view>

namespace scenario::fuzz {

// Runs the server on `ingresso`; answers "" or the invariant broken: every
// byte the server writes must be frames of JSON it can read back.
std::string caso_lsp(std::string_view ingresso);

}  // namespace scenario::fuzz
