// Writes the built-in texts as seed inputs for the three fuzz targets:
//   scenario_fuzz_seeds <folder>  ->  <folder>/line/, service/, compile/
#include <filesystem>
#include <fstream>
#include <iostream>

#include "fuzz/cases.h"
#include "io/text_writer.h"
#include "sources/dati_linea.h"
#include "sources/dati_treno.h"

namespace {

void scrivi(const std::filesystem::path& nome, const std::string& bytes) {
  std::filesystem::create_directories(nome.parent_path());
  std::ofstream(nome, std::ios::binary) << bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: scenario_fuzz_seeds FOLDER\n";
    return 2;
  }
  using namespace scenario;
  const std::filesystem::path base = argv[1];
  const std::string linea = componi_testo(righe_linea());
  const std::string treno = componi_testo(righe_treno());
  scrivi(base / "line" / "builtin", linea);
  scrivi(base / "service" / "builtin", treno);
  scrivi(base / "compile" / "builtin", linea + fuzz::kSeparatore + treno);
  scrivi(base / "compile" / "builtin-line-only", linea);
  return 0;
}
