#pragma once
// The records of the two description texts, one row each: the text and
// section it belongs to, the words its keyword is recognised by and, in
// order, the values that follow the keyword with their unit, how the field
// reader takes them, the range kept as written and how the compiler stores
// them. The parsers recognise keywords and tag what they read with these
// rows; the format reference (tools/format_reference) and the lint checks
// read the same rows, so a fact about a record is written here once.

#include <array>
#include <cstdint>
#include <limits>
#include <span>
#include <string_view>

namespace scenario {

enum class TestoDescrizione : uint8_t { kLinea, kServizio };

// The records, in the order each parser tests its keywords.
enum class IdRecord : uint8_t {
  // Line text, general section.
  kLunghezzaPercorso,
  kProgressiva,
  kSfondo,
  kRipetizioneSegnali,
  // Line text, after the general section.
  kPendenza,
  kCurva,
  kMontagna,
  kIndicatoriVMax,
  kCartelloIndicatore,
  // Service text.
  kMassaFrenata,
  kVetture,
  kVelocita,
  kAderenza,
  kOrologio,
  kSabbia,
  kSegnale,
  kRallentamento,
  kAbbattimento,
  kStazione,
};

// How the field reader takes a value (compiler/field_reader.h). A number
// outside what it is read into is a run-time fault (error 25).
enum class Lettura : uint8_t {
  kLong,     // 32-bit signed
  kInteger,  // 16-bit signed: -32768 to 32767
  kByte,     // one byte: 0 to 255
  kTesto,    // the field as written, to the next comma or line end
};

// What becomes of the value once read.
enum class Conserva : uint8_t {
  kIntero,     // kept whole, in the width it is read in
  kBasso16,    // its low 16 bits: a value outside -32768 to 32767 wraps
  kBasso8,     // its low 8 bits (after adding `scarto`): a value outside the range wraps
  kPassi5,     // nearest(value / 5), one byte: kept in 5 km/h steps; outside the range a run-time fault
  kCombinato,  // formed with other values of the record into one stored value (see the text)
  kSoloUso,    // used by the compiler (a place, a length, a flag), not stored as written
  kTesto,      // kept as text
};

// How a position becomes a 50 m cell of the grid.
enum class CellaDi : uint8_t {
  kNessuna,  // not a position on the grid
  kCorsa,    // run cell: nearest(p / 50); the value holds from there
  kOggetto,  // object cell: nearest(p / 50 + 1); the object stands there
  kTratto,   // a span's cells: nearest(start / 50) to nearest(end / 50 - 1)
};

inline constexpr int64_t kSenzaLimite = std::numeric_limits<int64_t>::min();

struct CampoRecord {
  const char* nome;   // as the compiler and the messages name it
  const char* unita;  // "m", "km/h", "per mille", "%", "h", "min", "s", or "" for a number or a text
  Lettura lettura;
  Conserva conserva;
  // The values kept as written; kSenzaLimite where the width read is the only bound.
  int64_t minimo = kSenzaLimite;
  int64_t massimo = kSenzaLimite;
  int32_t scarto = 0;  // added before a kBasso8 store (the gradient is kept as value + 100)
  // The value should be a multiple of this (0: any); one that is not raises
  // `errore_multiplo`, or, when that is 0, is taken to its cell.
  int32_t multiplo = 0;
  int16_t errore_multiplo = 0;
  CellaDi cella = CellaDi::kNessuna;
  std::array<int16_t, 4> errori{};  // errors this value can raise, besides error 25 (0: none)
  const char* significato = "";     // what it is and what the compiler does with it
};

struct RecordTesto {
  IdRecord id;
  const char* nome;  // the tag the parsers give what they read (RecordLetto::tipo)
  TestoDescrizione testo;
  const char* sezione;  // the header the record is written under
  const char* parola;   // the keyword as authors write it
  // The keyword field must contain every word of `parole` and, when there are
  // variants, one of `varianti` (each variant found is a record of its own).
  std::array<const char*, 2> parole{};
  std::array<const char*, 3> varianti{};
  bool maiuscole = false;  // the words are matched letter for letter, not ignoring case
  bool generale = false;   // recognised only in the line text's general section
  const char* significato = "";
  const char* note = "";            // what the keyword itself carries, limits on the number of records
  std::array<int16_t, 4> errori{};  // errors of the record as a whole (0: none)
  std::span<const CampoRecord> campi;
};

// What a curve keyword carries: the first of these digits it holds gives the
// class, the track plan's turn per metre (class 1 the widest); the letter
// `kCurvaSinistra`, in either case, turns it left.
struct ClasseCurva {
  const char* cifra;
  double curvatura;
};
inline constexpr std::array<ClasseCurva, 6> kClassiCurva = {
    {{"1", 0.0001}, {"2", 0.0002}, {"3", 0.0004}, {"4", 0.001}, {"5", 0.002}, {"6", 0.003}}};
inline constexpr const char* kCurvaSinistra = "s";

// What a signal-repetition keyword carries: the number of codes, by the first
// of these digits it holds, tested in this order.
struct CodiciRipetizione {
  const char* cifra;
  int32_t codici;
};
inline constexpr std::array<CodiciRipetizione, 2> kCodiciRipetizione = {{{"4", 4}, {"9", 9}}};

// Every record, in IdRecord order.
std::span<const RecordTesto> record_testi();

const RecordTesto& record_testo(IdRecord id);

// The variants of a record that the keyword field `campo` holds, as indices
// into `varianti`; for a record without variants, {0} when it is recognised.
// Empty when the keyword is not one of this record's.
struct VariantiTrovate {
  std::array<uint8_t, 3> indici{};
  uint8_t n = 0;
  bool vuoto() const { return n == 0; }
  const uint8_t* begin() const { return indici.data(); }
  const uint8_t* end() const { return indici.data() + n; }
};
VariantiTrovate riconosci(const RecordTesto& r, std::string_view campo);

inline bool riconosce(IdRecord id, std::string_view campo) { return !riconosci(record_testo(id), campo).vuoto(); }

}  // namespace scenario
