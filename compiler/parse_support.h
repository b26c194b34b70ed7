#pragma once
// What the two halves of the parse share: the text being read, its deletion,
// the comment skipping of the record loop, the range check and the ways out.

#include <string>

#include "compiler/field_reader.h"
#include "compiler/text_records.h"
#include "io/folder.h"
#include "model/errors.h"
#include "model/run_state.h"

namespace scenario {

enum class Esito {
  kAvanti,    // go on with the next record
  kFine,      // end of the text (or error 15): the closing steps follow
  kAbbandona  // error recorded: memorizza_dati returns at once
};

// Notes whether a store procedure recorded an error of its own.
class ErroreNuovo {
public:
  explicit ErroreNuovo(const RunState& s) : prima_(s.registro.size()) {}
  bool registrato(const RunState& s) const { return s.registro.size() > prima_; }

private:
  size_t prima_;
};

class TestoInLettura {
public:
  TestoInLettura(RunState& s, Folder& folder, std::string nome, const std::string& testo, Fonte fonte);

  LettoreCampi& lettore() { return lettore_; }

  // Reads the next field into `lettura` and marks it as the current record.
  void leggi_parola();
  // Notes, for a traced run, which record the last keyword was taken for.
  void riconosciuto(IdRecord id);
  // Steps 1 and 2 of the record loops: the next keyword field, after at most
  // two comment fields. False at the end of the text.
  bool leggi_chiave();

  // Range check of a record at `p`: beyond the grid records error 15 and
  // answers true. `margine` is 100 m, or 800 m for stations.
  bool fuori_griglia(int64_t p, int margine);

  void chiudi_ed_elimina();
  // Close, delete, record `n` (with a position), and return.
  Esito abbandona(Errore e);
  Esito abbandona(Errore e, int32_t posizione);
  // After a store procedure left errore_n above 0: delete, set errore_pos.
  Esito abbandona_dopo_memo(const ErroreNuovo& nuovo, int32_t posizione);

private:
  RunState& s_;
  Folder& folder_;
  std::string nome_;
  LettoreCampi lettore_;
};

}  // namespace scenario
