#pragma once
// The compile-and-write frame: parse both texts, place the cab-signal codes,
// store markers and codes, write the three binary files.

#include <cstdint>

#include "compiler/read_options.h"
#include "io/folder.h"
#include "model/run_state.h"

namespace scenario {

// Reads the line text, then the service text, into the model, deleting each.
// Returns normally in every case; a run-time fault while reading becomes
// error 25 after both texts are deleted.
void memorizza_dati(RunState& s, Folder& folder, const OpzioniLettura& opzioni = {});

struct EsitoCompilazione {
  enum Fine {
    kScritto,       // the binary files were written
    kSenzaGriglia,  // the parse left no grid with a cell 1: nothing written
    kSlotOccupato,  // a reserved slot was not empty: nothing written
  };
  Fine fine = kScritto;
  int32_t numero_riquadro = 0;  // the number for the error box, when not written
};

// The whole compile but the writing: parse, code placement, markers and
// codes. With kScritto the files are ready to be written (scrivi_file_binari).
EsitoCompilazione compila_percorso(RunState& s, Folder& folder, int32_t j, const OpzioniLettura& opzioni = {});

// compila_percorso, then the three files. Throws FolderError when a binary
// file cannot be written.
EsitoCompilazione memorizza_percorso(RunState& s, Folder& folder, int32_t j, const OpzioniLettura& opzioni = {});

}  // namespace scenario
