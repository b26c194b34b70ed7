// Replays every input that ever made a fuzz target fail, and the seeds, with
// the same checks the fuzz targets make.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "compiler/compile.h"
#include "fuzz/cases.h"
#include "fuzz/lsp_case.h"
#include "io/file_names.h"
#include "io/memory_folder.h"
#include "sources/built_in_names.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

std::string leggi(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// Runs each file under `cartella`/<target> through its target; answers how many.
int riproduci(const fs::path& cartella) {
  int n = 0;
  for (const char* target : {"line", "service", "compile", "lsp"}) {
    if (!fs::exists(cartella / target)) continue;
    for (const auto& voce : fs::directory_iterator(cartella / target)) {
      if (!voce.is_regular_file() || voce.path().filename().string()[0] == '.') continue;
      const std::string ingresso = leggi(voce.path());
      const std::string t = target;
      std::string esito = t == "line"      ? fuzz::caso_linea(ingresso)
                          : t == "service" ? fuzz::caso_servizio(ingresso)
                          : t == "lsp"     ? fuzz::caso_lsp(ingresso)
                                           : fuzz::caso_completo(ingresso);
      EXPECT_EQ(esito, "") << voce.path();
      ++n;
    }
  }
  return n;
}

TEST(FuzzRegressions, EveryKeptInputPassesTheTargetsChecks) {
  riproduci(fs::path(SCENARIO_TEST_DATA) / "fuzz-regressions");
}

TEST(FuzzRegressions, TheSeedsPassTheTargetsChecks) { EXPECT_GE(riproduci(SCENARIO_FUZZ_CORPUS), 4); }

// Compiles the two texts of a compile-target input (line, NUL, service) with
// the plan, under the route limit `limite`.
EsitoCompilazione compila_ingresso(const std::string& ingresso, int32_t limite, RunState& s) {
  const size_t taglio = ingresso.find(fuzz::kSeparatore);
  MemoryFolder folder;
  s.percorso_nome = kPercorsoNome;
  s.treno_nome = kTrenoNome;
  folder.files()[nome_testo_linea(s.percorso_nome)] = ingresso.substr(0, taglio);
  folder.files()[nome_testo_servizio(s.percorso_nome, s.treno_nome)] = ingresso.substr(taglio + 1);
  return memorizza_percorso(s, folder, 1, {.traccia = false, .lunghezza_massima = limite});
}

// The short-route seed is what lets the fuzzers reach every section under
// their 3 km route limit; it must keep compiling without an error.
TEST(FuzzSeeds, TheShortRouteCompilesCleanly) {
  const std::string ingresso = leggi(fs::path(SCENARIO_FUZZ_CORPUS) / "compile" / "short-route");
  const size_t taglio = ingresso.find(fuzz::kSeparatore);
  ASSERT_NE(taglio, std::string::npos);
  ASSERT_EQ(ingresso.substr(0, taglio), leggi(fs::path(SCENARIO_FUZZ_CORPUS) / "line" / "short-route"));

  RunState s;
  EXPECT_EQ(compila_ingresso(ingresso, 3000, s).fine, EsitoCompilazione::kScritto);
  EXPECT_EQ(s.errori.errore_n(), 0);
  EXPECT_TRUE(s.errori.vuoto());
  EXPECT_EQ(s.planimetria.posizioni(), 10001u);

  // One metre over the limit: error 1, no grid.
  RunState oltre;
  EXPECT_EQ(compila_ingresso(ingresso, 2999, oltre).fine, EsitoCompilazione::kSenzaGriglia);
  EXPECT_EQ(oltre.errori.errore_n(), 1);
}

}  // namespace
}  // namespace scenario
