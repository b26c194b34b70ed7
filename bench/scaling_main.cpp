// scenario_scaling <km> <folder> [runs]
// scenario_scaling <km> <folder> --peak <compile|floor|none>
//
// How the compile of a generated route of <km> kilometres (route_gen.h)
// compares with its floor. Before every timed run the two description texts
// are put in <folder> (not timed); then
//   compile  the whole compile and write, as the program does it, on disk;
//   floor    the same file traffic without compiling: read and delete the two
//            texts, replace the three binary files with the same bytes (taken
//            from an untimed compile first), each with the same crash-safe
//            replace;
// The two alternate run by run, so that a busy moment of a shared machine
// falls on both alike. Prints the median, quartiles and extremes of
// each, of the run-by-run ratio compile / floor, and of the processor time
// of compile and floor.
//
// With --peak the process does one compile, or one floor run (which needs
// the files of an earlier compile in <folder>), or nothing beyond generating
// the texts, and prints its peak resident memory.

#include <malloc.h>
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iomanip>
#include <iostream>
#include <string>
#include <vector>

#include "bench/route_gen.h"
#include "compiler/compile.h"
#include "io/disk_folder.h"
#include "io/file_names.h"

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

// One compile as the program runs it. A route that did not compile cleanly
// would make the figures about something else, so that stops the program.
void compila(Folder& folder) {
  RunState s;
  s.percorso_nome = kPercorso;
  s.treno_nome = kTreno;
  EsitoCompilazione esito = memorizza_percorso(s, folder, 1);
  if (esito.fine != EsitoCompilazione::kScritto || !s.errori.vuoto()) {
    std::cerr << "scenario_scaling: the generated route did not compile cleanly (first error "
              << (s.errori.vuoto() ? 0 : s.errori.voci().front().numero) << ")\n";
    std::exit(1);
  }
}

std::vector<std::string> leggi_riferimento(DiskFolder& disco) {
  std::vector<std::string> riferimento;
  for (const std::string& nome : nomi_binari()) {
    if (!disco.exists(nome)) throw std::runtime_error("no '" + nome + "' in the folder: compile there first");
    riferimento.push_back(disco.read(nome));
  }
  return riferimento;
}

void pavimento(Folder& folder, const std::vector<std::string>& riferimento) {
  for (const std::string& nome : {nome_testo_linea(kPercorso), nome_testo_servizio(kPercorso, kTreno)}) {
    if (folder.read(nome).empty()) throw std::runtime_error("empty description text");
    folder.remove(nome);
  }
  const std::vector<std::string> nomi = nomi_binari();
  for (size_t i = 0; i < nomi.size(); ++i) replace_file(folder, nomi[i], riferimento[i]);
}

double quantile(std::vector<double> v, double q) {
  std::sort(v.begin(), v.end());
  double pos = q * double(v.size() - 1);
  size_t i = size_t(pos);
  double f = pos - double(i);
  return i + 1 < v.size() ? v[i] * (1 - f) + v[i + 1] * f : v[i];
}

void riassunto(const char* nome, const std::vector<double>& v) {
  std::cout << " " << nome << "_median=" << quantile(v, 0.5) << " " << nome << "_q1=" << quantile(v, 0.25) << " "
            << nome << "_q3=" << quantile(v, 0.75) << " " << nome << "_min=" << quantile(v, 0.0) << " " << nome
            << "_max=" << quantile(v, 1.0);
}

double cpu_ms() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Wall-clock time of f, and the processor time it used (which leaves out the
// waits: for the disk, and for a processor on a busy machine).
struct Tempo {
  double ms = 0, cpu = 0;
};
Tempo tempo_di(const std::function<void()>& f) {
  const double c0 = cpu_ms();
  const auto t0 = std::chrono::steady_clock::now();
  f();
  const auto t1 = std::chrono::steady_clock::now();
  return {std::chrono::duration<double, std::milli>(t1 - t0).count(), cpu_ms() - c0};
}

double picco_mib() {
  struct rusage uso {};
  getrusage(RUSAGE_SELF, &uso);
  return double(uso.ru_maxrss) / 1024;
}

int usa() {
  std::cerr << "usage: scenario_scaling <km> <folder> [runs]\n"
               "       scenario_scaling <km> <folder> --peak <compile|floor|none>\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 5) return usa();
  const int km = std::atoi(argv[1]);
  const std::filesystem::path cartella = argv[2];
  const bool picco = argc == 5 && std::string(argv[3]) == "--peak";
  if (argc == 5 && !picco) return usa();
  const std::string cosa = picco ? argv[4] : "";
  const int giri = argc == 4 ? std::atoi(argv[3]) : 21;
  if (picco ? (cosa != "compile" && cosa != "floor" && cosa != "none") : giri < 1) return usa();

  // Every compile and floor run here gets its large blocks fresh from the
  // system, as a run of the program does in its new process. Without a fixed
  // threshold the allocator learns from the first runs to keep blocks of the
  // plan's size, and the later runs would skip their page faults.
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
  try {
    const bench::TestiPercorso testi = bench::genera_percorso(km);
    std::filesystem::create_directories(cartella);
    DiskFolder disco(cartella);
    std::cout << std::fixed << std::setprecision(2) << "km=" << km
              << " text_bytes=" << testi.linea.size() + testi.servizio.size();

    if (picco) {
      if (cosa != "none") metti_testi(disco, testi);
      if (cosa == "compile") compila(disco);
      if (cosa == "floor") pavimento(disco, leggi_riferimento(disco));
      std::cout << " " << cosa << "_peak_rss_mib=" << picco_mib() << "\n";
      return 0;
    }

    metti_testi(disco, testi);
    compila(disco);
    const std::vector<std::string> riferimento = leggi_riferimento(disco);
    size_t uscita = 0;
    for (const std::string& r : riferimento) uscita += r.size();

    std::vector<double> compile_ms, floor_ms, rapporti, compile_cpu, floor_cpu;
    for (int g = 0; g < giri; ++g) {
      Tempo c, f;
      auto compile = [&] {
        metti_testi(disco, testi);
        c = tempo_di([&] { compila(disco); });
      };
      auto floor = [&] {
        metti_testi(disco, testi);
        f = tempo_di([&] { pavimento(disco, riferimento); });
      };
      if (g % 2 == 0) {
        compile();
        floor();
      } else {
        floor();
        compile();
      }
      compile_ms.push_back(c.ms);
      floor_ms.push_back(f.ms);
      compile_cpu.push_back(c.cpu);
      floor_cpu.push_back(f.cpu);
      rapporti.push_back(c.ms / f.ms);
    }
    std::cout << " output_bytes=" << uscita << " runs=" << giri;
    riassunto("compile_ms", compile_ms);
    riassunto("floor_ms", floor_ms);
    riassunto("ratio", rapporti);
    riassunto("compile_cpu_ms", compile_cpu);
    riassunto("floor_cpu_ms", floor_cpu);
    std::cout << "\n";
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "\nscenario_scaling: " << e.what() << "\n";
    return 1;
  }
}
