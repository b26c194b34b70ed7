// scenario_route_texts <km> <folder>
//
// Writes the line and service texts of a generated route of <km> kilometres
// (route_gen.h) into <folder>, under the names compile expects, for
// measuring the author tools on a long route.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "bench/route_gen.h"
#include "io/file_names.h"
#include "sources/built_in_names.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: scenario_route_texts <km> <folder>\n";
    return 64;
  }
  const scenario::bench::TestiPercorso texts = scenario::bench::genera_percorso(std::atoi(argv[1]));
  const std::filesystem::path folder = argv[2];
  std::ofstream(folder / scenario::nome_testo_linea(scenario::kPercorsoNome), std::ios::binary) << texts.linea;
  std::ofstream(folder / scenario::nome_testo_servizio(scenario::kPercorsoNome, scenario::kTrenoNome), std::ios::binary)
      << texts.servizio;
  return 0;
}
