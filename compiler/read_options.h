#pragma once
// How a compile reads its texts. The defaults are the program's own run.

#include <cstdint>

#include "model/run_state.h"

namespace scenario {

struct OpzioniLettura {
  // Keep every keyword field read, with the record it was taken for and its
  // fields, in RunState::letti (the author tools' checks read them).
  bool traccia = false;
  // Routes above this length stop the line half with error 1. Only the fuzz
  // targets lower it, so that one run there stays cheap.
  int32_t lunghezza_massima = kLunghezzaMassima;
};

}  // namespace scenario
