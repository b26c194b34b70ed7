// scenario: writes the built-in scenario's texts and crew documents beside
// the executable and compiles them into the simulator's three binary files.

#include <exception>
#include <iostream>

#include "app/run.h"
#include "app/window.h"
#include "io/disk_folder.h"

int main() {
  using namespace scenario;
  std::unique_ptr<Finestra> finestra = crea_finestra();
  int stato = kUscitaFatale;
  try {
    DiskFolder folder(executable_folder());
    RunState stato_run;
    stato = esegui(stato_run, folder, *finestra, std::cerr);
  } catch (const std::exception& e) {
    std::cerr << "scenario: internal fault: " << e.what() << "\n";
    stato = kUscitaFatale;
  }
  finestra->termina(stato);
}
