#pragma once
// The records of the binary files, each written once as the list of its
// fields in file order. `campi(record, f)` calls f(name, member) for every
// field in the order the file has it (which for a table entry is not the
// struct's); the member's type is the field's width, little-endian: uint8_t
// one byte, int16_t two, int32_t four, and a table entry's text a 16-bit
// length followed by its bytes. The compiler's writer, the tool's readers,
// decode's JSON names and the tests' readers all walk these lists.
//
// The plan file has no record of its own: its elements are ValorePiano
// values (model/plan.h), a 16-bit tag followed by nothing, a 16-bit integer
// or a double.

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/run_state.h"

namespace scenario {

template <typename C, typename F>  // C: Cella or const Cella
constexpr void campi_cella(C& c, F&& f) {
  f("tipo", c.tipo);
  f("valore1", c.valore1);
  f("valore2", c.valore2);
  f("valore3", c.valore3);
  f("valore4", c.valore4);
  f("tempo", c.tempo);
  f("avviso", c.avviso);
  f("montagna", c.montagna);
  f("vel_limite", c.vel_limite);
  f("pendenza", c.pendenza);
  f("aderenza", c.aderenza);
}

template <typename V, typename F>  // V: Voce or const Voce
void campi_voce(V& v, F&& f) {
  f("tipo", v.tipo);
  f("inizio", v.inizio);
  f("fine", v.fine);
  f("posizione", v.posizione);
  f("campo4", v.campo4);
  f("testo", v.testo);
  f("campo7", v.campo7);
  f("campo8", v.campo8);
  f("campo10", v.campo10);
  f("campo11", v.campo11);
  f("campo12", v.campo12);
  f("campo9", v.campo9);
  f("campo13", v.campo13);
  f("campo6", v.campo6);
  f("campo5", v.campo5);
  f("orario", v.orario);
}

// The bytes a field takes in the file; for a text, its 16-bit length alone.
template <typename T>
constexpr size_t byte_campo() {
  if constexpr (std::is_same_v<std::remove_cv_t<T>, std::string>)
    return 2;
  else
    return sizeof(T);
}

// A cell's bytes in the grid file.
inline constexpr size_t kByteCella = [] {
  size_t n = 0;
  const Cella c{};
  campi_cella(c, [&n](const char*, const auto& v) { n += byte_campo<std::remove_cvref_t<decltype(v)>>(); });
  return n;
}();

// A table entry's bytes in the table file, besides its text.
inline const size_t kByteVoceSenzaTesto = [] {
  size_t n = 0;
  const Voce v{};
  campi_voce(v, [&n](const char*, const auto& x) { n += byte_campo<std::remove_cvref_t<decltype(x)>>(); });
  return n;
}();

}  // namespace scenario
