#pragma once
// What crosses between the program and the desktop window module: plain C
// types only. The program carries its own copy of the C++ runtime, the module
// uses the system's (through the toolkit), so no C++ object, exception or
// allocation may pass from one to the other. Every call returns normally or
// ends the process; none throws.

#include <cstddef>

extern "C" {

struct ScenarioFinestraDesktop {
  void* finestra;  // the module's window, handed back to each call
  void (*mostra_attesa)(void* finestra);
  // `testo` is `lunghezza` bytes, not ended by a zero byte.
  void (*mostra_errore)(void* finestra, const char* testo, std::size_t lunghezza);
  void (*termina)(void* finestra, int stato);  // never returns
  void (*chiudi)(void* finestra);
};

// The module's one entry point: fills `uscita` and returns 1 when a display
// answers, returns 0 and leaves it untouched otherwise.
using ScenarioApriFinestraDesktop = int (*)(ScenarioFinestraDesktop* uscita);
}

inline constexpr const char* kSimboloApriFinestraDesktop = "scenario_apri_finestra_desktop";
