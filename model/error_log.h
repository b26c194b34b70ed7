#pragma once
// The error record of a run: every error recorded, in order, with where it
// was met, and the number and position of the last one (`errore_n`,
// `errore_pos`), which the error box and the exit status read. One object
// keeps both, so that they cannot drift apart.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/errors.h"

namespace scenario {

// Where a recorded error came from, so that tools can point at the text.
enum class Fonte : uint8_t { kNessuna, kLinea, kServizio, kPiazzamento, kScrittura };

// Where the compile is: the reader of a text keeps it up to date, field by
// field; the passes after the parse set their own Fonte.
struct Contesto {
  Fonte fonte = Fonte::kNessuna;
  size_t offset_campo = 0;   // the field an error of the moment concerns
  size_t offset_record = 0;  // and its record's keyword
  size_t offset_letto = 0;   // the last field the reader began, wherever an error points
};

struct ErroreRegistrato {
  int32_t numero = 0;
  bool ha_posizione = false;
  int32_t posizione = 0;
  Fonte fonte = Fonte::kNessuna;
  size_t offset_campo = 0;   // byte offset of the field being read in its text
  size_t offset_record = 0;  // byte offset of the record's keyword field
  size_t offset_letto = 0;   // where the reader stood: the last field it began
  int64_t cella = -1;        // the cell concerned, for the placement pass
  std::string dettaglio;     // what faulted, for run-time faults
};

// What is known of an error besides its number, recorded with it in one call.
struct DatiErrore {
  bool ha_posizione = false;
  int32_t posizione = 0;  // with ha_posizione: becomes errore_pos
  int64_t cella = -1;     // the cell concerned, for the placement pass
  std::string dettaglio;  // what faulted, for run-time faults
};

class ErrorLog {
public:
  // `errore_pos` is the position a run starts from: an error recorded
  // without one keeps the position before it.
  ErrorLog() = default;
  explicit ErrorLog(int32_t errore_pos) : errore_pos_(errore_pos) {}

  // Where an error recorded now is met; the readers and passes move it.
  Contesto dove;

  int32_t errore_n() const { return errore_n_; }
  int32_t errore_pos() const { return errore_pos_; }
  const std::vector<ErroreRegistrato>& voci() const { return voci_; }
  bool vuoto() const { return voci_.empty(); }

  // Records error `e` at `dove`, with a position when it has one; it becomes
  // the last.
  void registra(Errore e, const DatiErrore& dati);
  void registra(Errore e) { registra(e, DatiErrore{}); }
  void registra(Errore e, int32_t posizione) {
    DatiErrore dati;
    dati.ha_posizione = true;
    dati.posizione = posizione;
    registra(e, dati);
  }
  // Gives the last error the position `posizione`: a store procedure records
  // its error before its caller knows the record's position.
  void colloca_ultimo(int32_t posizione);
  // Sets errore_pos alone, for a record abandoned after an error recorded
  // earlier in the run.
  void colloca(int32_t posizione) { errore_pos_ = posizione; }
  // A new compile: no errors. errore_pos stays where it was.
  void azzera();

private:
  int32_t errore_n_ = 0;
  int32_t errore_pos_ = 0;
  std::vector<ErroreRegistrato> voci_;
};

}  // namespace scenario
