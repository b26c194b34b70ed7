// Micro-benchmarks of the compile's stages, each on the built-in scenario and
// on generated routes of 100 and 1000 km (route_gen.h):
//   field_reader/*     the field reader over the two texts, fields as text and as numbers (MB/s)
//   line_half/*        the line text into the grid, the table and the per-metre track plan
//   service_half/*     the service text into the grid and the table
//   code_placement/*   the cab-signal code pass over the compiled grid
//   binary_writing/*   the bytes of the three binary files, built in memory
//   analysis_compile/* what scenario-tool compile does before its disk: the
//                      analysis of both texts with the bytes of the files
//   analysis_lint/*    what scenario-tool lint does: the traced analysis,
//                      without the files, and every check
//   live_view/*        what scenario-tool serve does on a save: read the texts,
//                      the traced analysis with the files, the checks, the
//                      sheet drawn from the files, and the update for the pages
// Only the stage named is timed; the state it starts from is built with the
// clock paused. Every large block is taken fresh from the system, as in a run
// of the program, rather than from memory an earlier iteration gave back.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "bench/route_gen.h"
#include "compiler/binary_writer.h"
#include "compiler/code_placement.h"
#include "compiler/field_reader.h"
#include "compiler/line_parser.h"
#include "compiler/service_parser.h"
#include "io/file_names.h"
#include "io/memory_folder.h"
#include "io/text_writer.h"
#include "model/access.h"
#include "sources/built_in_names.h"
#include "sources/dati_linea.h"
#include "sources/dati_treno.h"
#include "tools/analysis.h"
#include "tools/lint_checks.h"
#include "tools/live_page.h"
#include "tools/live_view.h"

namespace scenario::bench {
namespace {

struct Caso {
  std::string nome;
  std::string linea;
  std::string servizio;
};

Caso caso_incorporato() { return {"builtin", componi_testo(righe_linea()), componi_testo(righe_treno())}; }

Caso caso_generato(int32_t km) {
  TestiPercorso t = genera_percorso(km);
  return {"generated_" + std::to_string(km) + "km", std::move(t.linea), std::move(t.servizio)};
}

// A run state as memorizza_percorso prepares it before the parse.
void prepara(RunState& s) {
  s = RunState{};
  s.percorso_nome = kPercorsoNome;
  s.treno_nome = kTrenoNome;
  s.genera_linea = true;
  svuota_servizio(s);
  voce(s, kVoceGenerale).testo = s.percorso_nome;
  voce(s, kVoceTreno).testo = s.treno_nome;
}

void metti_testi(MemoryFolder& folder, const Caso& c) {
  folder.files()[nome_testo_linea(kPercorsoNome)] = c.linea;
  folder.files()[nome_testo_servizio(kPercorsoNome, kTrenoNome)] = c.servizio;
}

// Stops the benchmark when a stage did not run cleanly: a figure for a parse
// that gave up halfway would be meaningless.
bool pulito(benchmark::State& state, const RunState& s) {
  if (s.errori.vuoto()) return true;
  state.SkipWithError(("error " + std::to_string(s.errori.voci().front().numero) + " recorded").c_str());
  return false;
}

// The state after the line half, or after both halves.
void fino_alla_linea(RunState& s, MemoryFolder& folder, const Caso& c, EsitoLinea& linea) {
  prepara(s);
  metti_testi(folder, c);
  linea = leggi_linea(s, folder);
}

void fino_al_servizio(RunState& s, MemoryFolder& folder, const Caso& c) {
  EsitoLinea linea;
  fino_alla_linea(s, folder, c, linea);
  leggi_servizio(s, folder, linea.prossima_voce_cartello);
}

void campi_come_testo(benchmark::State& state, const Caso& c) {
  const std::string testo = c.linea + c.servizio;
  size_t campi = 0;
  for (auto _ : state) {
    LettoreCampi r(testo);
    while (!r.alla_fine()) {
      std::string campo = r.leggi_testo();
      benchmark::DoNotOptimize(campo);
      ++campi;
    }
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(testo.size()));
  state.counters["fields"] = double(campi) / double(state.iterations());
}

void campi_come_numeri(benchmark::State& state, const Caso& c) {
  const std::string testo = c.linea + c.servizio;
  for (auto _ : state) {
    LettoreCampi r(testo);
    int64_t somma = 0;
    while (!r.alla_fine()) somma += r.leggi_long();
    benchmark::DoNotOptimize(somma);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(testo.size()));
}

void meta_linea(benchmark::State& state, const Caso& c) {
  RunState s;
  MemoryFolder folder;
  for (auto _ : state) {
    state.PauseTiming();
    prepara(s);
    metti_testi(folder, c);
    state.ResumeTiming();
    EsitoLinea linea = leggi_linea(s, folder);
    benchmark::DoNotOptimize(linea);
  }
  if (pulito(state, s)) state.counters["plan_points"] = double(s.planimetria.posizioni());
}

// The service half and the placement pass cost little next to the line half
// that must run before them, so that is done once; each iteration restores
// the members those stages change (the grid, the table, the error record).
void ripristina(RunState& s, const RunState& base) {
  s.celle = base.celle;
  s.servizio = base.servizio;
  s.errori = base.errori;
}

void meta_servizio(benchmark::State& state, const Caso& c) {
  RunState s;
  MemoryFolder folder;
  EsitoLinea linea;
  fino_alla_linea(s, folder, c, linea);
  const RunState base = s;
  for (auto _ : state) {
    state.PauseTiming();
    ripristina(s, base);
    metti_testi(folder, c);
    state.ResumeTiming();
    leggi_servizio(s, folder, linea.prossima_voce_cartello);
  }
  pulito(state, s);
}

void piazzamento(benchmark::State& state, const Caso& c) {
  RunState s;
  MemoryFolder folder;
  fino_al_servizio(s, folder, c);
  const RunState base = s;
  for (auto _ : state) {
    state.PauseTiming();
    ripristina(s, base);
    state.ResumeTiming();
    piazza_codici(s);
  }
  if (pulito(state, s)) state.counters["cells"] = double(s.celle.size());
}

void scrittura_binari(benchmark::State& state, const Caso& c) {
  RunState s;
  MemoryFolder folder;
  fino_al_servizio(s, folder, c);
  piazza_codici(s);
  if (memorizza_marcatori(s) != 0) {
    state.SkipWithError("reserved slot not empty");
    return;
  }
  if (!pulito(state, s)) return;
  // The plan goes out piece by piece as the program writes it; the pieces are
  // copied into one buffer kept across iterations, standing in for the
  // system's file cache.
  std::string destinazione;
  destinazione.reserve(bytes_piano(s.planimetria).size());
  size_t bytes = 0;
  for (auto _ : state) {
    destinazione.clear();
    scrivi_piano(s.planimetria, [&destinazione](std::string_view pezzo) { destinazione += pezzo; });
    std::string tabella = bytes_tabella(s);
    std::string griglia = bytes_griglia(s);
    bytes = destinazione.size() + tabella.size() + griglia.size();
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

tools::AnalysisRequest richiesta(const Caso& c) { return {{"line.txt", c.linea}, {"service.txt", c.servizio}}; }

void analisi_compile(benchmark::State& state, const Caso& c) {
  for (auto _ : state) {
    tools::AnalysisRequest r = richiesta(c);
    r.binaries = true;
    tools::Analysis a = tools::analyse(std::move(r));
    benchmark::DoNotOptimize(a.files.data());
  }
}

void analisi_lint(benchmark::State& state, const Caso& c) {
  size_t trovati = 0;
  for (auto _ : state) {
    tools::AnalysisRequest r = richiesta(c);
    r.trace = true;
    tools::Analysis a = tools::analyse(std::move(r));
    trovati = tools::run_checks(a).size();
    benchmark::DoNotOptimize(trovati);
  }
  state.counters["findings"] = double(trovati);
}

void vista_dal_vivo(benchmark::State& state, const Caso& c) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("scenario-live-" + c.nome);
  std::filesystem::create_directories(dir);
  const tools::LiveTexts texts{(dir / "line.txt").string(), (dir / "service.txt").string()};
  std::ofstream(texts.line_path, std::ios::binary) << c.linea;
  std::ofstream(texts.service_path, std::ios::binary) << c.servizio;
  tools::LiveView vista = tools::make_view(texts, nullptr);
  size_t bytes = 0;
  for (auto _ : state) {
    vista = tools::make_view(texts, &vista);
    bytes = tools::live_update(vista).size();
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["update_bytes"] = double(bytes);
  std::filesystem::remove_all(dir);
}

void registra(const std::string& nome, const Caso& c, void (*f)(benchmark::State&, const Caso&)) {
  benchmark::RegisterBenchmark((nome + "/" + c.nome).c_str(), [c, f](benchmark::State& st) {
    f(st, c);
  })->Unit(benchmark::kMicrosecond);
}

}  // namespace
}  // namespace scenario::bench

int main(int argc, char** argv) {
  using namespace scenario::bench;
  // A fixed threshold: without it the allocator learns from the first
  // iterations to keep large blocks, and later iterations would skip the
  // page faults that a run of the program pays.
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
  for (const Caso& c : {caso_incorporato(), caso_generato(100), caso_generato(1000)}) {
    registra("field_reader_text", c, campi_come_testo);
    registra("field_reader_numbers", c, campi_come_numeri);
    registra("line_half", c, meta_linea);
    registra("service_half", c, meta_servizio);
    registra("code_placement", c, piazzamento);
    registra("binary_writing", c, scrittura_binari);
    registra("analysis_compile", c, analisi_compile);
    registra("analysis_lint", c, analisi_lint);
    registra("live_view", c, vista_dal_vivo);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
