// scenario_floor: what the program would cost if compiling were free.
//
// It does the file traffic of a real run in the folder of its executable: it
// writes the two description texts and the three crew documents, reads the
// texts back and deletes them, and writes the three binary files, each with
// the same crash-safe replace and the same bytes. The bytes come from a
// reference run of the program at build time, carried inside this executable
// the way the program carries its scenario. Nothing is computed.

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string_view>

#include "bench/io_trace.h"
#include "io/disk_folder.h"

// The recorded trace, placed in the read-only data by the assembler.
extern "C" const char scenario_traccia_inizio[];
extern "C" const char scenario_traccia_fine[];
asm(".pushsection .rodata\n"
    ".balign 16\n"
    ".globl scenario_traccia_inizio\n"
    "scenario_traccia_inizio:\n"
    ".incbin \"" SCENARIO_TRACCIA
    "\"\n"
    ".globl scenario_traccia_fine\n"
    "scenario_traccia_fine:\n"
    ".popsection\n");

int main() {
  using namespace scenario;
  // The same wait text the program shows before its work.
  std::fputs("Attendere\n", stdout);
  std::fflush(stdout);
  int stato = 0;
  try {
    std::string_view traccia(scenario_traccia_inizio, size_t(scenario_traccia_fine - scenario_traccia_inizio));
    DiskFolder folder(executable_folder());
    bench::riproduci(bench::decodifica(traccia), folder);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "scenario_floor: %s\n", e.what());
    stato = 1;
  }
  std::fflush(stdout);
  std::fflush(stderr);
  std::_Exit(stato);
}
