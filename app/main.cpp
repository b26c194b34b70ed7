// scenario: writes the built-in scenario's texts and crew documents beside
// the executable, or into the folder given with --output, and compiles them
// into the simulator's three binary files.

#include <exception>
#include <iostream>
#include <optional>

#include "app/command_line.h"
#include "app/run.h"
#include "app/window.h"
#include "io/disk_folder.h"

int main(int argc, char** argv) {
  using namespace scenario;
  const CommandLine line = parse_command_line(argc, argv);
  if (std::optional<int> ended = answer_without_running(line, std::cout, std::cerr)) return *ended;
  const OutputFolder target = choose_output_folder(line.output, executable_folder());
  if (target.refusal != 0) {
    std::cerr << target.message;
    return target.refusal;
  }

  std::optional<FolderLock> lock;
  try {
    lock.emplace(target.folder, line.wait, [&] {
      std::cerr << "scenario: waiting for another run writing into '" << target.folder.string() << "'\n";
    });
  } catch (const FolderError& e) {
    std::cerr << "scenario: " << e.what() << "\n";
    return kUscitaFatale;
  }

  std::unique_ptr<Finestra> finestra = crea_finestra();
  int stato = kUscitaFatale;
  try {
    DiskFolder folder(target.folder);
    RunState stato_run;
    stato = esegui(stato_run, folder, *finestra, std::cerr);
  } catch (const std::exception& e) {
    std::cerr << "scenario: internal fault: " << e.what() << "\n";
    stato = kUscitaFatale;
  }
  finestra->termina(stato);
}
