#pragma once
// The catalogue of the compiler's errors (model/errors.def): the names the
// code records them by, and per number the text it belongs to, where a
// diagnostic points and what it means. Diagnostics, the format reference and
// the editor server read these rows; nothing else lists error numbers.

#include <cstdint>
#include <span>
#include <string_view>

namespace scenario {

enum class Errore : int32_t {
#define SCENARIO_ERRORE(numero, nome, testo, ancora, significato) nome = numero,
#include "model/errors.def"
#undef SCENARIO_ERRORE
};

inline constexpr int32_t numero(Errore e) { return static_cast<int32_t>(e); }

// The description text an error belongs to.
enum class TestoErrore : uint8_t {
  kLinea,
  kServizio,
  kDelRecord,  // the text whose record was being read
};

// Where a diagnostic of the error points.
enum class Ancora : uint8_t {
  kFile,        // the text as a whole
  kFieldRead,   // the field being read when the error was recorded
  kKeyword,     // the record's keyword field
  kFirstValue,  // the first value after the keyword: the record's position
};

struct RigaErrore {
  Errore errore;
  const char* nome;
  TestoErrore testo;
  Ancora ancora;
  const char* significato;
  int32_t numero() const { return scenario::numero(errore); }
};

// Every row, by increasing number.
std::span<const RigaErrore> catalogo_errori();

// The row of error `n`; nullptr for a number the compiler never reports.
const RigaErrore* riga_errore(int32_t n);

// The meaning of error `n`; an empty view for a number the compiler never reports.
std::string_view significato_errore(int32_t n);

}  // namespace scenario
