#pragma once
// What the two halves of the parse share: the text being read, its deletion,
// the comment skipping of the record loop, the range check and the ways out.

#include <string>

#include "compiler/field_reader.h"
#include "compiler/read_options.h"
#include "compiler/text_records.h"
#include "io/folder.h"
#include "model/access.h"
#include "model/errors.h"
#include "model/run_state.h"

namespace scenario {

// A value that holds cell by cell until the next record of its kind (a
// gradient, a timetable speed, an adhesion): each record fills the cells
// from the cursor up to its own run cell with the value before it, and the
// text's end fills the rest. It keeps where that value was written, so that
// a fault while storing it (a speed that does not fit its byte) points at
// the record that wrote it, not at the one whose reading made the fill.
class ValoreACelle {
public:
  int32_t valore() const { return valore_; }

  // Cells from the cursor up to run cell `c`, at least one when c > 0,
  // each given `scrivi(cella, valore)`. With `entro_la_griglia` the fill
  // stops before cell n_celle, wherever `c` is.
  template <typename Scrivi>
  void riempi_fino(RunState& s, int64_t c, bool entro_la_griglia, Scrivi scrivi) {
    if (c <= 0) return;
    AlValore qui(s, dove_);
    do {
      if (entro_la_griglia && cursore_ >= s.n_celle) break;
      scrivi(cella(s, cursore_), valore_);
      ++cursore_;
    } while (cursore_ < c);
    qui.fatto();
  }

  // The end of the text: the cells from the cursor up to the third last
  // (at least one).
  template <typename Scrivi>
  void riempi_alla_fine(RunState& s, Scrivi scrivi) {
    AlValore qui(s, dove_);
    do {
      scrivi(cella(s, cursore_), valore_);
      ++cursore_;
    } while (cursore_ < int64_t(s.n_celle) - 2);
    qui.fatto();
  }

  // The value a record has just read, at the place `dove` the reader is.
  void nuovo(int32_t v, const Contesto& dove) {
    valore_ = v;
    dove_ = dove;
  }

private:
  // While a fill runs, the field an error concerns is the value's (the
  // reader stays where it is); it stays so if a fault ends the fill, for the
  // error to be recorded at the value.
  class AlValore {
  public:
    AlValore(RunState& s, const Contesto& dove) : s_(s), prima_(s.errori.dove) {
      if (dove.fonte == Fonte::kNessuna) return;
      s_.errori.dove.offset_campo = dove.offset_campo;
      s_.errori.dove.offset_record = dove.offset_record;
    }
    void fatto() { s_.errori.dove = prima_; }

  private:
    RunState& s_;
    Contesto prima_;
  };

  int64_t cursore_ = 0;
  int32_t valore_ = 0;
  Contesto dove_;  // kNessuna until a record sets the value
};

enum class Esito {
  kAvanti,    // go on with the next record
  kFine,      // end of the text (or error 15): the closing steps follow
  kAbbandona  // error recorded: memorizza_dati returns at once
};

// Notes whether a store procedure recorded an error of its own.
class ErroreNuovo {
public:
  explicit ErroreNuovo(const RunState& s) : prima_(s.errori.voci().size()) {}
  bool registrato(const RunState& s) const { return s.errori.voci().size() > prima_; }

private:
  size_t prima_;
};

class TestoInLettura {
public:
  TestoInLettura(RunState& s, Folder& folder, std::string nome, const std::string& testo, Fonte fonte,
                 const OpzioniLettura& opzioni);

  LettoreCampi& lettore() { return lettore_; }
  const OpzioniLettura& opzioni() const { return opzioni_; }

  // The last keyword field read, as written.
  const std::string& parola() const { return parola_; }

  // Reads the next field into `parola` and marks it as the current record.
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
  const OpzioniLettura& opzioni_;
  LettoreCampi lettore_;
  std::string parola_;
};

}  // namespace scenario
