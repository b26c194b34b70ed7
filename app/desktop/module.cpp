// The entry point of the desktop window module. The program carries this
// module inside itself and loads it only when a display is named, so that a
// run without a display never loads the toolkit and its X11 libraries.
// Nothing but plain C values crosses (app/desktop/module_interface.h): each
// call catches what the toolkit throws and notes it on standard error.

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

#include "app/desktop/desktop_window.h"
#include "app/desktop/module_interface.h"

namespace scenario {
namespace {

// Runs `fare`; whatever it throws is noted on standard error here, as it
// must not reach the program, whose C++ runtime is another.
template <typename Fare>
void senza_eccezioni(const char* che, Fare fare) noexcept {
  try {
    fare();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "scenario: desktop window, %s: %s\n", che, e.what());
  } catch (...) {
    std::fprintf(stderr, "scenario: desktop window, %s failed\n", che);
  }
}

Finestra& di(void* finestra) { return *static_cast<Finestra*>(finestra); }

void mostra_attesa(void* finestra) {
  senza_eccezioni("wait window", [&] { di(finestra).mostra_attesa(); });
}

void mostra_errore(void* finestra, const char* testo, size_t lunghezza) {
  senza_eccezioni("error box", [&] { di(finestra).mostra_errore(std::string(testo, lunghezza)); });
}

[[noreturn]] void termina(void* finestra, int stato) {
  senza_eccezioni("end", [&] { di(finestra).termina(stato); });
  std::_Exit(stato);
}

void chiudi(void* finestra) {
  senza_eccezioni("close", [&] { delete static_cast<Finestra*>(finestra); });
}

}  // namespace
}  // namespace scenario

extern "C" __attribute__((visibility("default"))) int scenario_apri_finestra_desktop(ScenarioFinestraDesktop* uscita) {
  using namespace scenario;
  int aperta = 0;
  senza_eccezioni("open", [&] {
    std::unique_ptr<Finestra> finestra = apri_finestra_desktop();
    if (!finestra) return;
    *uscita = {finestra.release(), &mostra_attesa, &mostra_errore, &termina, &chiudi};
    aperta = 1;
  });
  return aperta;
}
