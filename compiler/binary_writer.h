#pragma once
// The last stage of a compile: the reserved-slot checks, the format markers,
// the scenario codes, and the three little-endian files the simulator loads.

#include <cstddef>
#include <cstdint>
#include <string>

#include "io/folder.h"
#include "model/run_state.h"

namespace scenario {

int16_t codice_gara_og(const RunState& s);
int32_t codice_gara_st(const RunState& s);

// Checks the reserved slots and stores markers and codes. Answers 0, or the
// number to report (1250, 1251) when a slot was not empty.
int32_t memorizza_marcatori(RunState& s);

// The plan file is handed on in pieces of at most about this size (it runs
// to 20 MB on the longest route), so that it is never held whole in memory:
// the stretch of doubles each row knows of straight from the plan's memory,
// the other values packed through a buffer of this size.
inline constexpr size_t kPezzoPiano = size_t(256) << 10;
void scrivi_piano(const Planimetria& piano, const ByteSink& pezzo);

// The bytes of each file.
std::string bytes_piano(const Planimetria& piano);
std::string bytes_tabella(const RunState& s);
std::string bytes_griglia(const RunState& s);

// Writes the plan (only with genera_linea), the table and the grid, each
// replacing an older file whole.
void scrivi_file_binari(const RunState& s, Folder& folder);

}  // namespace scenario
