#include <cstdio>
#include <cstdlib>

#include "app/window.h"

namespace scenario {

void FinestraConsole::mostra_attesa() {
  std::fputs("Attendere\n", stdout);
  std::fflush(stdout);
}

void FinestraConsole::mostra_errore(const std::string& testo) {
  std::fprintf(stderr, "%s\n", testo.c_str());
  std::fflush(stderr);
}

void FinestraConsole::termina(int stato) {
  std::fflush(stdout);
  std::fflush(stderr);
  std::_Exit(stato);
}

}  // namespace scenario
