#pragma once
// Small description texts for the service-half tests, and a compile of them
// in an in-memory folder.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "io/memory_folder.h"
#include "model/run_state.h"
#include "support/texts.h"

namespace scenario::test {

// errore_pos before a compile: an error that records no position leaves it.
inline constexpr int32_t kPosizioneIntatta = -424242;

// `n` indication boards, one every 100 m from 1000 m.
std::vector<std::string> cartelli(int n);

// A "stazione" record with every value after the length 0 and no timetable time.
std::string stazione(int32_t posizione, int tipo, int32_t lunghezza, const std::string& nome = "S", int campo6 = 0);

struct Compilato {
  MemoryFolder folder;
  RunState s;

  Cella& cella(int64_t i) { return s.celle.at(static_cast<size_t>(i)); }
  Voce& voce(int i) { return s.servizio.at(static_cast<size_t>(i)); }
  bool resta_linea();
  bool resta_servizio();
};

// Runs the whole compile of the frame on the two texts (a missing service
// text when `servizio` is empty), errore_pos starting at kPosizioneIntatta.
std::unique_ptr<Compilato> compila(const std::string& linea, const std::optional<std::string>& servizio);

// Only the parse of both texts, without code placement and binary files.
std::unique_ptr<Compilato> leggi(const std::string& linea, const std::string& servizio);

// The built-in texts, parsed without code placement and binary files.
std::unique_ptr<Compilato> leggi_scenario();

}  // namespace scenario::test
