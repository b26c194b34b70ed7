#pragma once
// The second half of the parse: the service description text becomes the
// run data, signals, slow-downs, code steps and stations of the grid and the
// service table.

#include <cstdint>

#include "compiler/read_options.h"
#include "io/folder.h"
#include "model/run_state.h"

namespace scenario {

// Reads, compiles and deletes the service text. `prossima_voce_cartello` is
// the first service entry below the board texts. Run-time faults are thrown.
void leggi_servizio(RunState& s, Folder& folder, int32_t prossima_voce_cartello, const OpzioniLettura& opzioni = {});

// A signal record's values, as read: the left and right aspects (sx, dx),
// their three codes each, the repetition and the time.
struct Segnale {
  int32_t posizione = 0;
  int32_t sx = 0, s1 = 0, s2 = 0, s3 = 0;
  int32_t rapp = 0;
  int32_t dx = 0, d1 = 0, d2 = 0, d3 = 0;
  int32_t tempo = 0;
};
void memo_segnale(RunState& s, const Segnale& g);

// A slow-down record's values, as read.
struct Rallentamento {
  int32_t x = 0;  // where it starts
  int32_t v = 0;  // its speed
  int32_t l = 0;  // its length
  int32_t f_tt = 0;
  int32_t f_ta = 0;  // with a warning sequence
  int32_t d_v = 0;
};
void memo_rallentamento(RunState& s, const Rallentamento& r);

}  // namespace scenario
