#pragma once
// The three fuzzed paths of the compiler and the checks that hold after any
// input. The libFuzzer entry points and the regression test share them: each
// answers an empty text when every check held, or what went wrong.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace scenario::fuzz {

// The line description half alone: `testo` is the line text.
std::string caso_linea(std::string_view testo);

// The service half after the built-in line description: `testo` is the
// service text, compiled and written without the track plan.
std::string caso_servizio(std::string_view testo);

// Both texts through the whole compile-and-write path into a folder in
// memory. The input is the line text, a NUL byte and the service text; with
// no NUL byte it is the line text alone and the service text is missing.
std::string caso_completo(std::string_view ingresso);

inline constexpr char kSeparatore = '\0';

}  // namespace scenario::fuzz
