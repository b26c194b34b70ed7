#pragma once
// The records of the binary files, each written once as the list of its
// fields in file order. `campi(record, f)` calls f(name, member) for every
// field in the order the file has it (which for a table entry is not the
// struct's); the member's type is the field's width, little-endian: uint8_t
// one byte, int16_t two, int32_t four, and a table entry's text a 16-bit
// length followed by its bytes. The compiler's writer, the tool's readers,
// decode's JSON names and the tests' readers all walk these lists.
//
// The plan file is a row of points (ValorePiano, model/plan.h), each a
// 16-bit tag followed by the number of the form the tag names (kFormePunto).

#include <algorithm>
#include <array>
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

// The forms of a plan point in the file: the tag, then `byte_numero` bytes
// of the number, little-endian.
struct FormaPunto {
  ValorePiano::Tag tag;
  const char* nome;         // in a list of the known tags
  const char* descrizione;  // of an element cut short
  size_t byte_numero;
};

inline constexpr size_t kByteTagPunto = 2;
inline constexpr std::array<FormaPunto, 3> kFormePunto = {{
    {ValorePiano::kVuoto, "empty", "empty", 0},
    {ValorePiano::kIntero, "integer", "16-bit integer", 2},
    {ValorePiano::kDoppio, "double", "double", 8},
}};

// The form of `tag`; nullptr for a tag the plan file never holds.
constexpr const FormaPunto* forma_punto(uint16_t tag) {
  for (const FormaPunto& f : kFormePunto)
    if (f.tag == tag) return &f;
  return nullptr;
}

// A point's bytes in the plan file.
constexpr size_t byte_punto(const ValorePiano& v) { return kByteTagPunto + forma_punto(v.tag)->byte_numero; }

inline constexpr size_t kByteMassimoPunto = [] {
  size_t n = 0;
  for (const FormaPunto& f : kFormePunto) n = std::max(n, kByteTagPunto + f.byte_numero);
  return n;
}();

// The plan writer hands the stretch of doubles a row knows of to the file as
// it lies in memory: a double point takes in memory what it takes in the file.
static_assert(sizeof(ValorePiano) == kByteTagPunto + forma_punto(ValorePiano::kDoppio)->byte_numero);

}  // namespace scenario
