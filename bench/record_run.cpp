// scenario_record_run <empty folder> <trace file>
//
// Runs the program once in the given folder exactly as the executable does,
// notes its file traffic and stores it as a trace for the floor program.
// Fails unless the run ends cleanly.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/run.h"
#include "app/window.h"
#include "bench/io_trace.h"
#include "io/disk_folder.h"

namespace {
// The build makes this run: it keeps quiet instead of printing "Attendere"
// among the build's lines. The window touches no file, so the trace is the same.
class FinestraMuta : public scenario::FinestraConsole {
public:
  void mostra_attesa() override {}
};
}  // namespace

int main(int argc, char** argv) {
  using namespace scenario;
  if (argc != 3) {
    std::cerr << "usage: scenario_record_run <empty folder> <trace file>\n";
    return 2;
  }
  namespace fs = std::filesystem;
  const fs::path cartella = argv[1];
  fs::remove_all(cartella);
  fs::create_directories(cartella);

  DiskFolder disco(cartella);
  bench::CartellaRegistrata registrata(disco);
  FinestraMuta finestra;
  RunState stato;
  std::ostringstream diagnostica;
  int esito = esegui(stato, registrata, finestra, diagnostica);
  if (esito != kUscitaPulita) {
    std::cerr << "scenario_record_run: the reference run did not end cleanly (status " << esito << ")\n"
              << diagnostica.str();
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out << bench::codifica(registrata.operazioni());
  out.close();
  if (!out) {
    std::cerr << "scenario_record_run: cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
