#pragma once
// The whole run: the wait window, the five writers, the compile, the end.

#include <ostream>

#include "app/window.h"
#include "io/folder.h"
#include "model/run_state.h"

namespace scenario {

// Exit status of a run.
enum StatoUscita : int {
  kUscitaPulita = 0,  // nothing recorded, every file written
  kUscitaFatale = 1,  // error box shown, or a file could not be written
  kUscitaErrori = 2,  // errors recorded, binary files written from what was read
};

// Runs the program once in `folder`. Diagnostics go to `diagnostica`; the
// window shows only the wait text and, for a fatal end, the error box.
int esegui(RunState& s, Folder& folder, Finestra& finestra, std::ostream& diagnostica);

// The error box: " Errore n. " followed by `a`.
void errore(Finestra& finestra, const std::string& a);

// One line per recorded error, in the order recorded.
void riporta_errori(const RunState& s, std::ostream& out);

}  // namespace scenario
