// scenario_scaling <km> <compile|floor|memory> <folder> [runs]
//
// Times the compile of a generated route of <km> kilometres (see route_gen.h).
// Before every run the two description texts are put in <folder> (not timed);
// the timed part is then:
//   compile  the whole compile and write, as the program does it, on disk;
//   floor    the same file traffic without compiling: read and delete the two
//            texts, replace the three binary files with the bytes the last
//            compile run left in <folder>;
//   memory   the compile in an in-memory folder: the computing alone.
// Prints one line with the median, quartiles and extremes of the runs and the
// peak resident memory of the process.

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <string>
#include <vector>

#include "bench/route_gen.h"
#include "compiler/compile.h"
#include "io/disk_folder.h"
#include "io/memory_folder.h"
#include "sources/file_names.h"

namespace {

using namespace scenario;

const std::string kPercorso = "Percorso generato";
const std::string kTreno = "Treno prova";

std::vector<std::string> nomi_binari() {
  return {nome_piano(kPercorso), nome_tabella(kPercorso, kTreno), nome_griglia(kPercorso, kTreno)};
}

void metti_testi(Folder& folder, const bench::TestiPercorso& testi) {
  replace_file(folder, nome_testo_linea(kPercorso), testi.linea);
  replace_file(folder, nome_testo_servizio(kPercorso, kTreno), testi.servizio);
}

// One compile as the program runs it; fails loudly if the route did not
// compile cleanly, since then the figures would not be about a real compile.
void compila(Folder& folder) {
  RunState s;
  s.percorso_nome = kPercorso;
  s.treno_nome = kTreno;
  EsitoCompilazione esito = memorizza_percorso(s, folder, 1);
  if (esito.fine != EsitoCompilazione::kScritto || !s.registro.empty()) {
    std::cerr << "scenario_scaling: the generated route did not compile cleanly (first error "
              << (s.registro.empty() ? 0 : s.registro.front().numero) << ")\n";
    std::exit(1);
  }
}

double quantile(std::vector<double> v, double q) {
  std::sort(v.begin(), v.end());
  double pos = q * double(v.size() - 1);
  size_t i = size_t(pos);
  double f = pos - double(i);
  return i + 1 < v.size() ? v[i] * (1 - f) + v[i + 1] * f : v[i];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4 || argc > 5) {
    std::cerr << "usage: scenario_scaling <km> <compile|floor|memory> <folder> [runs]\n";
    return 2;
  }
  const int km = std::atoi(argv[1]);
  const std::string modo = argv[2];
  const std::filesystem::path cartella = argv[3];
  const int giri = argc == 5 ? std::atoi(argv[4]) : 11;
  if (modo != "compile" && modo != "floor" && modo != "memory") {
    std::cerr << "scenario_scaling: unknown mode " << modo << "\n";
    return 2;
  }
  if (giri < 1) {
    std::cerr << "scenario_scaling: at least one run\n";
    return 2;
  }

  try {
    const bench::TestiPercorso testi = bench::genera_percorso(km);
    std::filesystem::create_directories(cartella);
    DiskFolder disco(cartella);
    MemoryFolder memoria;
    Folder& folder = modo == "memory" ? static_cast<Folder&>(memoria) : disco;

    std::vector<std::string> riferimento;
    if (modo == "floor") {
      for (const std::string& nome : nomi_binari()) {
        if (!disco.exists(nome)) {
          std::cerr << "scenario_scaling: no '" << nome << "' in " << cartella
                    << "; run the compile mode in this folder first\n";
          return 1;
        }
        riferimento.push_back(disco.read(nome));
      }
    }

    std::vector<double> ms;
    size_t letti = 0;
    for (int g = 0; g < giri; ++g) {
      metti_testi(folder, testi);
      auto t0 = std::chrono::steady_clock::now();
      if (modo == "floor") {
        for (const std::string& nome : {nome_testo_linea(kPercorso), nome_testo_servizio(kPercorso, kTreno)}) {
          letti += folder.read(nome).size();
          folder.remove(nome);
        }
        const std::vector<std::string> nomi = nomi_binari();
        for (size_t i = 0; i < nomi.size(); ++i) replace_file(folder, nomi[i], riferimento[i]);
      } else {
        compila(folder);
      }
      auto t1 = std::chrono::steady_clock::now();
      ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }

    struct rusage uso {};
    getrusage(RUSAGE_SELF, &uso);
    std::cout << std::fixed << std::setprecision(2) << "km=" << km << " mode=" << modo << " runs=" << giri
              << " median_ms=" << quantile(ms, 0.5) << " q1_ms=" << quantile(ms, 0.25)
              << " q3_ms=" << quantile(ms, 0.75) << " min_ms=" << quantile(ms, 0.0)
              << " max_ms=" << quantile(ms, 1.0) << " peak_rss_mib=" << double(uso.ru_maxrss) / 1024
              << " text_bytes=" << testi.linea.size() + testi.servizio.size() << "\n";
    return letti == 0 && modo == "floor" ? 1 : 0;
  } catch (const std::exception& e) {
    std::cerr << "scenario_scaling: " << e.what() << "\n";
    return 1;
  }
}
